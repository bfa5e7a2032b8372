#include "cleaner/list_lines.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

TEST(SplitListLinesTest, SplitsAtEveryKindOfLineEnd) {
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"C:\\A\r\nC:\\B\r\n", {"C:\\A", "C:\\B"}},
      {"C:\\A\nC:\\B", {"C:\\A", "C:\\B"}},
      {"C:\\A\rC:\\B", {"C:\\A", "C:\\B"}},
      {"C:\\A\n\rC:\\B", {"C:\\A", "", "C:\\B"}},
      {"C:\\A\r\r\nC:\\B", {"C:\\A", "", "C:\\B"}},
      {"\r\nA\r\n\r\nB", {"", "A", "", "B"}},
      {"\n", {""}},
      {" A \t\r\nA", {" A \t", "A"}},
      {"\xEF\xBB\xBF"
       "A\r\nB",
       {"\xEF\xBB\xBF"
        "A",
        "B"}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(SplitListLines(text), lines) << text;
}

TEST(SplitListLinesTest, FirstNulEndsTheText) {
  EXPECT_EQ(SplitListLines(std::string("A\r\nB\0C\r\nD", 9)), (Lines{"A", "B"}));
  EXPECT_EQ(SplitListLines(std::string("\0A", 2)), Lines{});
  // Latin text saved as UTF-16 ends within its first character.
  EXPECT_EQ(SplitListLines(std::string("C\0:\0\\\0", 6)), (Lines{"C"}));
}
