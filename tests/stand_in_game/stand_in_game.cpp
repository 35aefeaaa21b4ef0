// A stand-in for the game's program. It records how it was started and then shows an
// empty window titled like the game, so a launch can be checked from outside:
//
//   launch.log (next to this exe) gets one UTF-8 line per start:
//     <working folder> TAB <full command line> CR LF
//
// With TARNWICK_STAND_IN_EXIT=1 in the environment it ends right after writing the
// line (exit code 2 when it couldn't), for checks that don't want a window. A log that
// can't be written does not stop the window from opening.
#include <windows.h>

#include <string>

namespace {

// Appends the whole line in one write, so starts that overlap don't mix their lines.
bool appendLaunchLine() {
  std::wstring exe(32768, L'\0'), folder(32768, L'\0');
  exe.resize(::GetModuleFileNameW(nullptr, exe.data(), 32768));
  folder.resize(::GetCurrentDirectoryW(32768, folder.data()));
  const std::wstring line = folder + L'\t' + ::GetCommandLineW() + L"\r\n";
  std::string bytes(line.size() * 3, '\0');
  bytes.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
  HANDLE file = ::CreateFileW((exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"launch.log").c_str(), FILE_APPEND_DATA,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool logged = file != INVALID_HANDLE_VALUE &&
                      ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  return logged;
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const bool logged = appendLaunchLine();
  wchar_t exit[8]{};
  if (::GetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", exit, 8) && std::wstring(exit) == L"1") {
    return logged ? 0 : 2;
  }
  const auto black = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
  WNDCLASSW windowClass{0, windowProc, 0, 0, instance, nullptr, nullptr, black, nullptr, L"TarnwickStandInGame"};
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowW(L"TarnwickStandInGame", L"Yuri's Revenge", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, show);
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}
