// The bare floor for pvx's search: a window with a list box like pvx's,
// the folder's files found with FindFirstFileA/FindNextFileA (for the list
// row, each listed name looked up with FindFirstFileA) and each name added
// with LB_ADDSTRING while the list's drawing is held, as a program adding
// many entries at once does, then the list drawn once. Prints the
// milliseconds from the start of the search to the drawn list.
#include "bench/cleaner_search/common.h"

int main(int argc, char** argv) {
  const std::string folder = bench::SystemDrive() + "\\" + bench::FolderName(argc, argv);
  const bool list_row = bench::ListRow(argc, argv);
  if (list_row) bench::MakeListFiles(folder);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "KsBenchSearch";
  RegisterClassA(&wc);
  HWND top = CreateWindowExA(0, wc.lpszClassName, "bare search", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 620,
                             480, nullptr, nullptr, wc.hInstance, nullptr);
  HWND list = CreateWindowExA(0, "LISTBOX", "",
                              WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                              8, 120, 264, 120, top, nullptr, wc.hInstance, nullptr);
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  ShowWindow(top, SW_SHOW);
  bench::Settle(300);

  bench::Clock clock;
  WIN32_FIND_DATAA data;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (list_row) {
    for (const char* item : bench::kListItems) {
      HANDLE find = FindFirstFileA((folder + "\\" + item).c_str(), &data);
      if (find == INVALID_HANDLE_VALUE) continue;
      if ((data.dwFileAttributes & kNotListed) == 0)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
      FindClose(find);
    }
  }
  HANDLE find = list_row ? INVALID_HANDLE_VALUE : FindFirstFileA((folder + "\\*.*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & kNotListed) == 0)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(data.cFileName));
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  UpdateWindow(list);
  const double ms = clock.Ms();
  const int listed = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
  DestroyWindow(top);
  return bench::Report(ms, listed, bench::ExpectedFiles(argc, argv));
}
