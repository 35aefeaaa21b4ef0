// A stand-in for the game's program. It records how it was started and then shows an
// empty window titled like the game, so a launch can be checked from outside:
//
//   launch.log (next to this exe) gets one UTF-8 line per start:
//     <working folder> TAB <full command line> CR LF
//
// With TARNWICK_STAND_IN_EXIT=1 in the environment it ends right after writing the
// line, for checks that don't want a window. A log that can't be written does not
// stop the window from opening.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kWindowClass[] = L"TarnwickStandInGame";
constexpr wchar_t kWindowTitle[] = L"Yuri's Revenge";

// A wide Win32 string value of unknown length, read by growing the buffer until it fits.
template <typename Reader>
std::wstring ReadGrowing(Reader read) {
  std::wstring text(MAX_PATH, L'\0');
  for (;;) {
    const DWORD got = read(text.data(), static_cast<DWORD>(text.size()));
    if (got == 0) return {};
    if (got < text.size()) {
      text.resize(got);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

std::wstring OwnExePath() {
  return ReadGrowing([](wchar_t* buffer, DWORD size) -> DWORD {
    const DWORD got = GetModuleFileNameW(nullptr, buffer, size);
    // A truncated path fills the buffer completely: report that as "too small".
    return got >= size ? size : got;
  });
}

std::wstring CurrentFolder() {
  return ReadGrowing([](wchar_t* buffer, DWORD size) -> DWORD {
    const DWORD got = GetCurrentDirectoryW(size, buffer);
    // When too small, the function returns the size it needs, NUL included.
    return got >= size ? size : got;
  });
}

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

std::wstring LogPathBesideExe() {
  std::wstring path = OwnExePath();
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {};
  path.resize(slash + 1);
  return path + L"launch.log";
}

// Appends the whole line in one write, so starts that overlap don't mix their lines.
bool AppendLaunchLine() {
  const std::wstring log_path = LogPathBesideExe();
  if (log_path.empty()) return false;
  const std::string line =
      ToUtf8(CurrentFolder()) + '\t' + ToUtf8(GetCommandLineW()) + "\r\n";

  HANDLE file = CreateFileW(log_path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == line.size();
}

bool ExitRightAway() {
  wchar_t value[8] = {};
  const DWORD got = GetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", value, 8);
  return got > 0 && got < 8 && std::wstring(value) == L"1";
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

int RunWindow(HINSTANCE instance, int show) {
  WNDCLASSEXW window_class = {};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassExW(&window_class)) return 1;

  HWND window = CreateWindowExW(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const bool logged = AppendLaunchLine();
  if (ExitRightAway()) return logged ? 0 : 2;
  return RunWindow(instance, show);
}
