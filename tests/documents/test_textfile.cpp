#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

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
      {"a\r\nb", "a\r\nb\r\n"},   {"a\r\nb\r\n", "a\r\nb\r\n"}, {"a\nb\r\nc", "a\r\nb\r\nc\r\n"},
      {"a\n\nb", "a\r\n\r\nb\r\n"}, {"\r\n", "\r\n"},             {"", ""},
      {"\xEF\xBB\xBF\xE2\x82\xAC", "\xE2\x82\xAC\r\n"},  // the byte-order mark is dropped
      {"\x80", "\xE2\x82\xAC\r\n"},                      // Windows-1252
  };
  TempFolder dir;
  for (const auto& [bytes, text] : cases) {
    WriteBytes(dir / "f.txt", bytes);
    EXPECT_EQ(LlegeixFtx(dir / "f.txt"), text) << PrintToString(bytes);
  }
  EXPECT_EQ(LlegeixFtx(dir / "missing.txt"), "");
  EXPECT_EQ(LlegeixFtx(dir.str()), "");
}

TEST(EscriuFtx, ReplacesTheFileWithTheTextAndALineBreak) {
  TempFolder dir;
  WriteBytes(dir / "NSmb.txt", "old text that is longer than the new one\r\n");
  EXPECT_TRUE(EscriuFtx("\xE2\x82\xAC", dir / "NSmb.txt"));
  EXPECT_EQ(ReadBytes(dir / "NSmb.txt"), "\xE2\x82\xAC\r\n");
  EXPECT_EQ(LlegeixFtx(dir / "NSmb.txt"), "\xE2\x82\xAC\r\n");
  // Only the file itself is left: the temporary copy took its place.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(EscriuFtx, FailuresNameTheFileAndLeaveThingsAsTheyWere) {
  TempFolder dir;
  fs::create_directory(dir.path() / "Prbls");
  for (const auto& [name, kind] : {std::pair{"Prbls", FileErrorKind::IsFolder},
                                   std::pair{"no/such/folder.txt", FileErrorKind::NoFolder}}) {
    const FileResult r = EscriuFtx("x", dir / name);
    EXPECT_EQ(r.error, kind) << name;
    EXPECT_EQ(r.path, dir / name);
  }
  EXPECT_TRUE(fs::is_directory(dir.path() / "Prbls"));

  if (testing::RunningAsRoot()) GTEST_SKIP() << "the superuser may write anywhere";
  WriteBytes(dir / "NSmb.txt", "$\r\n");
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const FileResult r = EscriuFtx("\xE2\x82\xAC", dir / "NSmb.txt");
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(r.error, FileErrorKind::NoPermission);
  EXPECT_EQ(ReadBytes(dir / "NSmb.txt"), "$\r\n");
}

}  // namespace
}  // namespace tolvi
