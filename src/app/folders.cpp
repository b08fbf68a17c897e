#include "app/folders.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "app/documents_flow.h"

namespace tolvi {

namespace fs = std::filesystem;

namespace {

// The folder as the system resolves it (links followed), or as written when it is missing.
fs::path Resolved(std::string_view folder) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(PathOf(folder), ec), ec);
  if (ec) p = PathOf(folder).lexically_normal();
  // "/home/ana/" and "/home/ana" are the same folder.
  if (!p.has_filename() && p.has_relative_path()) p = p.parent_path();
  return p;
}

FileResult FromErrorCode(const std::error_code& ec, std::string path) {
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), path);
  return {FileErrorKind::Other, std::move(path), ec.message()};
}

}  // namespace

bool HoldsProgramFiles(std::string_view folder) {
  std::error_code ec;
  const fs::path base = PathOf(folder);
  for (std::string_view name : kSettingsFiles)
    if (fs::is_regular_file(base / PathOf(name), ec)) return true;
  return fs::is_directory(PathOf(CarpetaPrbls(folder)), ec);
}

bool IsForbiddenFolder(std::string_view folder, std::string_view home) {
  const fs::path p = Resolved(folder);
  if (p.relative_path().empty()) return true;  // a root
  return !home.empty() && p == Resolved(home);
}

Folders ChooseFolders(const Places& places, std::string_view chosen) {
  if (!chosen.empty()) {
    const std::string folder = Utf8Of(Resolved(chosen));
    return {folder, folder, Layout::Chosen};
  }
  if (!places.workdir.empty() && !IsForbiddenFolder(places.workdir, places.home) &&
      HoldsProgramFiles(places.workdir))
    return {places.workdir, places.workdir, Layout::Working};
  Folders f;
  f.layout = Layout::Standard;
  f.settings = places.config;
  const std::string& documents = places.documents.empty() ? places.home : places.documents;
  f.problems = documents.empty() ? places.config : Utf8Of(PathOf(documents) / "Tolvi");
  return f;
}

void AdoptSettings(std::string_view from, std::string_view settings) {
  std::error_code ec;
  if (from.empty() || settings.empty() || fs::equivalent(PathOf(from), PathOf(settings), ec))
    return;
  for (std::string_view name : kSettingsFiles) {
    const fs::path old = PathOf(from) / PathOf(name);
    const fs::path now = PathOf(settings) / PathOf(name);
    if (fs::is_regular_file(old, ec) && !fs::exists(now, ec))
      fs::copy_file(old, now, fs::copy_options::skip_existing, ec);
  }
}

FileResult PrepareFolder(std::string_view folder) {
  const std::string name(folder);
  const fs::path p = PathOf(folder);
  std::error_code ec;
  if (!fs::is_directory(p, ec)) {
    fs::create_directories(p, ec);
    if (ec) return FromErrorCode(ec, name);
  }
#ifndef _WIN32
  if (::access(p.c_str(), W_OK | X_OK) != 0) return ErrnoResult(errno, name);
#endif
  return FileResult::Ok(name);
}

}  // namespace tolvi
