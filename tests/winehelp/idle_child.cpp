// Waits a minute and ends, without a window: long enough for the test that
// started it to find it, short enough that a test that failed before ending
// it leaves nothing behind for long.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(60000);
  return 0;
}
