// An empty program that only enters and leaves a COM apartment, as _Lnkmake must at start-up.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ::CoInitialize(nullptr);
  ::CoUninitialize();
  return 0;
}
