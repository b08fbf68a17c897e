#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using testing::ReadBytes;
using testing::RunningAsRoot;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(EscriuPrb, LaysOutStatementAnswerAndAnEmptyLine) {
  const struct {
    const char* name;
    Prob prob;
    std::string text;
  } cases[] = {
      {"one line each", {"En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2", "d = 3"},
       "En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2\r\nR:     d = 3\r\n\r\n"},
      {"statement of two lines", {"a1 = 2, r = 3\r\nCalcula: a5", "a5 = 162"},
       "a1 = 2, r = 3\r\nCalcula: a5\r\nR:     a5 = 162\r\n\r\n"},
      {"answer of two lines: only the first carries R:",
       {"E", "a5 = 162\r\nProgresi\xC3\xB3n:  2, 6, 18"},
       "E\r\nR:     a5 = 162\r\nProgresi\xC3\xB3n:  2, 6, 18\r\n\r\n"},
      {"never written record", {}, "\r\nR:     \r\n\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(EscriuPrb(c.prob), c.text) << c.name;
}

TEST(AfegeixPrbs, WritesInOrderAndAppendsToWhatIsThere) {
  TempFolder dir;
  const std::string path = dir / "probs.txt";
  const std::vector<Prob> first = {{"E0", "R0"}, {"E3", "R3"}};
  ASSERT_TRUE(AfegeixPrbs(path, first));
  EXPECT_EQ(ReadBytes(path), "E0\r\nR:     R0\r\n\r\nE3\r\nR:     R3\r\n\r\n");
  const std::vector<Prob> second = {{"E5", "R5"}};
  ASSERT_TRUE(AfegeixPrbs(path, second));
  EXPECT_EQ(ReadBytes(path),
            "E0\r\nR:     R0\r\n\r\nE3\r\nR:     R3\r\n\r\nE5\r\nR:     R5\r\n\r\n");
}

TEST(AfegeixPrbs, KeepsTheFileInOneEncoding) {
  const Prob euro{"C = 100 \xE2\x82\xAC", "a\xC3\xB1os"};  // "€", "años"
  const struct {
    const char* name;
    std::string existing;
    std::string appended;
  } cases[] = {
      {"new file: UTF-8", "", EscriuPrb(euro)},
      {"ascii file: UTF-8", "E\r\nR:     1\r\n\r\n", EscriuPrb(euro)},
      {"UTF-8 file: UTF-8", "\xC3\xA9\r\n", EscriuPrb(euro)},
      {"older Windows-1252 file: Windows-1252", "progresi\xF3n\r\n",
       "C = 100 \x80\r\nR:     a\xF1os\r\n\r\n"},
  };
  for (const auto& c : cases) {
    TempFolder dir;
    const std::string path = dir / "p.txt";
    if (!c.existing.empty()) WriteBytes(path, c.existing);
    ASSERT_TRUE(AfegeixPrbs(path, {&euro, 1})) << c.name;
    EXPECT_EQ(ReadBytes(path), c.existing + c.appended) << c.name;
  }
}

TEST(AfegeixPrbs, FailuresNameTheFileAndTheReason) {
  TempFolder dir;
  fs::create_directory(dir.path() / "old.txt");
  const Prob p{"E", "R"};
  const struct {
    const char* name;
    std::string path;
    FileErrorKind kind;
  } cases[] = {
      {"a folder of that name", dir / "old.txt", FileErrorKind::IsFolder},
      {"folder missing", dir / "Prbls/p.txt", FileErrorKind::NoFolder},
      {"disk full", "/dev/full", FileErrorKind::DiskFull},
  };
  for (const auto& c : cases) {
    if (c.path == "/dev/full" && !fs::exists(c.path)) continue;
    const FileResult r = AfegeixPrbs(c.path, {&p, 1});
    EXPECT_FALSE(r) << c.name;
    EXPECT_EQ(r.error, c.kind) << c.name;
    EXPECT_EQ(r.path, c.path) << c.name;
  }
}

TEST(AfegeixPrbs, ReadOnlyFileIsRefusedAndKept) {
  if (RunningAsRoot()) GTEST_SKIP() << "the superuser may write anywhere";
  TempFolder dir;
  const std::string path = dir / "p.txt";
  WriteBytes(path, "E\r\nR:     1\r\n\r\n");
  fs::permissions(path, fs::perms::owner_read);
  const Prob p{"E2", "R2"};
  EXPECT_EQ(AfegeixPrbs(path, {&p, 1}).error, FileErrorKind::NoPermission);
  EXPECT_EQ(ReadBytes(path), "E\r\nR:     1\r\n\r\n");
}

}  // namespace
}  // namespace tolvi
