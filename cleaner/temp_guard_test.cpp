#include "cleaner/temp_guard.h"

#include <gtest/gtest.h>

TEST(IsProtectedDirectoryTest, RootsAreNeverCleared) {
  for (const char* root : {"C:\\", "c:", "\\", "", "\\\\server\\share\\", "\\\\server\\"}) {
    EXPECT_TRUE(IsProtectedDirectory(root, {})) << root;
  }
}

TEST(IsProtectedDirectoryTest, SystemDirectoriesMatchWhateverTheirCaseAndSeparator) {
  const std::vector<std::string> system = {"C:\\windows", "C:\\windows\\system32", "",
                                           "C:\\users\\Joe"};
  EXPECT_TRUE(IsProtectedDirectory("C:\\WINDOWS\\", system));
  EXPECT_TRUE(IsProtectedDirectory("c:\\Windows\\System32\\", system));
  EXPECT_TRUE(IsProtectedDirectory("C:\\users\\joe\\", system));
  EXPECT_FALSE(IsProtectedDirectory("C:\\users\\Joe\\Temp\\", system));
  EXPECT_FALSE(IsProtectedDirectory("C:\\windows\\Temp\\", system));
  EXPECT_FALSE(IsProtectedDirectory("\\\\server\\share\\tmp\\", system));
}
