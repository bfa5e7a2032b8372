#include "linkmaker/directory_part.h"

#include <gtest/gtest.h>

TEST(DirectoryPartTest, EndsAtTheLastBackslashOrColon) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Windows\\notepad.exe", "C:\\Windows\\"},
      {"C:\\Windows\\Desktop\\Notepad", "C:\\Windows\\Desktop\\"},
      {"notepad.exe", ""},
      {"", ""},
      {"C:notepad.exe", "C:"},
      {"C:/tools/x.exe", "C:"},
      {"/m", ""},
      {"\\\\server\\share\\x", "\\\\server\\share\\"},
  };
  for (const auto& [path, part] : cases) EXPECT_EQ(DirectoryPart(path, nullptr), part) << path;
}

TEST(DirectoryPartTest, TrailBytesOfDoubleByteCharactersAreNoSeparators) {
  // Code page 932 lead bytes: 0x81-0x9F and 0xE0-0xFC; 0x95 0x5C is one character.
  const unsigned char ranges[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
  const LeadByteTable leadBytes = LeadBytesFromRanges(ranges, sizeof ranges);
  EXPECT_EQ(DirectoryPart("C:\\a\\\x95\\", &leadBytes), "C:\\a\\");
  EXPECT_EQ(DirectoryPart("C:\\a\\\x95\\b", &leadBytes), "C:\\a\\");
  EXPECT_EQ(DirectoryPart("C:\\\x95\\\\b", &leadBytes), "C:\\\x95\\\\");
  // Decided from the start: here 0x95 is the trail byte, so the 0x5C after it counts.
  EXPECT_EQ(DirectoryPart("\x81\x95\\b", &leadBytes), "\x81\x95\\");
  // A lead byte at the very end has no trail byte to hide.
  EXPECT_EQ(DirectoryPart("a\\\x95", &leadBytes), "a\\");
  // Without the table every byte is a character of its own.
  EXPECT_EQ(DirectoryPart("C:\\a\\\x95\\b", nullptr), "C:\\a\\\x95\\");
}

TEST(LeadBytesFromRangesTest, StopsAtTheZeroPair) {
  const unsigned char ranges[6] = {0x81, 0x82, 0, 0, 0xE0, 0xE0};
  const LeadByteTable table = LeadBytesFromRanges(ranges, sizeof ranges);
  EXPECT_TRUE(table[0x81] && table[0x82]);
  EXPECT_FALSE(table[0x80] || table[0x83] || table[0xE0] || table[0x5C]);
}
