// Several programs appending problems to one file at the same time, as a class sharing a
// folder does: every problem a writer was told is saved must be in the file whole, in one
// piece, and the file must stay valid in its encoding; a writer that fails (its disk full)
// must leave nothing of its own behind and take nothing of the others'.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "documents/child_process.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "documents/temp_folder.h"

namespace tolvi {
namespace {

using Saved = std::set<std::pair<int, int>>;  // (writer, round)

// Round r of writer w: a problem of one to several KiB (past the sizes a C library writes in
// one piece), its first line naming it.
Prob Record(int w, int r) {
  std::string enun = "W" + std::to_string(w) + " R" + std::to_string(r) + " ";
  const int pieces = 10 + (w * 7 + r * 13) % 60;
  for (int i = 0; i < pieces; ++i) enun += "En una progresi\xC3\xB3n aritm\xC3\xA9tica: a1 = 2, ";
  return {enun + "\r\nCalcula: a5", "a5 = 14 \xE2\x82\xAC\r\nProgresi\xC3\xB3n:  2, 5, 8"};
}

struct Writer {
  int rounds;
  rlim_t fileLimit = RLIM_INFINITY;  // a full disk for this writer past that size
};

// Runs the writers at once, each in its own process, appending to path one record a round;
// answers what each reported saved.
Saved RunWriters(const std::string& path, const std::vector<Writer>& writers) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  std::vector<pid_t> pids;
  for (size_t w = 0; w < writers.size(); ++w) {
    pids.push_back(testing::StartChild(
        [&, w] {
          ::close(fds[0]);
          for (int r = 0; r < writers[w].rounds; ++r) {
            const Prob p = Record(static_cast<int>(w), r);
            if (AfegeixPrbs(path, {&p, 1})) ::dprintf(fds[1], "%zu %d\n", w, r);
          }
          return 0;
        },
        writers[w].fileLimit));
  }
  ::close(fds[1]);
  ::alarm(60);  // writers that never finished would end the test here
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0)
      report.append(buffer, static_cast<size_t>(n));
    else if (errno != EINTR)
      break;
  }
  ::alarm(0);
  ::close(fds[0]);
  for (pid_t pid : pids) EXPECT_EQ(testing::WaitChild(pid), 0);
  Saved saved;
  int w = 0, r = 0, used = 0;
  for (const char* p = report.c_str(); std::sscanf(p, "%d %d\n%n", &w, &r, &used) == 2; p += used)
    saved.insert({w, r});
  return saved;
}

// The file after its first header bytes must be whole UTF-8 records, each once, and exactly
// those reported saved.
void ExpectWholeRecords(const std::string& file, size_t header, const Saved& saved) {
  EXPECT_TRUE(IsValidUtf8(file));
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
  std::vector<Writer> writers(6, Writer{30});
  writers[0].fileLimit = 100 * 1024;  // fails once the shared file passes 100 KiB
  const Saved saved = RunWriters(dir / "p.txt", writers);
  const std::string file = testing::ReadBytes(dir / "p.txt");
  ASSERT_TRUE(file.starts_with(header));
  ExpectWholeRecords(file, header.size(), saved);
  size_t first = 0;
  for (const auto& [w, r] : saved) first += w == 0;
  EXPECT_LT(first, 30u) << "writer 0 never met its full disk";
  EXPECT_EQ(saved.size() - first, 5u * 30u);
}

}  // namespace
}  // namespace tolvi
