#include "app/info.h"
#include "solvers/controls.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/file_messages.h"
#include "app/tools.h"
#include "documents/textfile.h"
#include "texts/catalogue.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tolvi {

namespace fs = std::filesystem;

std::string CarpetaPrograma() {
  std::error_code ec;
#ifdef _WIN32
  wchar_t buffer[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  if (n == 0 || n == MAX_PATH) return {};
  const fs::path exe(std::wstring(buffer, n));
#else
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
#endif
  return Utf8Of(exe.parent_path());
}

std::string CarpetaDades() {
  const std::string program = CarpetaPrograma();
  if (program.empty()) return {};
  return Utf8Of((PathOf(program) / PathOf(TOLVI_DATA_FROM_BIN)).lexically_normal());
}

std::vector<std::string> CarpetesInfo(std::string_view carpIni) {
  std::error_code ec;
  std::vector<std::string> folders;
  folders.push_back(carpIni.empty() ? Utf8Of(fs::current_path(ec)) : std::string(carpIni));
  for (std::string folder : {CarpetaPrograma(), CarpetaDades()}) {
    if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(std::move(folder));
  }
  return folders;
}

std::string BuscaFitxer(std::string_view name, const std::vector<std::string>& folders) {
  std::error_code ec;
  for (const std::string& folder : folders) {
    const fs::path candidate = PathOf(folder) / PathOf(name);
    if (fs::is_regular_file(candidate, ec)) return Utf8Of(candidate);
  }
  return {};
}

std::string NomInfo(std::string_view name, Language idioma) {
  if (idioma == kSpanish || !Coneguda(idioma)) return std::string(name);
  const std::string& code = Catalogues()[Index(idioma)].code;
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return std::string(name) + "." + code;
  return std::string(name.substr(0, dot)) + "." + code + std::string(name.substr(dot));
}

std::string BuscaInfo(std::string_view name, const std::vector<std::string>& folders,
                      Language idioma) {
  std::string found = BuscaFitxer(NomInfo(name, idioma), folders);
  return found.empty() ? BuscaFitxer(name, folders) : found;
}

bool ObreInfo(Services& ui, std::string_view name, const std::vector<std::string>& folders,
              Language idioma) {
  const std::string found = BuscaInfo(name, folders, idioma);
  if (found.empty()) {
    const std::string where =
        folders.empty() ? std::string(name) : Utf8Of(PathOf(folders.front()) / PathOf(name));
    ui.message(TextError({FileErrorKind::NotFound, where, {}}, idioma),
               TitolError(FileOperation::Open, idioma), Icon::Exclamation);
    return false;
  }
  return ObreDoc(ui, found, idioma);
}

bool MenuInfo(Services& ui, std::string_view entry, std::string_view carpIni, Language idioma) {
  std::string_view name;
  if (entry == ctl::OpInfo)
    name = kHelpFile;
  else if (entry == ctl::OpWeb)
    name = kContactFile;
  else
    return false;
  ObreInfo(ui, name, CarpetesInfo(carpIni), idioma);
  return true;
}

}  // namespace tolvi
