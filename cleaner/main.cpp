// _Dirwipe: clears the temporary directory and the directories named in _Del.inf.
#include <windows.h>

#include "cleaner/cleaner_run.h"
#include "runtime/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunProgram(RunCleaner); }
