// _Lnkmake: writes a Windows shortcut to a file through the Shell.
#include <windows.h>

#include "linkmaker/link_maker_run.h"
#include "runtime/com.h"
#include "runtime/program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Outlives the program body, so COM is uninitialised after any error report too.
  const ComApartment apartment;
  return RunProgram(RunLinkMaker);
}
