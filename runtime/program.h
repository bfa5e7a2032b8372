// Start-up and shut-down of a program: the one place where escaping errors are caught.
#pragma once

#include <string>

#include "runtime/command_line.h"

// Runs `body`; an error that escapes it is shown in the default error report after the
// stack has unwound. Returns the exit code: 0 after a normal run, 1 after the report.
int RunProgram(void (*body)());

// This process's own command line.
CommandLine ProcessCommandLine();

// A plain message box (no owner, OK button only); returns when the user has closed it.
void ShowMessage(const std::string& text, const char* caption);
