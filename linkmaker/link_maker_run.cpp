#include "linkmaker/link_maker_run.h"

#include <windows.h>

#include "linkmaker/directory_part.h"
#include "linkmaker/link_texts.h"
#include "linkmaker/shell_link.h"
#include "runtime/program.h"

namespace {

// Creates the shortcut's folder if only its last level is missing, then writes the link.
bool MakeShortcut(const std::string& target, const std::string& shortcutName) {
  ::CreateDirectoryA(DirectoryPart(shortcutName).c_str(), nullptr);
  return CreateShellLink(target, shortcutName + ".lnk", target.c_str(), 0);
}

}  // namespace

void RunLinkMaker() {
  const CommandLine commandLine = ProcessCommandLine();
  const std::string& target = commandLine.Argument(1);
  const std::string& shortcutName = commandLine.Argument(2);
  // Three independent tests; at most one can act.
  if (commandLine.Argument(3) == "/m") {
    ShowMessage(OutcomeMessage(shortcutName, MakeShortcut(target, shortcutName)),
                kLinkMakerCaption);
  }
  if (commandLine.Count() == 2 && !MakeShortcut(target, shortcutName)) {
    ShowMessage(OutcomeMessage(shortcutName, false), kLinkMakerCaption);
  }
  if (commandLine.Count() == 0) ShowMessage(kLinkMakerUsage, kLinkMakerCaption);
}
