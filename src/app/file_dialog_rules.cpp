#include "app/file_dialog_rules.h"
#include "app/file_messages.h"
#include "texts/catalogue.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace tolvi {
namespace fs = std::filesystem;
namespace {

#ifdef _WIN32
constexpr char kSep = '\\';
bool IsSep(char c) { return c == '\\' || c == '/'; }
constexpr std::string_view kBadNameChars = "\\/:*?\"<>|";
#else
constexpr char kSep = '/';
bool IsSep(char c) { return c == '/'; }
constexpr std::string_view kBadNameChars = "/";
#endif

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string> Split(std::string_view text, char at) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(at, start);
    parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

FileResult FromErrorCode(const std::error_code& ec, std::string path) {
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), std::move(path));
  return {FileErrorKind::Other, std::move(path), ec.message()};
}

}  // namespace

DlgTexts TextsDlg(Language idioma, DialogMode mode) {
  const Language i = IdiomaValid(idioma);
  return {Tx(mode == kDlgGuardar ? "dlg.save" : "dlg.open", i),
          Tx("dlg.name", i),
          Tx("dlg.type", i),
          Tx("dlg.cancel", i),
          Tx("dlg.tip_back", i),
          Tx("dlg.tip_up", i),
          Tx("dlg.tip_open", i),
          Tx("dlg.tip_new", i),
          Tx("dlg.new_folder", i)};
}

std::string CarpetaDe(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSep(path[i - 1])) return std::string(path.substr(0, i));
  }
  return {};
}

std::string NormalitzaCarpeta(std::string_view folder) {
  fs::path p = PathOf(folder);
  std::error_code ec;
  if (!p.is_absolute()) {
    const fs::path absolute = fs::absolute(p, ec);
    if (!ec) p = absolute;
  }
  p = p.lexically_normal();
  std::string text = Utf8Of(p);
  const std::string root = Utf8Of(p.root_path());
  while (text.size() > root.size() && !text.empty() && IsSep(text.back())) text.pop_back();
  return text;
}

std::string CarpetaAmunt(std::string_view folder) {
  const std::string normal = NormalitzaCarpeta(folder);
  const std::string parent = CarpetaDe(normal);
  return parent.empty() ? normal : parent;
}

std::string UneixCami(std::string_view folder, std::string_view name) {
  if (PathOf(name).is_absolute()) return std::string(name);
  std::string path(folder);
  if (path.empty() || !IsSep(path.back())) path += kSep;
  path += name;
  return path;
}

std::vector<std::string> TipusDelFiltre(std::string_view filter) { return Split(filter, '|'); }

std::vector<std::string> PatronsDelTipus(std::string_view type) {
  std::vector<std::string> patterns;
  for (const std::string& piece : Split(type, ';')) {
    const std::string_view p = Trim(piece);
    // "*.*" is every file, also those without a dot in their names.
    if (!p.empty()) patterns.emplace_back(p == "*.*" ? "*" : p);
  }
  if (patterns.empty()) patterns.emplace_back("*");
  return patterns;
}

std::string ExtensioDelTipus(std::string_view type) {
  const std::string_view first = Trim(type.substr(0, type.find(';')));
  const size_t dot = first.find('.');
  if (dot == std::string_view::npos) return {};
  const std::string_view ext = first.substr(dot);
  if (ext.size() < 2 || ext.find_first_of("*?") != std::string_view::npos) return {};
  return std::string(ext);
}

AccioDlg AcceptaNom(DialogMode mode, std::string_view folder, std::string_view name,
                    std::string_view type, Language idioma) {
  if (name.empty()) return {};
  const std::string path = UneixCami(folder, name);
  std::error_code ec;
  const fs::file_status st = fs::status(PathOf(path), ec);
  if (name.find('.') == std::string_view::npos) {
    if (fs::is_directory(st)) return {AccioDlg::VesACarpeta, NormalitzaCarpeta(path), {}, {}};
    if (!fs::exists(st)) {
      if (mode == kDlgGuardar) return {AccioDlg::Tanca, path + ExtensioDelTipus(type), {}, {}};
      return {
          AccioDlg::Missatge, {}, Tx("dlg.path_not_found", IdiomaValid(idioma)), std::string(name)};
    }
  }
  if (mode != kDlgGuardar && (!fs::exists(st) || fs::is_directory(st)))
    return {AccioDlg::Missatge, {}, Tx("dlg.file_not_found", IdiomaValid(idioma)), path};
  return {AccioDlg::Tanca, path, {}, {}};
}

FileResult CreaCarpeta(std::string_view parent, std::string_view name) {
  const std::string_view trimmed = Trim(name);
  if (trimmed.empty()) return FileResult::Ok(std::string(parent));
  const std::string path = UneixCami(parent, trimmed);
  if (trimmed == "." || trimmed == ".." ||
      trimmed.find_first_of(kBadNameChars) != std::string_view::npos ||
      trimmed.find('\0') != std::string_view::npos) {
    return {FileErrorKind::InvalidName, path, {}};
  }
  std::error_code ec;
  if (fs::exists(fs::symlink_status(PathOf(path), ec))) return {FileErrorKind::Exists, path, {}};
  if (fs::create_directory(PathOf(path), ec)) return FileResult::Ok(path);
  if (!ec) return {FileErrorKind::Exists, path, {}};
  return FromErrorCode(ec, path);
}

FileResult EsborraFtx(const std::string& path) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(PathOf(path), ec);
  if (!fs::exists(st)) return {FileErrorKind::NotFound, path, {}};
  if (fs::is_directory(st)) return {FileErrorKind::IsFolder, path, {}};
  if (fs::remove(PathOf(path), ec)) return FileResult::Ok(path);
  if (!ec) return {FileErrorKind::NotFound, path, {}};
  return FromErrorCode(ec, path);
}

DlgFtxModel::DlgFtxModel(DialogMode mode, std::string_view folder, std::string_view filter,
                         std::string_view current)
    : mode_(mode), carpAct_(NormalitzaCarpeta(current)), tipus_(TipusDelFiltre(filter)) {
  tipusActual_ = tipus_.front();
  std::error_code ec;
  const bool exists = !folder.empty() && fs::is_directory(PathOf(folder), ec);
  canviaCarpeta(exists ? folder : current);
}

bool DlgFtxModel::canviaCarpeta(std::string_view folder) {
  std::string normal = NormalitzaCarpeta(folder);
  if (normal == carpAct_) return false;
  carpAnt_ = std::move(carpAct_);
  carpAct_ = std::move(normal);
  rereActiu_ = true;
  return true;
}

bool DlgFtxModel::rere() {
  if (!rereActiu_) return false;
  return canviaCarpeta(carpAnt_);
}

bool DlgFtxModel::amunt() { return canviaCarpeta(CarpetaAmunt(carpAct_)); }

AccioDlg DlgFtxModel::accepta(std::string_view name, Language idioma) {
  AccioDlg action = AcceptaNom(mode_, carpAct_, name, tipusActual_, idioma);
  if (action.kind == AccioDlg::VesACarpeta) {
    canviaCarpeta(action.path);
  } else if (action.kind == AccioDlg::Tanca) {
    resultat_ = action.path;
    tancat_ = true;
  }
  return action;
}

void DlgFtxModel::cancela() {
  resultat_.clear();
  tancat_ = true;
}

}  // namespace tolvi
