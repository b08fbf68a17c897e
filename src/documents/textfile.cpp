#include "documents/textfile.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "documents/encoding.h"
#include "documents/prob.h"

namespace tolvi {
namespace fs = std::filesystem;
namespace {

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wmode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

FileResult FromErrorCode(const std::error_code& ec, std::string path) {
  const std::error_condition cond = ec.default_error_condition();
  if (cond.category() == std::generic_category()) return ErrnoResult(cond.value(), std::move(path));
  return {FileErrorKind::Other, std::move(path), ec.message()};
}

// Writes all bytes and closes the file; the first failure's errno, or 0.
int WriteAndClose(std::FILE* f, std::string_view bytes) {
  int err = 0;
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
    err = errno ? errno : EIO;
  }
  errno = 0;
  if (std::fflush(f) != 0 && err == 0) err = errno ? errno : EIO;
  errno = 0;
  if (std::fclose(f) != 0 && err == 0) err = errno ? errno : EIO;
  return err;
}

}  // namespace

FileErrorKind KindOfErrno(int errnum) {
  switch (errnum) {
    case 0: return FileErrorKind::None;
    case EACCES:
    case EPERM:
    case EROFS: return FileErrorKind::NoPermission;
    case EISDIR: return FileErrorKind::IsFolder;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG: return FileErrorKind::DiskFull;
    case ENOTDIR: return FileErrorKind::NoFolder;
    case EEXIST: return FileErrorKind::Exists;
    case EINVAL:
    case ENAMETOOLONG: return FileErrorKind::InvalidName;
    default: return FileErrorKind::Other;
  }
}

FileResult ErrnoResult(int errnum, std::string path) {
  FileResult r{KindOfErrno(errnum), std::move(path), {}};
  if (r.error == FileErrorKind::Other) r.detail = std::generic_category().message(errnum);
  if (errnum == ENOENT) {
    // Missing: the file itself when its folder is there, else the folder.
    std::error_code ec;
    const fs::path parent = PathOf(r.path).parent_path();
    r.error = parent.empty() || fs::is_directory(parent, ec) ? FileErrorKind::NotFound
                                                             : FileErrorKind::NoFolder;
    r.detail.clear();
  }
  return r;
}

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

FileResult ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  const fs::path p = PathOf(path);
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  if (st.type() == fs::file_type::not_found) return ErrnoResult(ENOENT, path);
  if (ec) return FromErrorCode(ec, path);
  if (fs::is_directory(st)) return {FileErrorKind::IsFolder, path, {}};
  if (!fs::is_regular_file(st)) return {FileErrorKind::Other, path, "not a regular file"};
  errno = 0;
  std::FILE* f = OpenFile(p, "rb");
  if (!f) return ErrnoResult(errno ? errno : EIO, path);
  char buffer[8192];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
  const bool failed = std::ferror(f) != 0;
  const int err = errno;
  std::fclose(f);
  if (failed) {
    bytes.clear();
    return ErrnoResult(err ? err : EIO, path);
  }
  return FileResult::Ok(path);
}

std::string LlegeixFtx(const std::string& name) {
  std::string bytes;
  if (!ReadFileBytes(name, bytes)) return {};
  std::string text = DecodeText(bytes);
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::string out;
  out.reserve(text.size() + 2);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string::npos ? text.size() : end + 1;
    if (end == std::string::npos) end = text.size();
    size_t stop = end;
    if (stop > start && text[stop - 1] == '\r') --stop;
    out.append(text, start, stop - start);
    out += NL;
    start = next;
  }
  return out;
}

FileResult EscriuFtx(std::string_view text, const std::string& name) {
  const fs::path target = PathOf(name);
  std::error_code ec;
  if (fs::is_directory(target, ec)) return {FileErrorKind::IsFolder, name, {}};
  // A temporary file beside the target, so that the rename stays on one disk.
  std::FILE* f = nullptr;
  fs::path temp;
  int err = 0;
  for (int n = 0; n < 100 && !f; ++n) {
    temp = target;
    temp += "." + std::to_string(n) + ".tmp";
    errno = 0;
    f = OpenFile(temp, "wbx");
    err = errno;
    if (!f && err != EEXIST) break;
  }
  if (!f) return ErrnoResult(err ? err : EIO, name);
  std::string bytes(text);
  bytes += NL;
  err = WriteAndClose(f, bytes);
  if (err == 0) {
    fs::rename(temp, target, ec);
    if (!ec) return FileResult::Ok(name);
  }
  std::error_code ignored;
  fs::remove(temp, ignored);
  return err ? ErrnoResult(err, name) : FromErrorCode(ec, name);
}

FileResult AppendBytes(const std::string& path, std::string_view bytes) {
  const fs::path p = PathOf(path);
  std::error_code ec;
  const fs::file_status st = fs::status(p, ec);
  if (fs::is_directory(st)) return {FileErrorKind::IsFolder, path, {}};
  const bool existed = fs::exists(st);
  const bool regular = fs::is_regular_file(st);
  const std::uintmax_t oldSize = regular ? fs::file_size(p, ec) : 0;
  errno = 0;
  std::FILE* f = OpenFile(p, "ab");
  if (!f) return ErrnoResult(errno ? errno : EIO, path);
  const int err = WriteAndClose(f, bytes);
  if (err == 0) return FileResult::Ok(path);
  std::error_code ignored;
  if (!existed) {
    fs::remove(p, ignored);
  } else if (regular && !ec) {
    fs::resize_file(p, oldSize, ignored);
  }
  return ErrnoResult(err, path);
}

}  // namespace tolvi
