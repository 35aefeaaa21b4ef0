// The start-up baseline: the least a Win32 program does to show one window. With
// --scan it first enumerates the pack folder (ZAzod in its working folder) as bare
// FindFirstFileW/FindNextFileW calls, the one piece of start-up work no program
// listing packs can skip.
#include <windows.h>

#include <cwchar>

namespace {
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int countFolders(const wchar_t* pattern) {
  WIN32_FIND_DATAW entry{};
  HANDLE find = ::FindFirstFileW(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int folders = 0;
  do {
    folders += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return folders;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  wchar_t title[32] = L"Minimal";
  if (std::wcsstr(commandLine, L"--scan") != nullptr) {
    std::swprintf(title, 32, L"Minimal, %d folders", countFolders(L"ZAzod\\*"));
  }
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"Tarnwick.MinimalWindow";
  ::RegisterClassExW(&windowClass);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 871, 510, nullptr, nullptr, instance, nullptr);
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return 0;
}
