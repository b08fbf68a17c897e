#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "documents/problem_file.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using ::testing::PrintToString;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(EscriuPrb, StatementThenTheAnswerAfterRThenAnEmptyLine) {
  const std::pair<Prob, std::string> cases[] = {
      {{"a1 = 2, r = 3\r\nCalcula: a5", "a5 = 162"},
       "a1 = 2, r = 3\r\nCalcula: a5\r\nR:     a5 = 162\r\n\r\n"},
      {{"E", "a5 = 162\r\nProgresi\xC3\xB3n:  2, 6"},  // only the first line carries R:
       "E\r\nR:     a5 = 162\r\nProgresi\xC3\xB3n:  2, 6\r\n\r\n"},
      {{}, "\r\nR:     \r\n\r\n"},
  };
  for (const auto& [prob, text] : cases) EXPECT_EQ(EscriuPrb(prob), text) << prob.Resp;
}

TEST(AfegeixPrbs, AppendsInOrderInTheFilesOwnEncoding) {
  const Prob probs[] = {{"C = 100 \xE2\x82\xAC", "a\xC3\xB1os"}, {"E3", "R3"}};  // "€", "años"
  const std::string utf8 = EscriuPrb(probs[0]) + EscriuPrb(probs[1]);
  const std::pair<std::string, std::string> cases[] = {  // bytes there before, bytes appended
      {"", utf8},
      {"\xC3\xA9\r\n", utf8},
      {"progresi\xF3n\r\n", "C = 100 \x80\r\nR:     a\xF1os\r\n\r\nE3\r\nR:     R3\r\n\r\n"},
  };
  for (const auto& [before, appended] : cases) {
    TempFolder dir;
    if (!before.empty()) WriteBytes(dir / "p.txt", before);
    ASSERT_TRUE(AfegeixPrbs(dir / "p.txt", probs));
    EXPECT_EQ(ReadBytes(dir / "p.txt"), before + appended) << PrintToString(before);
  }
}

TEST(AfegeixPrbs, FailuresNameTheFileAndTheReasonAndKeepTheFile) {
  TempFolder dir;
  fs::create_directory(dir.path() / "old.txt");
  WriteBytes(dir / "locked.txt", "E\r\nR:     1\r\n\r\n");
  fs::permissions(dir / "locked.txt", fs::perms::owner_read);
  const Prob p{"E", "R"};
  const std::pair<std::string, FileErrorKind> cases[] = {
      {dir / "old.txt", FileErrorKind::IsFolder},
      {dir / "Prbls/p.txt", FileErrorKind::NoFolder},
      {"/dev/full", FileErrorKind::DiskFull},
      {dir / "locked.txt", FileErrorKind::NoPermission},
  };
  for (const auto& [path, kind] : cases) {
    if ((path == "/dev/full" && !fs::exists(path)) ||
        (kind == FileErrorKind::NoPermission && testing::RunningAsRoot()))
      continue;
    const FileResult r = AfegeixPrbs(path, {&p, 1});
    EXPECT_EQ(r.error, kind) << path;
    EXPECT_EQ(r.path, path);
  }
  EXPECT_EQ(ReadBytes(dir / "locked.txt"), "E\r\nR:     1\r\n\r\n");
}

}  // namespace
}  // namespace tolvi
