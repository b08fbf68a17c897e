#include "app/file_messages.h"

#include <array>

#include "documents/prob.h"

namespace tolvi {
namespace {

using Three = std::array<std::string_view, 3>;

Three Reason(FileErrorKind kind) {
  switch (kind) {
    case FileErrorKind::None: return {"", "", ""};
    case FileErrorKind::NoPermission:
      return {"Permission denied.", "No hi ha perm\u00EDs.", "Permiso denegado."};
    case FileErrorKind::IsFolder:
      return {"There is a folder of that name.", "Hi ha una carpeta amb aquest nom.",
              "Hay una carpeta con ese nombre."};
    case FileErrorKind::DiskFull:
      return {"The disk is full.", "El disc \u00E9s ple.", "El disco est\u00E1 lleno."};
    case FileErrorKind::NoFolder:
      return {"The folder does not exist.", "La carpeta no existeix.", "La carpeta no existe."};
    case FileErrorKind::NotFound:
      return {"The file does not exist.", "El fitxer no existeix.", "El archivo no existe."};
    case FileErrorKind::Exists:
      return {"A file or folder of that name already exists.",
              "Ja existeix un fitxer o una carpeta amb aquest nom.",
              "Ya existe un archivo o una carpeta con ese nombre."};
    case FileErrorKind::InvalidName:
      return {"The name is not valid.", "El nom no \u00E9s v\u00E0lid.",
              "El nombre no es v\u00E1lido."};
    case FileErrorKind::NotAFile:
      return {"It is not a plain file (a device or a pipe).",
              "No \u00E9s un fitxer normal (\u00E9s un dispositiu o una canonada).",
              "No es un archivo normal (es un dispositivo o una tuber\u00EDa)."};
    case FileErrorKind::Busy:
      return {"Another program is using the file.",
              "Un altre programa est\u00E0 fent servir el fitxer.",
              "Otro programa est\u00E1 usando el archivo."};
    case FileErrorKind::Utf16:
      return {"The file is in UTF-16, which the program does not write.",
              "El fitxer \u00E9s en UTF-16, que el programa no escriu.",
              "El archivo est\u00E1 en UTF-16, que el programa no escribe."};
    case FileErrorKind::Other: break;
  }
  return {"Unknown error.", "Error desconegut.", "Error desconocido."};
}

}  // namespace

int16_t IdiomaValid(int16_t idioma) { return idioma >= 0 && idioma <= 2 ? idioma : int16_t{2}; }

std::string RaoError(const FileResult& result, int16_t idioma) {
  if (result.error == FileErrorKind::Other && !result.detail.empty()) return result.detail;
  return std::string(Reason(result.error)[static_cast<size_t>(IdiomaValid(idioma))]);
}

std::string_view TitolError(FileOperation operation, int16_t idioma) {
  static constexpr std::array<Three, 4> kTitles = {{
      {"Not saved", "No s'ha guardat", "No se ha guardado"},
      {"Not erased", "No s'ha esborrat", "No se ha borrado"},
      {"Folder not created", "No s'ha creat la carpeta", "No se ha creado la carpeta"},
      {"Not opened", "No s'ha obert", "No se ha abierto"},
  }};
  return kTitles[static_cast<size_t>(operation)][static_cast<size_t>(IdiomaValid(idioma))];
}

std::string TextError(const FileResult& result, int16_t idioma) {
  return result.path + NL + NL + RaoError(result, idioma);
}

}  // namespace tolvi
