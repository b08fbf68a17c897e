#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "documents/temp_folder.h"
#include "documents/textfile.h"

namespace tolvi {
namespace {

using testing::ReadBytes;
using testing::RunningAsRoot;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(LlegeixFtx, GivesEveryLineFollowedByCrLf) {
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"a CRLF b", "a\r\nb", "a\r\nb\r\n"},
      {"a CRLF b CRLF", "a\r\nb\r\n", "a\r\nb\r\n"},
      {"LF line ends", "a\nb\n", "a\r\nb\r\n"},
      {"mixed line ends", "a\nb\r\nc", "a\r\nb\r\nc\r\n"},
      {"empty lines kept", "a\n\nb", "a\r\n\r\nb\r\n"},
      {"one empty line", "\r\n", "\r\n"},
      {"empty file", "", ""},
      {"byte-order mark dropped", "\xEF\xBB\xBF\xE2\x82\xAC", "\xE2\x82\xAC\r\n"},
      {"windows-1252 euro", "\x80", "\xE2\x82\xAC\r\n"},
  };
  TempFolder dir;
  for (const auto& c : cases) {
    WriteBytes(dir / "f.txt", c.bytes);
    EXPECT_EQ(LlegeixFtx(dir / "f.txt"), c.text) << c.name;
  }
}

TEST(LlegeixFtx, AnythingUnreadableIsEmpty) {
  TempFolder dir;
  EXPECT_EQ(LlegeixFtx(dir / "missing.txt"), "");
  EXPECT_EQ(LlegeixFtx(dir.path().string()), "");
}

TEST(EscriuFtx, ReplacesTheFileWithTheTextAndALineBreak) {
  TempFolder dir;
  const std::string name = dir / "NSmb.txt";
  WriteBytes(name, "old text that is longer than the new one\r\n");
  const FileResult r = EscriuFtx("\xE2\x82\xAC", name);
  EXPECT_TRUE(r);
  EXPECT_EQ(ReadBytes(name), "\xE2\x82\xAC\r\n");
  EXPECT_EQ(LlegeixFtx(name), "\xE2\x82\xAC\r\n");
  // Only the file itself is left: the temporary copy took its place.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(EscriuFtx, FailuresNameTheFileAndLeaveThingsAsTheyWere) {
  TempFolder dir;
  fs::create_directory(dir.path() / "Prbls");
  FileResult r = EscriuFtx("x", dir / "Prbls");
  EXPECT_EQ(r.error, FileErrorKind::IsFolder);
  EXPECT_EQ(r.path, dir / "Prbls");
  EXPECT_TRUE(fs::is_directory(dir.path() / "Prbls"));

  r = EscriuFtx("x", dir / "no/such/folder.txt");
  EXPECT_EQ(r.error, FileErrorKind::NoFolder);
  EXPECT_EQ(r.path, dir / "no/such/folder.txt");
}

TEST(EscriuFtx, ReadOnlyFolderKeepsTheOldFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "the superuser may write anywhere";
  TempFolder dir;
  const std::string name = dir / "NSmb.txt";
  WriteBytes(name, "$\r\n");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const FileResult r = EscriuFtx("\xE2\x82\xAC", name);
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(r.error, FileErrorKind::NoPermission);
  EXPECT_EQ(ReadBytes(name), "$\r\n");
}

TEST(AppendBytes, DiskFullIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  const FileResult r = AppendBytes("/dev/full", "R:     1\r\n");
  EXPECT_EQ(r.error, FileErrorKind::DiskFull);
  EXPECT_EQ(r.path, "/dev/full");
}

TEST(AppendBytes, AFailedFirstWriteLeavesNoEmptyFile) {
  TempFolder dir;
  EXPECT_EQ(AppendBytes(dir / "missing/p.txt", "x").error, FileErrorKind::NoFolder);
  EXPECT_FALSE(fs::exists(dir.path() / "missing"));
}

}  // namespace
}  // namespace tolvi
