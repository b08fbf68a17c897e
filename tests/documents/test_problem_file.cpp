#include <gtest/gtest.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "documents/child_process.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using namespace std::string_literals;
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

TEST(EncodingOfSample, WhereverTheSampleIsCutTheFileIsJudgedAsAWhole) {
  const std::string utf8 =
      "En una progresi\xC3\xB3n aritm\xC3\xA9tica: C = 100 \xE2\x82\xAC\r\nR:     a\xC3\xB1os "
      "\xF0\x9F\x98\x80\r\n\r\n";
  const std::string cp1252 = Utf8ToWindows1252(utf8);  // no two high bytes side by side
  for (size_t h = 1; h <= utf8.size(); ++h) {
    // A file longer than its head has a tail of one byte or more.
    for (size_t t = h == utf8.size() ? 0 : 1; h + t <= utf8.size(); ++t) {
      const FileSample sample{utf8.substr(0, h), utf8.substr(utf8.size() - t), utf8.size()};
      EXPECT_EQ(EncodingOfSample(sample), ProblemEncoding::Utf8) << h << " " << t;
    }
  }
  for (size_t h = 1; h <= cp1252.size(); ++h) {
    const std::string head = cp1252.substr(0, h);
    if (head.find_first_of("\x80\xB3\xE9\xF1") >= (h < cp1252.size() ? h - 1 : h)) continue;
    for (size_t t = h == cp1252.size() ? 0 : 1; h + t <= cp1252.size(); ++t) {
      const FileSample sample{head, cp1252.substr(cp1252.size() - t), cp1252.size()};
      EXPECT_EQ(EncodingOfSample(sample), ProblemEncoding::Windows1252) << h << " " << t;
    }
  }
  for (const char* bom : {"\xFF\xFE", "\xFE\xFF"})
    EXPECT_EQ(EncodingOfSample({std::string(bom) + "E\0"s, "", 4}), ProblemEncoding::Utf16);
}

TEST(AfegeixPrbs, AppendsInOrderInTheFilesOwnEncodingOnALineOfItsOwn) {
  const Prob probs[] = {{"C = 100 \xE2\x82\xAC", "a\xC3\xB1os"}, {"E3", "R3"}};  // "€", "años"
  const std::string utf8 = EscriuPrb(probs[0]) + EscriuPrb(probs[1]);
  const std::string cp1252 = "C = 100 \x80\r\nR:     a\xF1os\r\n\r\nE3\r\nR:     R3\r\n\r\n";
  const std::pair<std::string, std::string> cases[] = {  // bytes there before, bytes appended
      {"", utf8},
      {"\xC3\xA9\r\n", utf8},
      {"progresi\xF3n\r\n", cp1252},
      {"E\r\nR:     1", "\r\n" + utf8},  // no final line break
      {"E\r\nR:     1\r", "\n" + utf8},  // cut between CR and LF
      // Half a character left by a crash keeps a UTF-8 file UTF-8, then and afterwards.
      {"aritm\xC3\xA9tica\r\nR:     1\xE2\x82", "\r\n" + utf8},
      {"aritm\xC3\xA9tica\r\nR:     1\xE2\x82\r\nE\r\nR:     2\r\n\r\n", utf8},
  };
  for (const auto& [before, appended] : cases) {
    TempFolder dir;
    if (!before.empty()) WriteBytes(dir / "p.txt", before);
    std::vector<std::string> lost;
    ASSERT_TRUE(AfegeixPrbs(dir / "p.txt", probs, &lost));
    EXPECT_EQ(ReadBytes(dir / "p.txt"), before + appended) << PrintToString(before);
    EXPECT_TRUE(lost.empty());
  }
}

TEST(AfegeixPrbs, NamesTheCharactersAWindows1252FileCannotTake) {
  TempFolder dir;
  WriteBytes(dir / "p.txt", "progresi\xF3n\r\n");
  const Prob p{"\xE2\x88\x9A" "2 \xE2\x89\xA0 1", "\xE2\x88\x9A" "3 \xE2\x82\xAC"};  // √2 ≠ 1, √3 €
  std::vector<std::string> lost;
  ASSERT_TRUE(AfegeixPrbs(dir / "p.txt", {&p, 1}, &lost));
  EXPECT_EQ(lost, (std::vector<std::string>{"\xE2\x88\x9A", "\xE2\x89\xA0"}));
  EXPECT_EQ(NameCharacters(lost), "\xE2\x88\x9A (U+221A), \xE2\x89\xA0 (U+2260)");
  EXPECT_EQ(ReadBytes(dir / "p.txt"), "progresi\xF3n\r\n?2 ? 1\r\nR:     ?3 \x80\r\n\r\n");
}

// What is not a plain file is refused before it is opened, for reading, replacing and
// appending alike (the text file's tests); these are the refusals of an append's own.
TEST(AfegeixPrbs, FailuresNameTheFileAndTheReasonAndKeepTheFile) {
  TempFolder dir;
  WriteBytes(dir / "locked.txt", "E\r\nR:     1\r\n\r\n");
  fs::permissions(dir / "locked.txt", fs::perms::owner_read);
  WriteBytes(dir / "utf16.txt", "\xFF\xFE" "E\0\r\0\n\0"s);
  const Prob p{"E", "R"};
  const std::pair<std::string, FileErrorKind> cases[] = {
      {dir / "Prbls/p.txt", FileErrorKind::NoFolder},
      {dir / "utf16.txt", FileErrorKind::Utf16},
      {dir / "locked.txt", FileErrorKind::NoPermission},
  };
  for (const auto& [path, kind] : cases) {
    // The refused permission as an ordinary user, even when the tests run as the superuser.
    auto append = [&] {
      const FileResult r = AfegeixPrbs(path, {&p, 1});
      return r.path == path ? static_cast<int>(r.error) : -2;
    };
    const int got = kind == FileErrorKind::NoPermission
                        ? testing::WaitChild(testing::StartUnprivileged(append))
                        : append();
    EXPECT_EQ(got, static_cast<int>(kind)) << path;
  }
  EXPECT_EQ(ReadBytes(dir / "locked.txt"), "E\r\nR:     1\r\n\r\n");
  EXPECT_EQ(ReadBytes(dir / "utf16.txt"), "\xFF\xFE" "E\0\r\0\n\0"s);
}

TEST(AfegeixPrbs, AFailedAppendTakesBackOnlyWhatItWroteAndRemovesNothing) {
  // In a child whose files may not grow past 16 KiB, a 20 KB problem fails half written.
  TempFolder dir;
  const std::string before = "E\r\nR:     1\r\n\r\n";
  WriteBytes(dir / "p.txt", before);
  fs::create_symlink(dir / "p.txt", dir / "link.txt");
  const Prob big{std::string(20000, 'x'), "R"};
  for (const char* name : {"p.txt", "link.txt", "new.txt"}) {
    const int kind = testing::WaitChild(testing::StartChild(
        [&] { return static_cast<int>(AfegeixPrbs(dir / name, {&big, 1}).error); }, 16384));
    EXPECT_EQ(kind, static_cast<int>(FileErrorKind::DiskFull)) << name;
  }
  EXPECT_EQ(ReadBytes(dir / "p.txt"), before);
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.txt"));
  // Another writer may already have a file it created open: it stays, empty.
  ASSERT_TRUE(fs::exists(dir.path() / "new.txt"));
  EXPECT_EQ(fs::file_size(dir.path() / "new.txt"), 0u);
}

TEST(AfegeixPrbs, AHugeFileIsJudgedByItsEndsNotReadWhole) {
  TempFolder dir;
  const std::string path = dir / "huge.txt";
  constexpr uintmax_t kSize = uintmax_t{1} << 30;
  const std::string last = "progresi\xF3n\r\n";  // Windows-1252, at the very end
  WriteBytes(path, "");
  std::error_code sparse;
  fs::resize_file(path, kSize - last.size(), sparse);
  if (sparse) GTEST_SKIP() << "this file system cannot hold a 1 GB sparse file";
  std::ofstream(path, std::ios::binary | std::ios::app) << last;
  const Prob p{"a\xC3\xB1o", "R"};
  rusage before{}, after{};
  ::getrusage(RUSAGE_SELF, &before);
  ASSERT_TRUE(AfegeixPrbs(path, {&p, 1}));
  ::getrusage(RUSAGE_SELF, &after);
  EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 64 * 1024) << "kilobytes of memory taken";
  const std::string appended = "a\xF1o\r\nR:     R\r\n\r\n";
  ASSERT_EQ(fs::file_size(path), kSize + appended.size());
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(kSize - last.size()));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), last + appended);
}

}  // namespace
}  // namespace tolvi
