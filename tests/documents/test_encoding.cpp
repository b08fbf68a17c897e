#include <gtest/gtest.h>

#include <string>

#include "documents/encoding.h"

namespace tolvi {
namespace {

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

TEST(IsValidUtf8, TellsWellFormedTextFromOtherBytes) {
  const Utf8Case cases[] = {
      {"empty", "", true},
      {"ascii", "R:     a5 = 162", true},
      {"euro sign", "\xE2\x82\xAC", true},
      {"four-byte character", "\xF0\x9F\x98\x80", true},
      {"windows-1252 e acute", "caf\xE9", false},
      {"lone continuation byte", "\x80", false},
      {"overlong slash", "\xC0\xAF", false},
      {"overlong three-byte", "\xE0\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"cut short at the end", "ab\xE2\x82", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
}

TEST(Windows1252, ReadsTheCodePageIntoUtf8) {
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"ascii unchanged", "Capital 100", "Capital 100"},
      {"euro 0x80", "5 \x80", "5 \xE2\x82\xAC"},
      {"n tilde 0xF1", "a\xF1o", "a\xC3\xB1o"},
      {"ellipsis 0x85", "\x85", "\xE2\x80\xA6"},
      {"undefined 0x9D kept as a control", "\x9D", "\xC2\x9D"},
  };
  for (const auto& c : cases) EXPECT_EQ(Windows1252ToUtf8(c.bytes), c.text) << c.name;
}

TEST(Windows1252, WritesWhatTheCodePageHoldsAndQuestionMarksTheRest) {
  const struct {
    const char* name;
    std::string text;
    std::string bytes;
  } cases[] = {
      {"euro and n tilde", "\xE2\x82\xAC\xC3\xB1", "\x80\xF1"},
      {"accents of the statements", "progresi\xC3\xB3n", "progresi\xF3n"},
      {"square root is not in the code page", "\xE2\x88\x9A" "2", "?2"},
      {"malformed byte", "a\xFF" "b", "a?b"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToWindows1252(c.text), c.bytes) << c.name;
}

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(all)));
}

}  // namespace
}  // namespace tolvi
