#include "documents/encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace tolvi {
namespace {

// Code points of the bytes 0x80..0x9F in Windows-1252; the undefined ones keep their number.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one well-formed sequence at text[i]; returns its length, 0 when malformed.
size_t DecodeOne(std::string_view text, size_t i, char32_t& cp) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t b0 = byte(i);
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  }
  size_t len;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, min = 0x80, cp = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, min = 0x800, cp = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, min = 0x10000, cp = b0 & 0x07;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const uint8_t b = byte(i + k);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    char32_t cp;
    const size_t len = DecodeOne(bytes, i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string Utf8ToWindows1252(std::string_view text, std::vector<std::string>* lost) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    const size_t len = DecodeOne(text, i, cp);
    if (len == 0) {
      out += '?';
      ++i;
      continue;
    }
    const std::string_view character = text.substr(i, len);
    i += len;
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (size_t k = 0; k < kHigh.size(); ++k) {
      if (kHigh[k] == cp) {
        mapped = static_cast<char>(0x80 + k);
        break;
      }
    }
    out += mapped;
    if (mapped == '?' && lost && std::find(lost->begin(), lost->end(), character) == lost->end())
      lost->emplace_back(character);
  }
  return out;
}

std::string DecodeText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::string NameCharacters(const std::vector<std::string>& characters) {
  std::string out;
  for (const std::string& c : characters) {
    char32_t cp = 0;
    if (c.empty() || DecodeOne(c, 0, cp) != c.size()) continue;
    if (!out.empty()) out += ", ";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    out += c + " (" + code + ")";
  }
  return out;
}

size_t Utf8WholeLength(std::string_view bytes) {
  // Look back at most three bytes for the lead byte of the last character.
  const size_t n = bytes.size();
  for (size_t back = 1; back <= 4 && back <= n; ++back) {
    const auto b = static_cast<uint8_t>(bytes[n - back]);
    if ((b & 0xC0) == 0x80) continue;  // a continuation byte: keep looking
    const size_t need = (b & 0xE0) == 0xC0   ? 2
                        : (b & 0xF0) == 0xE0 ? 3
                        : (b & 0xF8) == 0xF0 ? 4
                                             : 1;
    return need > back ? n - back : n;
  }
  return n;
}

size_t Utf8TornStart(std::string_view bytes) {
  size_t i = 0;
  while (i < 3 && i < bytes.size() && (static_cast<uint8_t>(bytes[i]) & 0xC0) == 0x80) ++i;
  return i;
}

Utf8Census CountUtf8(std::string_view bytes) {
  Utf8Census census;
  for (size_t i = 0; i < bytes.size();) {
    char32_t cp;
    const size_t len = DecodeOne(bytes, i, cp);
    if (len > 1) ++census.multibyte;
    if (len > 0) {
      i += len;
      continue;
    }
    ++census.malformed;
    ++i;
    for (int k = 0; k < 3 && i < bytes.size() && (static_cast<uint8_t>(bytes[i]) & 0xC0) == 0x80;
         ++k)
      ++i;
  }
  return census;
}

}  // namespace tolvi
