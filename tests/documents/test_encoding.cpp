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

TEST(Windows1252, ConvertsBothWaysAndQuestionMarksWhatItCannotHold) {
  const std::pair<std::string, std::string> read[] = {  // bytes, UTF-8 text
      {"5 \x80", "5 \xE2\x82\xAC"}, {"a\xF1o", "a\xC3\xB1o"}, {"\x9D", "\xC2\x9D"}};
  for (const auto& [bytes, text] : read)
    EXPECT_EQ(Windows1252ToUtf8(bytes), text) << PrintToString(bytes);
  const std::pair<std::string, std::string> written[] = {  // UTF-8 text, bytes
      {"\xE2\x82\xAC\xC3\xB1", "\x80\xF1"}, {"\xE2\x88\x9A" "2", "?2"}, {"a\xFF" "b", "a?b"}};
  for (const auto& [text, bytes] : written)
    EXPECT_EQ(Utf8ToWindows1252(text), bytes) << PrintToString(text);

  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
  EXPECT_TRUE(IsValidUtf8(Windows1252ToUtf8(all)));
}

}  // namespace
}  // namespace tolvi
