// Whole-file text reading and writing, and the outcome of a file operation as a value.
// Paths are UTF-8 strings. Every failure carries the file's name and the reason, so the
// window can tell the user exactly what was not written and why.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
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
  NotAFile,      // a device, a pipe or anything else that is not a plain file
  Busy,          // another program kept the file locked for too long
  Utf16,         // the file is in UTF-16 (it starts with that byte-order mark)
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

// Reads of the settings files stop after this many bytes: the texts they hold are short,
// and a huge file must not hold up the start of the program.
inline constexpr size_t kSettingsReadLimit = 64 * 1024;

// The raw bytes of a regular file (a symbolic link is followed), at most limit of them.
// Anything else (missing, a folder, a device, a pipe) fails at once, without waiting.
FileResult ReadFileBytes(const std::string& path, std::string& bytes,
                         size_t limit = static_cast<size_t>(-1));

// The whole text of a file as UTF-8, every line followed by CR LF. Lines may end in CR LF or
// LF; a leading byte-order mark is dropped; a file that is not valid UTF-8 is read as
// Windows-1252. A file that cannot be opened or read gives the empty string. With a limit,
// only the first limit bytes are read, cut back to a whole character.
std::string LlegeixFtx(const std::string& name, size_t limit = static_cast<size_t>(-1));

// Creates or replaces the file with the text followed by CR LF, in UTF-8. The text goes to a
// temporary file of a unique name beside it first, is flushed to the disk, and then takes
// the file's place (the folder is flushed too), so a failure (disk full, no permission)
// leaves the old file as it was. A replaced file keeps its permissions; when the name is a
// symbolic link, the file it points to is replaced and the link stays.
FileResult EscriuFtx(std::string_view text, const std::string& name);
// The same replacement with the bytes as given (a PDF, an XML document), nothing added.
FileResult EscriuBytes(std::string_view bytes, const std::string& name);

// What an append sees of the file it is about to extend, while it holds the file's lock.
struct FileSample {
  std::string head;  // the first bytes of the file (all of it when it is short)
  std::string tail;  // the last bytes, when the file is longer than head; else empty
  std::uintmax_t size = 0;
  bool readable = true;  // false when the file could only be opened for writing
  // The file's last byte, or 0 when it is empty (or could not be read).
  char lastByte() const;
};
// The bytes head and tail hold at most.
inline constexpr size_t kSampleBytes = 64 * 1024;

// Decides the bytes to append from the sample. A result that fails (its error is not None)
// stops the append, which then writes nothing and gives that result.
using AppendComposer = std::function<FileResult(const FileSample& sample, std::string& bytes)>;

// Appends to the end of a regular file (following a symbolic link), creating it if missing.
// Another program appending the same way waits: the file is locked from before the sample is
// taken until the bytes are all written, so appends never interleave. When the writing
// fails the file is cut back, under the same lock, to the size it had when the lock was
// taken; nothing is ever removed. A device, a pipe or a folder fails at once.
FileResult AppendToFile(const std::string& path, const AppendComposer& compose);

// AppendToFile with fixed bytes.
FileResult AppendBytes(const std::string& path, std::string_view bytes);

}  // namespace tolvi
