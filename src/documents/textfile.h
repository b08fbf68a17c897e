// Whole-file text reading and writing, and the outcome of a file operation as a value.
// Paths are UTF-8 strings. Every failure carries the file's name and the reason, so the
// window can tell the user exactly what was not written and why.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tolvi {

enum class FileErrorKind : int16_t {
  None,          // done
  NoPermission,  // the system refused access (or the disk is read-only)
  IsFolder,      // a folder has the file's name
  DiskFull,      // no space left (or the quota is used up)
  NoFolder,      // the folder the file should be in does not exist
  NotFound,      // the file itself does not exist
  Exists,        // a file or folder of that name is already there
  InvalidName,   // the name cannot be a file or folder name
  Other,         // anything else; detail holds the system's words
};

// The outcome of an operation on the file at path. True when it was done.
struct FileResult {
  FileErrorKind error = FileErrorKind::None;
  std::string path;
  std::string detail;

  explicit operator bool() const { return error == FileErrorKind::None; }
  static FileResult Ok(std::string path) { return {FileErrorKind::None, std::move(path), {}}; }
};

// The reason behind a system error number (errno) as one of the kinds above.
FileErrorKind KindOfErrno(int errnum);
// A failure of the file at path from a system error number.
FileResult ErrnoResult(int errnum, std::string path);

// A UTF-8 path as a filesystem path, and back.
std::filesystem::path PathOf(std::string_view utf8);
std::string Utf8Of(const std::filesystem::path& path);

// The raw bytes of a regular file. Anything else (missing, a folder, a device) fails.
FileResult ReadFileBytes(const std::string& path, std::string& bytes);

// The whole text of a file as UTF-8, every line followed by CR LF. Lines may end in CR LF or
// LF; a leading byte-order mark is dropped; a file that is not valid UTF-8 is read as
// Windows-1252. A file that cannot be opened or read gives the empty string.
std::string LlegeixFtx(const std::string& name);

// Creates or replaces the file with the text followed by CR LF, in UTF-8. The text goes to a
// temporary file beside it first, which then takes the file's place, so a failure (disk full,
// no permission) leaves the old file as it was.
FileResult EscriuFtx(std::string_view text, const std::string& name);

// Appends bytes to the end of a file, creating it if missing. When the writing fails the
// file is cut back to what it held before (or removed, if this call created it), so no half
// record is left behind.
FileResult AppendBytes(const std::string& path, std::string_view bytes);

}  // namespace tolvi
