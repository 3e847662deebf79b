// The floor of "main window visible": a program that shows one window and
// waits until it is closed.
#include <windows.h>

#include "window_loop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = QuitOnDestroy;
  wc.hInstance = instance;
  wc.lpszClassName = "KsBenchMinWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "Minimal window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 539, 350, nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  return RunMessageLoop();
}
