// A Windows GUI program that does nothing: the start-up floor under Wine.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
