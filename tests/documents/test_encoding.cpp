#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "documents/encoding.h"

namespace tolvi {
namespace {

using ::testing::PrintToString;

TEST(IsValidUtf8, ShortestFormsUpToU10FFFFOnly) {
  const std::pair<std::string, bool> cases[] = {
      {"R:     a5 = 162", true}, {"\xE2\x82\xAC", true}, {"\xF0\x9F\x98\x80", true},
      {"caf\xE9", false},     {"\x80", false},        {"\xC0\xAF", false},
      {"\xE0\x80\xAF", false}, {"\xED\xA0\x80", false}, {"\xF4\x90\x80\x80", false},
      {"ab\xE2\x82", false},
  };
  for (const auto& [bytes, valid] : cases)
    EXPECT_EQ(IsValidUtf8(bytes), valid) << PrintToString(bytes);
}

// Every byte reads as a character that writes back as that byte ("€" read from a file, "€"
// and "ñ" written into one, are in the text file's and the problem file's tests); what the
// code page cannot hold, or is not UTF-8, is written "?".
TEST(Windows1252, ConvertsBothWaysAndQuestionMarksWhatItCannotHold) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(all)));
  EXPECT_EQ(Utf8ToWindows1252("\xE2\x88\x9A" "2 a\xFF" "b"), "?2 a?b");
}

}  // namespace
}  // namespace tolvi
