#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <utility>

#include "documents/child_process.h"
#include "documents/temp_folder.h"
#include "documents/textfile.h"

namespace tolvi {
namespace {

using ::testing::PrintToString;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(LlegeixFtx, GivesEveryLineFollowedByCrLf) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\r\nb\r\n", "a\r\nb\r\n"}, {"a\nb\r\nc", "a\r\nb\r\nc\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"}, {"", ""},
      {"\xEF\xBB\xBF\xE2\x82\xAC", "\xE2\x82\xAC\r\n"},  // the byte-order mark is dropped
      {"\x80", "\xE2\x82\xAC\r\n"},                      // Windows-1252
  };
  TempFolder dir;
  for (const auto& [bytes, text] : cases) {
    WriteBytes(dir / "f.txt", bytes);
    EXPECT_EQ(LlegeixFtx(dir / "f.txt"), text) << PrintToString(bytes);
  }
}

TEST(LlegeixFtx, ALimitedReadEndsOnAWholeCharacter) {
  TempFolder dir;
  WriteBytes(dir / "f.txt", "3\xE2\x82\xAC\xE2\x82\xAC" + std::string(1 << 20, 'x'));
  // A torn "€" is cut off, never read as Windows-1252.
  const std::pair<size_t, std::string> cases[] = {
      {1, "3"}, {3, "3"}, {4, "3\xE2\x82\xAC"}, {6, "3\xE2\x82\xAC"},
      {8, "3\xE2\x82\xAC\xE2\x82\xAC" "x"}};
  for (const auto& [limit, text] : cases)
    EXPECT_EQ(LlegeixFtx(dir / "f.txt", limit), text + "\r\n") << limit;
}

// The text and a line break replace the file whole; a link keeps pointing at the replaced
// file, which keeps its permissions, and only it is left: the temporary copy took its place.
TEST(EscriuFtx, ReplacesTheFileWholeThroughALinkKeepingItsPermissions) {
  TempFolder dir;
  fs::create_directory(dir.path() / "real");
  WriteBytes(dir / "real/Tools.rel", "old text that is longer than the new one\r\n");
  const fs::perms kept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(dir / "real/Tools.rel", kept);
  fs::create_symlink("real/Tools.rel", dir.path() / "Tools.rel");  // relative to its folder
  // Temporary files of an earlier run, under any name, are no obstacle.
  for (int n = 0; n < 100; ++n) WriteBytes(dir / ("real/Tools.rel." + std::to_string(n) + ".tmp"), "");
  ASSERT_TRUE(EscriuFtx("\xE2\x82\xAC", dir / "Tools.rel"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "Tools.rel"));
  EXPECT_EQ(ReadBytes(dir / "real/Tools.rel"), "\xE2\x82\xAC\r\n");
  EXPECT_EQ(fs::status(dir.path() / "real/Tools.rel").permissions(), kept);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "real"), fs::directory_iterator()), 101);

  // A link to nowhere yet: its target is created.
  fs::create_symlink("real/NSmb.txt", dir.path() / "NSmb.txt");
  ASSERT_TRUE(EscriuFtx("0", dir / "NSmb.txt"));
  EXPECT_TRUE(fs::is_symlink(dir.path() / "NSmb.txt"));
  EXPECT_EQ(ReadBytes(dir / "real/NSmb.txt"), "0\r\n");
}

// Only a plain file is read or replaced, and nothing else makes either wait; a failure (also
// of a write the disk refuses) names the file and its reason, and leaves things as they were.
TEST(TextFile, OnlyPlainFilesAndFailuresLeaveThingsAsTheyWere) {
  ::alarm(10);  // a pipe that made a read or write wait would end the test here
  TempFolder dir;
  fs::create_directory(dir.path() / "Prbls");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  const struct {
    const char* name;
    FileErrorKind read, write;
  } cases[] = {
      {"pipe", FileErrorKind::NotAFile, FileErrorKind::NotAFile},
      {"Prbls", FileErrorKind::IsFolder, FileErrorKind::IsFolder},
      {"no/such/folder.txt", FileErrorKind::NoFolder, FileErrorKind::NoFolder},
      {"missing", FileErrorKind::NotFound, FileErrorKind::None},  // a write creates it
  };
  for (const auto& c : cases) {
    std::string bytes = "x";
    EXPECT_EQ(ReadFileBytes(dir / c.name, bytes).error, c.read) << c.name;
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(LlegeixFtx(dir / c.name), "");
    if (c.write == FileErrorKind::None) continue;
    const FileResult r = EscriuFtx("x", dir / c.name);
    EXPECT_EQ(r.error, c.write) << c.name;
    EXPECT_EQ(r.path, dir / c.name);
  }
  ::alarm(0);
  EXPECT_TRUE(fs::is_directory(dir.path() / "Prbls"));
  EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe"));
  // A write the disk refuses half way (files may not grow past 16 KiB there) is told, and the
  // old file stays whole.
  WriteBytes(dir / "NSmb.txt", "$\r\n");
  const int kind = testing::WaitChild(testing::StartChild(
      [&] { return static_cast<int>(EscriuFtx(std::string(20000, 'x'), dir / "NSmb.txt").error); },
      16384));
  EXPECT_EQ(kind, static_cast<int>(FileErrorKind::DiskFull));
  EXPECT_EQ(ReadBytes(dir / "NSmb.txt"), "$\r\n");

  // A refused permission, seen as an ordinary user even when the tests run as the superuser.
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const int refused = testing::WaitChild(testing::StartUnprivileged(
      [&] { return static_cast<int>(EscriuFtx("\xE2\x82\xAC", dir / "NSmb.txt").error); }));
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(refused, static_cast<int>(FileErrorKind::NoPermission));
  EXPECT_EQ(ReadBytes(dir / "NSmb.txt"), "$\r\n");
}

}  // namespace
}  // namespace tolvi
