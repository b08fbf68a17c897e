#include "documents/textfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>
#include <system_error>
#include <thread>

#include "documents/encoding.h"
#include "documents/prob.h"

namespace tolvi {
namespace fs = std::filesystem;
namespace {

// How long an append waits for another program to release the file's lock.
constexpr auto kLockWait = std::chrono::seconds(10);

// A file descriptor closed when it goes out of scope (unless it was closed by hand).
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }
  int get() const { return fd_; }
  // Closes now; the errno of a failed close, or 0.
  int close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 && ::close(fd) != 0 && errno != EINTR ? errno : 0;
  }

 private:
  int fd_;
};

// A stat result that is no plain file, as a failure; None for a plain file.
FileErrorKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return FileErrorKind::None;
  return S_ISDIR(mode) ? FileErrorKind::IsFolder : FileErrorKind::NotAFile;
}

// Opens a regular file without ever waiting on it: whatever else has the name is refused
// before it is opened, and checked again on what was opened (it may have changed between).
// A pipe opened without a reader or writer does not block thanks to O_NONBLOCK, which plain
// files ignore.
int OpenRegular(const fs::path& p, const std::string& path, int flags, FileResult& failure) {
  struct stat st {};
  if (::stat(p.c_str(), &st) == 0) {
    if (const FileErrorKind kind = KindOfMode(st.st_mode); kind != FileErrorKind::None) {
      failure = {kind, path, {}};
      return -1;
    }
  } else if (errno != ENOENT || !(flags & O_CREAT)) {
    failure = ErrnoResult(errno, path);
    return -1;
  }
  const int fd = ::open(p.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    failure = ErrnoResult(errno, path);
    return -1;
  }
  if (::fstat(fd, &st) != 0) {
    failure = ErrnoResult(errno, path);
  } else if (const FileErrorKind kind = KindOfMode(st.st_mode); kind != FileErrorKind::None) {
    failure = {kind, path, {}};
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

// Writes every byte, going on after short writes and interruptions; the errno of the
// failure, or 0.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Reads count bytes at offset (fewer only at the end of the file); the errno, or 0.
int ReadAt(int fd, std::uintmax_t offset, size_t count, std::string& out) {
  out.resize(count);
  size_t got = 0;
  while (got < count) {
    const ssize_t n = ::pread(fd, out.data() + got, count - got, static_cast<off_t>(offset + got));
    if (n < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return errno;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  out.resize(got);
  return 0;
}

// Flushes the file's data to the disk. File systems that cannot (some special ones) are not
// a failure.
int SyncData(int fd) {
  if (::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS) return 0;
  return errno;
}

// Takes the exclusive lock, waiting a while for another program to release it. A file
// system that has no locks at all (ENOLCK, EOPNOTSUPP) is written without one.
int LockFile(int fd) {
  const auto deadline = std::chrono::steady_clock::now() + kLockWait;
  auto pause = std::chrono::microseconds(200);
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == ENOLCK || errno == EOPNOTSUPP) return 0;
    if (errno != EWOULDBLOCK) return errno;
    if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
    std::this_thread::sleep_for(pause);
    pause = std::min(pause * 2, std::chrono::microseconds(20000));
  }
  return 0;
}

// The file a name stands for once every symbolic link on its end is followed (the link's
// target may not exist yet: a rewrite then creates it).
int FollowLinks(fs::path& p) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    std::error_code ec;
    const fs::path target = fs::read_symlink(p, ec);
    if (ec) return ec.value();
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return ELOOP;
}

// Six letters or digits, different at every call and in every process.
std::string UniqueTag() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 engine{(static_cast<uint64_t>(std::random_device{}()) << 32) ^
                                      std::random_device{}() ^ static_cast<uint64_t>(::getpid())};
  std::string tag(6, ' ');
  for (char& c : tag) c = kChars[engine() % (sizeof kChars - 1)];
  return tag;
}

// Flushes a folder's entries (a rename in it) to the disk.
int SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno == EACCES ? 0 : errno;  // a folder we may write but not read
  const int err = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS ? 0 : errno;
  ::close(fd);
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
    case ENXIO:
    case ENODEV: return FileErrorKind::NotAFile;
    case EWOULDBLOCK: return FileErrorKind::Busy;
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

FileResult ReadFileBytes(const std::string& path, std::string& bytes, size_t limit) {
  bytes.clear();
  FileResult failure;
  Fd fd(OpenRegular(PathOf(path), path, O_RDONLY, failure));
  if (fd.get() < 0) return failure;
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && st.st_size > 0)
    bytes.reserve(std::min(limit, static_cast<size_t>(st.st_size)));
  char buffer[8192];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      bytes.clear();
      return ErrnoResult(err, path);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return FileResult::Ok(path);
}

std::string LlegeixFtx(const std::string& name, size_t limit) {
  std::string bytes;
  if (!ReadFileBytes(name, bytes, limit)) return {};
  if (bytes.size() >= limit) bytes.resize(Utf8WholeLength(bytes));
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
  std::string bytes(text);
  bytes += NL;
  return EscriuBytes(bytes, name);
}

FileResult EscriuBytes(std::string_view bytes, const std::string& name) {
  fs::path target = PathOf(name);
  if (const int err = FollowLinks(target)) return ErrnoResult(err, name);
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed) {
    if (const FileErrorKind kind = KindOfMode(old.st_mode); kind != FileErrorKind::None)
      return {kind, name, {}};
  } else if (errno != ENOENT) {
    return ErrnoResult(errno, name);
  }

  // A temporary file of a unique name beside the target, so that the rename stays on one
  // disk; created afresh, so the system's default permissions apply to a new file.
  const fs::path folder = target.parent_path();
  fs::path temp;
  Fd fd;
  int err = 0;
  for (int attempt = 0; attempt < 100 && fd.get() < 0; ++attempt) {
    temp = folder / ("." + Utf8Of(target.filename()) + "." + UniqueTag() + ".tmp");
    fd = Fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    err = fd.get() < 0 ? errno : 0;
    if (err != 0 && err != EEXIST) break;
  }
  if (fd.get() < 0) return ErrnoResult(err ? err : EIO, name);

  if (existed) {
    // The replaced file's permissions and, where the system lets us, its owner.
    if (::fchmod(fd.get(), old.st_mode & 07777) != 0) err = errno;
    if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
      // Only the superuser may give a file away: the new file stays the writer's own.
    }
  }
  if (err == 0) err = WriteAll(fd.get(), bytes);
  if (err == 0 && ::fsync(fd.get()) != 0 && errno != EINVAL && errno != EROFS) err = errno;
  if (const int closed = fd.close(); err == 0) err = closed;
  if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    return ErrnoResult(err, name);
  }
  if ((err = SyncFolder(folder)) != 0) return ErrnoResult(err, name);
  return FileResult::Ok(name);
}

char FileSample::lastByte() const {
  if (!tail.empty()) return tail.back();
  return head.empty() ? '\0' : head.back();
}

FileResult AppendToFile(const std::string& path, const AppendComposer& compose) {
  const fs::path p = PathOf(path);
  FileSample sample;
  Fd fd;
  struct stat st {};
  // The name may be given to another file between the open and the lock (a rename): the
  // lock then holds nothing, and the file is opened again.
  for (int attempt = 0;; ++attempt) {
    FileResult failure;
    sample.readable = true;
    fd = Fd(OpenRegular(p, path, O_RDWR | O_APPEND | O_CREAT, failure));
    if (fd.get() < 0 && failure.error == FileErrorKind::NoPermission) {
      sample.readable = false;  // a file we may write but not read
      fd = Fd(OpenRegular(p, path, O_WRONLY | O_APPEND | O_CREAT, failure));
    }
    if (fd.get() < 0) return failure;
    if (const int err = LockFile(fd.get())) return ErrnoResult(err, path);
    struct stat named {};
    if (::fstat(fd.get(), &st) != 0) return ErrnoResult(errno, path);
    if (attempt >= 3 ||
        (::stat(p.c_str(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino))
      break;
  }

  sample.size = static_cast<std::uintmax_t>(st.st_size);
  if (sample.readable && sample.size > 0) {
    const size_t headBytes =
        static_cast<size_t>(std::min<std::uintmax_t>(sample.size, kSampleBytes));
    int err = ReadAt(fd.get(), 0, headBytes, sample.head);
    if (err == 0 && sample.size > headBytes) {
      const size_t tailBytes =
          static_cast<size_t>(std::min<std::uintmax_t>(sample.size - headBytes, kSampleBytes));
      err = ReadAt(fd.get(), sample.size - tailBytes, tailBytes, sample.tail);
    }
    if (err != 0) return ErrnoResult(err, path);
  }

  std::string bytes;
  if (FileResult refused = compose(sample, bytes); !refused) return refused;

  int err = WriteAll(fd.get(), bytes);
  if (err == 0) err = SyncData(fd.get());
  if (err != 0) {
    // Still under the lock: whatever part was written goes, and only that.
    if (::ftruncate(fd.get(), static_cast<off_t>(sample.size)) == 0) SyncData(fd.get());
    return ErrnoResult(err, path);
  }
  if ((err = fd.close()) != 0) return ErrnoResult(err, path);
  return FileResult::Ok(path);
}

FileResult AppendBytes(const std::string& path, std::string_view bytes) {
  return AppendToFile(path, [&](const FileSample&, std::string& out) {
    out.assign(bytes);
    return FileResult::Ok(path);
  });
}

}  // namespace tolvi
