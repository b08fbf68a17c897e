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

FileResult AfegeixPrbs(const std::string& path, std::span<const Prob> problems) {
  std::string text;
  for (const Prob& p : problems) text += EscriuPrb(p);
  // A file that cannot be read here is left to the append to report.
  std::string existing;
  if (ReadFileBytes(path, existing) && !IsValidUtf8(existing)) text = Utf8ToWindows1252(text);
  return AppendBytes(path, text);
}

}  // namespace tolvi
