#include "linkmaker/shell_link.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/com.h"
#include "tests/support/link_reader.h"
#include "tests/support/sandbox.h"

namespace {

class ShellLinkTest : public ::testing::Test {
 protected:
  const ComApartment apartment_;
  Sandbox box_;
};

struct TargetCase {
  const char* target;
  const char* workingDirectory;
};

void PrintTo(const TargetCase& target, std::ostream* out) { *out << target.target; }

class ShellLinkTargetTest : public ShellLinkTest,
                            public ::testing::WithParamInterface<TargetCase> {};

TEST_P(ShellLinkTargetTest, SetsTargetWorkingDirectoryAndIcon) {
  const std::string linkFile = box_.Path("x.lnk");
  const TargetCase& target = GetParam();
  ASSERT_TRUE(CreateShellLink(target.target, linkFile, target.target, 3));
  const LinkFields fields = ReadShellLink(linkFile);
  ASSERT_TRUE(fields.loaded);
  EXPECT_EQ(fields.workingDirectory, target.workingDirectory);
  EXPECT_EQ(fields.iconFile, target.target);
  EXPECT_EQ(fields.iconIndex, 3);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ShellLinkTargetTest,
    ::testing::Values(TargetCase{"C:\\windows\\notepad.exe", "C:\\windows\\"},
                      TargetCase{"notepad.exe", ""}, TargetCase{"C:notepad.exe", "C:"},
                      TargetCase{"C:/tools/x.exe", "C:"},
                      TargetCase{"C:\\does\\not\\exist.exe", "C:\\does\\not\\"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(ShellLinkTest, ThePathReadsBackAsGiven) {
  ASSERT_TRUE(CreateShellLink("C:\\windows\\notepad.exe", box_.Path("n.lnk"), "", 7));
  const LinkFields fields = ReadShellLink(box_.Path("n.lnk"));
  EXPECT_STRCASEEQ(fields.path.c_str(), "C:\\windows\\notepad.exe");
  EXPECT_EQ(fields.iconFile, "");
  EXPECT_EQ(fields.iconIndex, 7);
}

TEST_F(ShellLinkTest, AMissingFolderFailsWithoutCreatingIt) {
  EXPECT_FALSE(CreateShellLink("C:\\windows\\notepad.exe", box_.Path("missing\\x.lnk"),
                               "C:\\windows\\notepad.exe", 0));
  EXPECT_FALSE(Exists(box_.Path("missing")));
}

TEST_F(ShellLinkTest, ARelativeLinkFileIsSavedInTheWorkingDirectory) {
  char saved[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, saved);
  ::SetCurrentDirectoryA(box_.Path().c_str());
  const bool created = CreateShellLink("C:\\windows\\notepad.exe", "Notepad.lnk", "", 0);
  ::SetCurrentDirectoryA(saved);
  EXPECT_TRUE(created);
  EXPECT_TRUE(ReadShellLink(box_.Path("Notepad.lnk")).loaded);
}

TEST_F(ShellLinkTest, AVeryLongLinkFileIsHandedOnWhole) {
  // Far beyond any path the Shell accepts: the call must fail cleanly, not cut or overrun.
  const std::string linkFile = box_.Path(std::string(1100, 'n') + ".lnk");
  EXPECT_FALSE(CreateShellLink("C:\\windows\\notepad.exe", linkFile, "", 0));
}

}  // namespace
