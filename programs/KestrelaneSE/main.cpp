// KestrelaneSE: the main program.
#include "platform/win32/win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Kestrelane SE", "Kestrelane SE Build 5", MB_OK);
  return 0;
}
