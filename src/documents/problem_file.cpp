#include "documents/problem_file.h"

#include "documents/encoding.h"

namespace tolvi {

std::string EscriuPrb(const Prob& problem) {
  std::string out;
  out.reserve(problem.Enun.size() + problem.Resp.size() + 16);
  out += problem.Enun;
  out += NL;
  out += "R:     ";
  out += problem.Resp;
  out += NL;
  out += NL;
  return out;
}

ProblemEncoding EncodingOfSample(const FileSample& sample) {
  std::string_view head = sample.head;
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return ProblemEncoding::Utf16;
  if (sample.size > head.size()) head = head.substr(0, Utf8WholeLength(head));
  std::string_view tail = sample.tail;
  tail.remove_prefix(Utf8TornStart(tail));
  const Utf8Census first = CountUtf8(head), last = CountUtf8(tail);
  return first.malformed + last.malformed > first.multibyte + last.multibyte
             ? ProblemEncoding::Windows1252
             : ProblemEncoding::Utf8;
}

FileResult AfegeixPrbs(const std::string& path, std::span<const Prob> problems,
                       std::vector<std::string>* lost) {
  std::string text;
  for (const Prob& p : problems) text += EscriuPrb(p);
  return AppendToFile(path, [&](const FileSample& sample, std::string& bytes) {
    const ProblemEncoding encoding = EncodingOfSample(sample);
    if (encoding == ProblemEncoding::Utf16) return FileResult{FileErrorKind::Utf16, path, {}};
    // Line breaks are the same bytes in both encodings.
    const char last = sample.lastByte();
    if (sample.size > 0 && sample.readable && last != '\n') bytes = last == '\r' ? "\n" : NL;
    bytes += encoding == ProblemEncoding::Windows1252 ? Utf8ToWindows1252(text, lost) : text;
    return FileResult::Ok(path);
  });
}

}  // namespace tolvi
