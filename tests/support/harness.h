// Drives a program under test as a user would: starts it with an exact command line, reads
// every message box it shows and answers it with OK, and reports those with the exit code.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// One message box as it appeared on screen.
struct SeenBox {
  std::string caption;
  std::string text;
  bool hasIcon = false;
  std::vector<std::string> buttons;
};

struct RunRequest {
  // The whole command line, program name included, exactly as the program will read it.
  std::string commandLine;
  std::string workingDirectory;
  // Variables to set, or with no value to remove, in a copy of this process's environment.
  std::map<std::string, std::optional<std::string>> environment;
  // A file held open without any sharing while the program runs.
  std::string holdOpen;
  DWORD timeoutMs = 30000;
};

struct RunResult {
  DWORD exitCode = 0;
  bool timedOut = false;
  std::vector<SeenBox> boxes;
};

// Runs `program` to its end (killing it after the time-out) and reports what it showed.
RunResult RunDeliverable(const std::string& program, const RunRequest& request);

// Answers with OK every message box that process `processId` shows, adding each to `boxes`,
// until `done` is signalled; false when `timeoutMs` passed first.
bool AnswerBoxesUntil(HANDLE done, DWORD processId, DWORD timeoutMs, std::vector<SeenBox>& boxes);

// Whether `box` is the default error report of `className` raised in `module`: its caption,
// icon and OK button, and the text "Exception <class> in module <module> at <8 hex digits>."
// LF `message`, the message's final period included.
::testing::AssertionResult IsErrorReport(const SeenBox& box, const std::string& className,
                                         const std::string& module, const std::string& message);
