// A stand-in for the game's program. It records how it was started and then shows a
// window titled like the game, so a launch can be checked from outside:
//
//   launch.log (next to this exe) gets one UTF-8 line per start:
//     <working folder> TAB <full command line> CR LF
//
// With TARNWICK_STAND_IN_EXIT set in the environment it ends right after writing the
// line (exit code 2 when it couldn't), for checks that don't want a window. A log that
// can't be written does not stop the window from opening.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::wstring exe(32768, L'\0'), folder(32768, L'\0');
  exe.resize(::GetModuleFileNameW(nullptr, exe.data(), 32768));
  folder.resize(::GetCurrentDirectoryW(32768, folder.data()));
  const std::wstring line = folder + L'\t' + ::GetCommandLineW() + L"\r\n";
  std::string bytes(line.size() * 3, '\0');
  bytes.resize(static_cast<size_t>(::WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
  // The whole line in one write, so starts that overlap don't mix their lines.
  HANDLE log = ::CreateFileW((exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"launch.log").c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  const bool logged = ::WriteFile(log, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                      written == bytes.size();
  ::CloseHandle(log);
  if (_wgetenv(L"TARNWICK_STAND_IN_EXIT") != nullptr) return logged ? 0 : 2;
  // The game's window: a message box, which stays until it is closed (or the process ended).
  ::MessageBoxW(nullptr, L"这是 Tarnwick 的测试用替身游戏。", L"Yuri's Revenge", MB_OK);
  return 0;
}
