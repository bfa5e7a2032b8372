#include "cleaner/tree_delete.h"

#include <gtest/gtest.h>

TEST(WithTrailingSeparatorTest, FollowsTheSeparatorRules) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"C:\\TEMP", "C:\\TEMP\\"},
      {"C:\\TEMP\\", "C:\\TEMP\\"},
      {"C:", "C:"},
      {"c", "c:\\"},
      {"Z", "Z:\\"},
      {"1", "1\\"},
      {"ab", "ab\\"},
      {"C:\\TEMP/", "C:\\TEMP/\\"},
      {"\\", "\\"},
      {"[", "[\\"},
      {"\xe1", "\xe1\\"},
  };
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(WithTrailingSeparator(path), expected) << path;
}

TEST(WalkPrefixTest, ReadsALoneLetterAsARelativeDirectory) {
  EXPECT_EQ(WalkPrefix("c"), "c\\");
  EXPECT_EQ(WalkPrefix("Z"), "Z\\");
  EXPECT_EQ(WalkPrefix("C:"), "C:");
  EXPECT_EQ(WalkPrefix("C:\\TEMP"), "C:\\TEMP\\");
  EXPECT_EQ(WalkPrefix("1"), "1\\");
}
