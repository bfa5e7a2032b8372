// The empty program again, importing the DLLs _Dirwipe imports (chosen by WITH_* macros), to
// show what loading each one costs at start-up under Wine. Nothing imported is ever called.
#include <windows.h>
#include <userenv.h>

volatile int never = 0;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (never) {
#ifdef WITH_USER32
    ::MessageBoxA(nullptr, "", "", MB_OK);
#endif
#ifdef WITH_USERENV
    ::GetUserProfileDirectoryA(nullptr, nullptr, nullptr);
#endif
#ifdef WITH_ADVAPI32
    HANDLE token = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token);
#endif
  }
  return 0;
}
