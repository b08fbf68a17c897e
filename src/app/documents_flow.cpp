#include "app/documents_flow.h"

#include <array>
#include <filesystem>
#include <span>
#include <vector>

#include "app/file_messages.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"

namespace tolvi {
namespace {

constexpr int16_t kModeOpen = 0;
constexpr int16_t kModeSave = 1;

struct Notice {
  std::string_view title;
  std::string_view question;
};

constexpr std::array<std::string_view, 3> kNoEditor = {
    "No program could show the file.", "Cap programa no ha pogut mostrar el fitxer.",
    "Ning\u00FAn programa ha podido mostrar el fichero."};

// The characters a Windows-1252 file could not take.
constexpr std::array<Notice, 3> kLost = {{
    {"Saved with changes", "The file is in Windows-1252, which has no "},
    {"Guardat amb canvis", "El fitxer \u00E9s en Windows-1252, que no t\u00E9 "},
    {"Guardado con cambios", "El archivo est\u00E1 en Windows-1252, que no tiene "},
}};
constexpr std::array<std::string_view, 3> kLostEnd = {
    ": they were written as \"?\".", ": s'han escrit com a \"?\".",
    ": se han escrito como \"?\"."};

constexpr std::array<Notice, 3> kSaved = {{
    {"Saved at...  ", "Do you want see it?"},
    {"Guardat a...  ", "Veure?"},
    {"Guardado en ...  ", "\u00BFVer?"},
}};

// Asks for a file in save mode and appends the problems; the notice or the failure follows.
bool SaveProblems(Services& ui, std::span<const Prob> problems, int16_t idioma,
                  std::string_view carpIni) {
  CreaCarpetaPrbls(carpIni);
  const std::string path = ui.chooseFile(kModeSave, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (path.empty()) return false;
  std::vector<std::string> lost;
  const FileResult written = AfegeixPrbs(path, problems, &lost);
  if (!written) {
    ui.message(TextError(written, idioma), TitolError(FileOperation::Save, idioma),
               Icon::Exclamation);
    return false;
  }
  if (!lost.empty()) {
    const auto i = static_cast<size_t>(IdiomaValid(idioma));
    ui.message(path + NL + NL + std::string(kLost[i].question) + NameCharacters(lost) +
                   std::string(kLostEnd[i]),
               kLost[i].title, Icon::Exclamation);
  }
  VeureGuardat(ui, path, idioma);
  return true;
}

}  // namespace

std::string CarpetaPrbls(std::string_view carpIni) {
  return Utf8Of(PathOf(carpIni) / "Prbls");
}

FileResult CreaCarpetaPrbls(std::string_view carpIni) {
  const std::string folder = CarpetaPrbls(carpIni);
  std::error_code ec;
  if (std::filesystem::is_directory(PathOf(folder), ec)) return FileResult::Ok(folder);
  if (std::filesystem::create_directories(PathOf(folder), ec)) return FileResult::Ok(folder);
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), folder);
  return {FileErrorKind::Other, folder, ec.message()};
}

bool GuardaPanell(Services& ui, const ProbTable& probs, int16_t key, std::string_view selGuard,
                  int16_t idioma, std::string_view carpIni) {
  if (key >= 0 && key <= 7) {
    ui.showProblem(kCaptionPrb, probs[static_cast<size_t>(key)]);
    return false;
  }
  if (key != -1) return false;
  std::vector<Prob> chosen;
  for (const char c : selGuard) {
    if (c >= '0' && c <= '7') chosen.push_back(probs[static_cast<size_t>(c - '0')]);
  }
  if (chosen.empty()) return false;
  return SaveProblems(ui, chosen, idioma, carpIni);
}

bool GuardaPrb(Services& ui, const Prob& problem, int16_t idioma, std::string_view carpIni) {
  return SaveProblems(ui, {&problem, 1}, idioma, carpIni);
}

void VeureGuardat(Services& ui, const std::string& path, int16_t idioma) {
  const Notice& notice = kSaved[static_cast<size_t>(IdiomaValid(idioma))];
  const std::string text = path + NL + NL + std::string(notice.question);
  if (ui.askYesNo(text, notice.title)) ObreEditor(ui, path, idioma);
}

void ObrePrbls(Services& ui, int16_t idioma, std::string_view carpIni) {
  CreaCarpetaPrbls(carpIni);
  const std::string path = ui.chooseFile(kModeOpen, CarpetaPrbls(carpIni), kFiltrePrbs);
  if (!path.empty()) ObreEditor(ui, path, idioma);
}

bool ObreEditor(Services& ui, const std::string& path, int16_t idioma) {
#ifdef _WIN32
  if (ui.startProgram({"notepad.exe", {path}, {}}, WindowStyle::Normal)) return true;
#endif
  if (ui.openDocument(path)) return true;
  // The program's own viewer, for a regular file of a size it can show.
  std::error_code ec;
  const std::filesystem::path file = PathOf(path);
  const bool regular = std::filesystem::is_regular_file(file, ec);
  const std::uintmax_t size = regular ? std::filesystem::file_size(file, ec) : 0;
  if (regular && !ec && size <= kMaxShownFile) {
    ui.showProblem(Utf8Of(file.filename()), Prob{LlegeixFtx(path), {}});
    return true;
  }
  const std::string_view reason = kNoEditor[static_cast<size_t>(IdiomaValid(idioma))];
  const std::string text = path + NL + NL + std::string(reason);
  ui.message(text, TitolError(FileOperation::Open, idioma), Icon::Exclamation);
  return false;
}

}  // namespace tolvi
