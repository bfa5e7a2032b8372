// _Dirwipe run as a user runs it: a real command line, a real working directory and
// temporary directory, its message boxes read off the screen, then the disk inspected.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/unique_handle.h"
#include "tests/support/harness.h"
#include "tests/support/sandbox.h"

namespace {

const char kUsage[] =
    "Command line usage: \r\n/t - do not delete temporary directory.\r\n/? - This dialog.\r\n"
    "\r\nName of configuration file must be : _Del.inf";

// A sandbox with a temporary directory, a working directory and one listed directory.
class CleanerProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(Temp("t.txt"), "temp");
    WriteFile(Temp("nested\\deeper\\n.txt"), "temp");
    WriteFile(Temp("nested\\locked.txt"), "temp");
    ::SetFileAttributesA(Temp("nested\\locked.txt").c_str(),
                         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    WriteFile(box_.Path("listed\\l.txt"), "listed");
    MakeDirectories(Work());
  }

  std::string Temp(const std::string& relative = "") const {
    return box_.Path("temp\\" + relative);
  }
  std::string Work(const std::string& relative = "") const {
    return box_.Path("work\\" + relative);
  }

  void WriteList(const std::string& text) { WriteFile(Work("_Del.inf"), text); }

  RunResult Run(const std::string& arguments, RunRequest request = {}) {
    request.commandLine = "_Dirwipe.exe" + arguments;
    if (request.workingDirectory.empty()) request.workingDirectory = Work();
    request.environment.emplace("TMP", Temp());
    request.environment.emplace("TEMP", Temp());
    return RunDeliverable(ProgramPath("_Dirwipe.exe"), request);
  }

  Sandbox box_;
};

struct CommandLineRow {
  const char* arguments;
  bool tempCleared;
  bool listProcessed;
  bool usageShown;
};

void PrintTo(const CommandLineRow& row, std::ostream* out) { *out << "[" << row.arguments << "]"; }

class CommandLineRowTest : public CleanerProgramTest,
                           public ::testing::WithParamInterface<CommandLineRow> {};

TEST_P(CommandLineRowTest, DoesTheJobOfItsFirstArgument) {
  const CommandLineRow& row = GetParam();
  WriteList(box_.Path("listed") + "\r\n");
  const RunResult result = Run(row.arguments);
  EXPECT_FALSE(result.timedOut);
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_EQ(!Exists(Temp()), row.tempCleared);
  EXPECT_EQ(!Exists(box_.Path("listed")), row.listProcessed);
  ASSERT_EQ(result.boxes.size(), row.usageShown ? 1u : 0u);
  if (row.usageShown) {
    EXPECT_EQ(result.boxes[0].caption, "Info");
    EXPECT_EQ(result.boxes[0].text, kUsage);
    EXPECT_FALSE(result.boxes[0].hasIcon);
    EXPECT_EQ(result.boxes[0].buttons, std::vector<std::string>{"OK"});
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLineRowTest,
                         ::testing::Values(CommandLineRow{"", true, true, false},
                                           CommandLineRow{" \"\"", true, true, false},
                                           CommandLineRow{" /t", false, true, false},
                                           CommandLineRow{" \"/t\"", false, true, false},
                                           CommandLineRow{" /t /?", false, true, false},
                                           CommandLineRow{" /?", false, false, true},
                                           CommandLineRow{" /? /t", false, false, true},
                                           CommandLineRow{" /T", false, false, false},
                                           CommandLineRow{" -t", false, false, false},
                                           CommandLineRow{" /tx", false, false, false},
                                           CommandLineRow{" \"/t \"", false, false, false},
                                           CommandLineRow{" x /t", false, false, false}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST_F(CleanerProgramTest, KeepsWhatIsInUseAndClearsTheRest) {
  WriteFile(Temp("A\\B\\busy.txt"), "busy");
  WriteFile(Temp("C\\c.txt"), "c");
  WriteFile(Temp(".dot\\kept.txt"), "dot");
  RunRequest request;
  request.holdOpen = Temp("A\\B\\busy.txt");
  EXPECT_EQ(Run("", request).exitCode, 0u);
  EXPECT_TRUE(Exists(Temp("A\\B\\busy.txt")));
  EXPECT_TRUE(Exists(Temp(".dot\\kept.txt")));
  EXPECT_FALSE(Exists(Temp("C")));
  EXPECT_FALSE(Exists(Temp("t.txt")));
  EXPECT_FALSE(Exists(Temp("nested")));
}

TEST_F(CleanerProgramTest, ClearsTheListedDirectoriesAtEveryLineEnd) {
  const std::string names[] = {"L1", "L2", "L3", "L4", "L5", "after-nul"};
  for (const std::string& name : names) WriteFile(box_.Path(name + "\\f.txt"), name);
  WriteList(std::string("..\\L1\r\n..\\L2\n..\\L3\r..\\L4\n\r..\\L5\0..\\after-nul\r\n", 46));
  EXPECT_EQ(Run(" /t").exitCode, 0u);
  for (const std::string& name : names) {
    EXPECT_EQ(Exists(box_.Path(name)), name == "after-nul") << name;
  }
}

TEST_F(CleanerProgramTest, AListInsideTheTemporaryDirectoryGoesWithIt) {
  // The temporary directory is cleared first, so the list is gone before it is looked for.
  WriteFile(Temp("work\\_Del.inf"), box_.Path("listed") + "\r\n");
  RunRequest request;
  request.workingDirectory = Temp("work");
  EXPECT_EQ(Run("", request).exitCode, 0u);
  EXPECT_TRUE(Exists(box_.Path("listed\\l.txt")));
}

TEST_F(CleanerProgramTest, AListInUseEndsInTheErrorReport) {
  WriteList(box_.Path("listed") + "\r\n");
  RunRequest request;
  request.holdOpen = Work("_Del.inf");
  const RunResult result = Run("", request);
  EXPECT_EQ(result.exitCode, 1u);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_TRUE(
      IsErrorReport(result.boxes[0], "EFOpenError", "_Dirwipe.exe", "Cannot open file _Del.inf."));
  EXPECT_FALSE(Exists(Temp()));
  EXPECT_TRUE(Exists(box_.Path("listed\\l.txt")));
}

TEST_F(CleanerProgramTest, AListTooLargeToHoldEndsInOutOfMemory) {
  {
    // 2 GiB, sparse: its size alone does not fit the signed 32-bit count.
    WriteFile(Work("_Del.inf"), "");
    const UniqueFileHandle file(::CreateFileA(Work("_Del.inf").c_str(), GENERIC_WRITE, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    size.QuadPart = 0x80000000LL;
    ASSERT_TRUE(::SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file.get()));
  }
  const RunResult result = Run(" /t");
  EXPECT_EQ(result.exitCode, 1u);
  ASSERT_EQ(result.boxes.size(), 1u);
  EXPECT_TRUE(IsErrorReport(result.boxes[0], "EOutOfMemory", "_Dirwipe.exe", "Out of memory."));
  ::DeleteFileA(Work("_Del.inf").c_str());
}

TEST_F(CleanerProgramTest, NeverWalksThroughALinkOutOfTheTree) {
  const std::string linkCase = std::string(TEST_DRIVE) + "\\links\\program\\";
  if (!(::GetFileAttributesA((linkCase + "tree\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "the link fixtures are made by ctest's setup";
  }
  RunRequest request;
  request.environment.emplace("TMP", linkCase + "tree");
  request.environment.emplace("TEMP", linkCase + "tree");
  EXPECT_EQ(Run("", request).exitCode, 0u);
  EXPECT_FALSE(Exists(linkCase + "tree\\file.txt"));
  EXPECT_EQ(ReadFile(linkCase + "outside\\keep.txt"), "keep me\n");
  EXPECT_EQ(ReadFile(linkCase + "outside\\deep\\keep.txt"), "keep me too\n");
}

// Without TMP and TEMP the platform falls back to the profile or the Windows directory.
TEST_F(CleanerProgramTest, AStrippedEnvironmentClearsNoFallbackDirectory) {
  char windows[MAX_PATH];
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string windowsMarker = std::string(windows) + "\\dirwipe-marker.txt";
  WriteFile(windowsMarker, "windows");
  WriteFile(box_.Path("profile\\p.txt"), "profile");
  WriteList(box_.Path("listed") + "\r\n");

  RunRequest stripped;
  stripped.environment = {
      {"TMP", std::nullopt}, {"TEMP", std::nullopt}, {"USERPROFILE", box_.Path("profile")}};
  EXPECT_EQ(Run("", stripped).exitCode, 0u);
  EXPECT_EQ(ReadFile(box_.Path("profile\\p.txt")), "profile");
  // The run went on with the deletion list.
  EXPECT_FALSE(Exists(box_.Path("listed")));

  stripped.environment["USERPROFILE"] = std::nullopt;
  EXPECT_EQ(Run("", stripped).exitCode, 0u);
  EXPECT_EQ(ReadFile(windowsMarker), "windows");
  ::DeleteFileA(windowsMarker.c_str());
}

}  // namespace
