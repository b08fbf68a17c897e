// A rewrite whose last step, the rename over the old file, fails. The linker sends this
// program's calls of rename() to __wrap_rename below (-Wl,--wrap=rename), so a test can make the
// system refuse it whoever runs the tests (as root no permission stops a rename).
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "documents/temp_folder.h"
#include "documents/textfile.h"

namespace {
std::atomic<int> gRenameError{0};  // the errno the next renames fail with; 0: they work
}  // namespace

extern "C" int __real_rename(const char* from, const char* to);
extern "C" int __wrap_rename(const char* from, const char* to);
extern "C" int __wrap_rename(const char* from, const char* to) {
  if (const int err = gRenameError.load()) {
    errno = err;
    return -1;
  }
  return __real_rename(from, to);
}

namespace tolvi {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(EscriuBytes, AFailedRenameIsReportedAndLeavesTheFolderAsItWas) {
  for (const bool existed : {true, false}) {
    TempFolder dir;
    if (existed) WriteBytes(dir / "f.txt", "old\r\n");
    gRenameError = ENOSPC;
    const FileResult r = EscriuBytes("new\r\n", dir / "f.txt");
    gRenameError = 0;
    EXPECT_EQ(r.error, FileErrorKind::DiskFull) << existed;
    // The old file untouched (or still absent), and no temporary file left beside it.
    const auto entries = std::distance(std::filesystem::directory_iterator(dir.path()), {});
    EXPECT_EQ(entries, existed ? 1 : 0);
    EXPECT_EQ(ReadBytes(dir / "f.txt"), existed ? "old\r\n" : "");
  }
}

}  // namespace
}  // namespace tolvi
