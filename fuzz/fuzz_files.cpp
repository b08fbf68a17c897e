// Arbitrary bytes as the program's own small files: the currency symbol file, the tools
// list, the language file, and a problem file that problems are appended to. The readers
// must neither crash nor hang and must give back what holds together; the append must keep
// every byte that was there and add one whole record, on a line of its own, in the file's
// encoding.
#include <unistd.h>
#include "fuzz_target.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "app/idiom.h"
#include "app/simbol.h"
#include "app/tools.h"
#include "documents/encoding.h"
#include "documents/problem_file.h"
#include "documents/textfile.h"

namespace {

namespace fs = std::filesystem;

void Require(bool ok) {
  if (!ok) std::abort();
}

// A folder of this run where the settings files are links to one file, "data"; removed at
// exit (it outlives every static object, so the exit handler still finds it).
const fs::path& Folder() {
  static const fs::path* const folder = [] {
    // In memory where the system has such a folder: every append is flushed to the disk.
    std::error_code ec;
    const fs::path base =
        fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    const auto* p = new fs::path(base / ("tolvi-fuzz-files-" + std::to_string(::getpid())));
    fs::remove_all(*p);
    fs::create_directories(*p);
    for (const char* name : {"NSmb.txt", "Tools.rel", "Lng.txt"})
      fs::create_symlink("data", *p / name);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(Folder(), ignored);
    });
    return p;
  }();
  return *folder;
}

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every line ends in CR LF, and no line feed stands alone.
bool CrLfLines(std::string_view text) {
  if (!text.empty() && !text.ends_with("\r\n")) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  return true;
}

void CheckSettings(const std::string& folder, const std::string& data) {
  const std::string text = tolvi::LlegeixFtx(data);
  Require(tolvi::IsValidUtf8(text) && CrLfLines(text));
  const std::string start = tolvi::LlegeixFtx(folder + "/NSmb.txt", 100);
  Require(tolvi::IsValidUtf8(start) && CrLfLines(start));

  const tolvi::SimbolDesat symbol = tolvi::LlegeixSimbol(start);
  Require(symbol.NSmb >= -1 && symbol.NSmb <= 3);
  Require(!symbol.propi || symbol.NSmb == 3);
  Require(!tolvi::TeControls(symbol.simbol));
  Require(tolvi::PrimersCars(symbol.simbol, tolvi::kSimbolMax) == symbol.simbol);

  // The tools read back as themselves once written.
  tolvi::ToolList list;
  Require(tolvi::LlegeixTools(list, folder));
  Require(list.NTools >= 0 && list.NTools <= tolvi::kMaxTools);
  tolvi::ToolList back;
  tolvi::ToolsDelText(back, tolvi::TextTools(list));
  Require(back.NTools == list.NTools);
  for (int16_t i = 1; i <= list.NTools; ++i) {
    Require(!list.Tools[static_cast<size_t>(i)].Titol.empty());
    Require(back.Tools[static_cast<size_t>(i)] == list.Tools[static_cast<size_t>(i)]);
  }

  std::string item;
  const bool found = tolvi::LlegeixLng(folder, item);
  Require(found == !item.empty());
  Require(item == tolvi::LectorItems(text).llegeix());
  Require(tolvi::Coneguda(tolvi::IdiomaDelText(item)));
}

void CheckAppend(const std::string& data, std::string_view before) {
  const tolvi::Prob prob{
      "a\xC3\xB1o \xE2\x88\x9A"
      "2",
      "R:  5 \xE2\x82\xAC"};  // año √2, 5 €
  std::vector<std::string> lost;
  const tolvi::FileResult written = tolvi::AfegeixPrbs(data, {&prob, 1}, &lost);
  const std::string after = Read(data);
  // The whole file fits in the sample, which is then all of it.
  const tolvi::ProblemEncoding encoding =
      tolvi::EncodingOfSample({std::string(before), "", before.size()});
  if (!written) {
    Require(written.error == tolvi::FileErrorKind::Utf16 &&
            encoding == tolvi::ProblemEncoding::Utf16 && after == before);
    return;
  }
  Require(after.compare(0, before.size(), before) == 0);
  std::string record = tolvi::EscriuPrb(prob);
  if (encoding == tolvi::ProblemEncoding::Windows1252) record = tolvi::Utf8ToWindows1252(record);
  const char last = before.empty() ? '\n' : before.back();
  const std::string lineBreak = last == '\n' ? "" : last == '\r' ? "\n" : "\r\n";
  Require(after.substr(before.size()) == lineBreak + record);
  Require(lost.empty() == (encoding == tolvi::ProblemEncoding::Utf8));
  if (tolvi::IsValidUtf8(before))
    Require(encoding == tolvi::ProblemEncoding::Utf8 && tolvi::IsValidUtf8(after));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view before(reinterpret_cast<const char*>(bytes), size);
  const std::string folder = tolvi::Utf8Of(Folder());
  const std::string data = folder + "/data";
  std::ofstream(data, std::ios::binary | std::ios::trunc)
      .write(before.data(), static_cast<std::streamsize>(size));
  CheckSettings(folder, data);
  CheckAppend(data, before);
  return 0;
}
