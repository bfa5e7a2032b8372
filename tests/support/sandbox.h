// Files and folders for tests: a fresh sandbox per test case on the test drive.
#pragma once

#include <string>

// Where the programs under test are found: "<drive>\bin\<name>".
std::string ProgramPath(const std::string& name);

// A directory of its own for the running test case, emptied when it is made.
class Sandbox {
 public:
  Sandbox();
  // The sandbox's path with a trailing backslash, or that path followed by `relative`.
  std::string Path(const std::string& relative = "") const;

 private:
  std::string root_;
};

// Writes `contents` as the whole file, creating missing folders on the way.
void WriteFile(const std::string& path, const std::string& contents);
// Creates `path` and every missing folder above it.
void MakeDirectories(const std::string& path);
// True when `path` names an existing file or directory.
bool Exists(const std::string& path);
// The file's whole contents, or empty when it cannot be read.
std::string ReadFile(const std::string& path);
