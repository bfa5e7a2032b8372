// The program body of _Dirwipe.
#pragma once

// The text of the usage box.
extern const char kCleanerUsage[];

// Reads the command line and does its one job: no argument clears the temporary directory
// and then the deletion list, "/t" the deletion list only, "/?" shows the usage box.
void RunCleaner();
