#include "cleaner/cleaner_run.h"

#include "cleaner/deletion_list.h"
#include "cleaner/temp_directory.h"
#include "cleaner/tree_delete.h"
#include "runtime/program.h"

void RunCleaner() {
  const CommandLine commandLine = ProcessCommandLine();
  const std::string& option = commandLine.Argument(1);
  if (commandLine.Count() == 0) {
    DeleteTree(GetTempDirectory(), true);
    if (DeletionListExists()) ProcessDeletionList();
  }
  // Looked for only once the word has matched.
  if (option == "/t" && DeletionListExists()) ProcessDeletionList();
  if (option == "/?") ShowMessage(kCleanerUsage, "Info");
}
