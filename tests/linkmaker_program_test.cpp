// _Lnkmake run as a user runs it, each shortcut it writes read back through the Shell.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/harness.h"
#include "tests/support/link_reader.h"
#include "tests/support/sandbox.h"

namespace {

const char kNotepad[] = "C:\\windows\\notepad.exe";
const char kUsage[] =
    "Command line usage : \r\n"
    "_Lnkmake.exe [<File Name>] [<Shortcut Name>] [/Option]\r\n"
    "Example: _Lnkmake.exe C:\\Windows\\notepad.exe C:\\Windows\\Desktop\\Notepad /m \r\n"
    "Option:  /m - Message\r\n\r\n"
    "NOTE !!! For support long names you must type like here \"File Name\"";

class LinkMakerProgramTest : public ::testing::Test {
 protected:
  RunResult Run(const std::string& arguments) {
    RunRequest request;
    request.commandLine = "\"" + ProgramPath("_Lnkmake.exe") + "\"" + arguments;
    request.workingDirectory = box_.Path();
    return RunDeliverable(ProgramPath("_Lnkmake.exe"), request);
  }

  // Expects one box with `text` under the program's caption, and a normal end.
  static void ExpectOneBox(const RunResult& result, const std::string& text) {
    EXPECT_EQ(result.exitCode, 0u);
    ASSERT_EQ(result.boxes.size(), 1u);
    EXPECT_EQ(result.boxes[0].caption, "_Lnkmake.exe");
    EXPECT_EQ(result.boxes[0].text, text);
    EXPECT_FALSE(result.boxes[0].hasIcon);
    EXPECT_EQ(result.boxes[0].buttons, std::vector<std::string>{"OK"});
  }

  // Reads the link back through the Shell, and leaves what lnkinfo must read beside it.
  static void ExpectNotepadLink(const std::string& linkFile) {
    WriteFile(linkFile + ".expected", std::string("Local path\t") + kNotepad +
                                          "\nWorking directory\tC:\\windows\\\nIcon location\t" +
                                          kNotepad + "\nIcon index\t0\n");
    const LinkFields fields = ReadShellLink(linkFile);
    ASSERT_TRUE(fields.loaded) << linkFile;
    EXPECT_STRCASEEQ(fields.path.c_str(), kNotepad);
    EXPECT_EQ(fields.workingDirectory, "C:\\windows\\");
    EXPECT_EQ(fields.iconFile, kNotepad);
    EXPECT_EQ(fields.iconIndex, 0);
  }

  Sandbox box_;
};

TEST_F(LinkMakerProgramTest, WithoutArgumentsShowsTheUsage) { ExpectOneBox(Run(""), kUsage); }

TEST_F(LinkMakerProgramTest, TwoArgumentsWriteTheLinkSilently) {
  const RunResult result = Run(std::string(" ") + kNotepad + " " + box_.Path("Notepad"));
  EXPECT_EQ(result.exitCode, 0u);
  EXPECT_TRUE(result.boxes.empty());
  ExpectNotepadLink(box_.Path("Notepad.lnk"));
}

TEST_F(LinkMakerProgramTest, MessageOptionReportsSuccess) {
  struct Case {
    std::string name;       // as typed, and as the message shows it
    std::string arguments;  // what follows the target
    std::string linkFile;   // where the link must be
  };
  const std::string spaced = box_.Path("My Links\\Note pad");
  const Case cases[] = {
      // Quoted words, one missing folder level, and words after "/m" that do not count.
      {spaced, " \"" + spaced + "\" \"/m\" extra words", spaced + ".lnk"},
      {box_.Path("x.lnk"), " " + box_.Path("x.lnk") + " /m", box_.Path("x.lnk.lnk")},
      // No folder at all: the link goes to the working directory.
      {"Relative", " Relative /m", box_.Path("Relative.lnk")},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.arguments);
    ExpectOneBox(Run(std::string(" \"") + kNotepad + "\"" + test.arguments),
                 "Shortcut " + test.name + " now was created.");
    ExpectNotepadLink(test.linkFile);
  }
}

TEST_F(LinkMakerProgramTest, TwoMissingLevelsFailWithTheFailureBox) {
  const std::string name = box_.Path("one\\two\\Notepad");
  for (const char* option : {"", " /m"}) {
    ExpectOneBox(Run(std::string(" ") + kNotepad + " " + name + option),
                 "Shortcut " + name + " Creation Failed.");
  }
  EXPECT_FALSE(Exists(box_.Path("one")));
}

TEST_F(LinkMakerProgramTest, OtherCommandLinesDoNothing) {
  const std::string name = box_.Path("sub\\Notepad");
  for (const std::string& arguments :
       {std::string(" ") + kNotepad, " " + std::string(kNotepad) + " " + name + " /M",
        " " + std::string(kNotepad) + " " + name + " -m",
        " " + std::string(kNotepad) + " " + name + " \"/m \""}) {
    const RunResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 0u) << arguments;
    EXPECT_TRUE(result.boxes.empty()) << arguments;
  }
  EXPECT_FALSE(Exists(box_.Path("sub")));
}

// Code page 932 with double-byte characters enabled; the run is set up by ctest.
TEST_F(LinkMakerProgramTest, DoubleByteTrailBytesAreNoSeparators) {
  if (::GetACP() != 932 || !::GetSystemMetrics(SM_DBCSENABLED)) {
    GTEST_SKIP() << "needs the ANSI code page 932";
  }
  // 0x95 0x5C is one character whose second byte is the backslash's.
  const std::string character = "\x95\x5C";
  const std::string target = box_.Path("dbcs\\" + character);
  WriteFile(target, "target");
  const std::string name = box_.Path("made\\" + character);
  ExpectOneBox(Run(" \"" + target + "\" \"" + name + "\" /m"),
               "Shortcut " + name + " now was created.");
  // A backslash taken from the character would have made a folder of that name.
  EXPECT_TRUE(Exists(name + ".lnk"));
  EXPECT_FALSE(Exists(name));
  const LinkFields fields = ReadShellLink(name + ".lnk");
  ASSERT_TRUE(fields.loaded);
  EXPECT_EQ(fields.workingDirectory, box_.Path("dbcs\\"));
}

}  // namespace
