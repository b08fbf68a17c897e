// Several programs appending problems to one file at the same time, as a class sharing a
// folder does: every problem a writer was told is saved must be in the file whole, in one
// piece, and the file must stay valid in its encoding; a writer that fails (its disk full)
// must leave nothing of its own behind and take nothing of the others'.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "documents/child_process.h"
#include "documents/problem_file.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using Saved = std::set<std::pair<int, int>>;  // (writer, round)
constexpr int kRounds = 30;

// Round r of writer w: a problem of one to several KiB (past the sizes a C library writes in
// one piece), its first line naming it.
Prob Record(int w, int r) {
  std::string enun = "W" + std::to_string(w) + " R" + std::to_string(r) + " ";
  const int pieces = 10 + (w * 7 + r * 13) % 60;
  for (int i = 0; i < pieces; ++i) enun += "En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2, ";
  return {enun + "\r\nCalcula: a5", "a5 = 14 \xE2\x82\xAC\r\nProgresi\xC3\xB3n:  2, 5, 8"};
}

// Runs the writers at once, each in its own process and with a full disk past its file limit,
// appending to dir/p.txt one record a round; answers what each reported saved (in a report
// file of its own).
Saved RunWriters(const testing::TempFolder& dir, const std::vector<rlim_t>& fileLimits) {
  std::vector<pid_t> pids;
  for (size_t w = 0; w < fileLimits.size(); ++w) {
    pids.push_back(testing::StartChild(
        [&, w] {
          std::ofstream report(dir / ("report" + std::to_string(w)));
          for (int r = 0; r < kRounds; ++r) {
            const Prob p = Record(static_cast<int>(w), r);
            if (AfegeixPrbs(dir / "p.txt", {&p, 1})) report << r << std::endl;
          }
          return 0;
        },
        fileLimits[w]));
  }
  ::alarm(60);  // writers that never finished would end the test here
  for (pid_t pid : pids) EXPECT_EQ(testing::WaitChild(pid), 0);
  ::alarm(0);
  Saved saved;
  for (size_t w = 0; w < fileLimits.size(); ++w) {
    std::ifstream report(dir / ("report" + std::to_string(w)));
    for (int r = 0; report >> r;) saved.insert({static_cast<int>(w), r});
  }
  return saved;
}

// The file after its first header bytes must be whole records, each once, and exactly those
// reported saved (so it is as valid UTF-8 as they are).
void ExpectWholeRecords(const std::string& file, size_t header, const Saved& saved) {
  Saved found;
  size_t pos = header;
  while (pos < file.size()) {
    int w = -1, r = -1;
    if (std::sscanf(file.c_str() + pos, "W%d R%d ", &w, &r) != 2) {
      ADD_FAILURE() << "no record starts at byte " << pos << ": "
                    << ::testing::PrintToString(file.substr(pos, 80));
      return;
    }
    const std::string record = EscriuPrb(Record(w, r));
    if (file.compare(pos, record.size(), record) != 0) {
      ADD_FAILURE() << "record W" << w << " R" << r << " is broken at byte " << pos;
      return;
    }
    EXPECT_TRUE(found.insert({w, r}).second) << "W" << w << " R" << r << " written twice";
    pos += record.size();
  }
  EXPECT_EQ(found, saved);
}

// Six writers at once, one of them with a full disk: the other five have every problem saved.
TEST(AppendStress, AWriterWithAFullDiskTakesBackOnlyItsOwnHalfRecords) {
  testing::TempFolder dir;
  std::string header;
  while (header.size() < 90 * 1024) header += "Problemas de progresiones\r\n";
  testing::WriteBytes(dir / "p.txt", header);
  std::vector<rlim_t> fileLimits(6, RLIM_INFINITY);
  fileLimits[0] = 100 * 1024;  // fails once the shared file passes 100 KiB
  const Saved saved = RunWriters(dir, fileLimits);
  const std::string file = testing::ReadBytes(dir / "p.txt");
  ASSERT_TRUE(file.starts_with(header));
  ExpectWholeRecords(file, header.size(), saved);
  size_t first = 0;
  for (const auto& [w, r] : saved) first += w == 0;
  EXPECT_LT(first, size_t{kRounds}) << "writer 0 never met its full disk";
  EXPECT_EQ(saved.size() - first, 5u * kRounds);
}

}  // namespace
}  // namespace tolvi
