// Reads a .lnk file back through the Shell's own ShellLink object.
#pragma once

#include <string>

struct LinkFields {
  bool loaded = false;
  std::string path;
  std::string workingDirectory;
  std::string iconFile;
  int iconIndex = -1;
};

// The fields of the shortcut `linkFile`; `loaded` is false when the Shell cannot load it.
LinkFields ReadShellLink(const std::string& linkFile);
