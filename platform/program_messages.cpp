#include "platform/program_messages.h"

#include "platform/system_library.h"

namespace tarnwick {
namespace {

struct ClassSearch {
  const wchar_t* windowClass;
  HWND except;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindowOfClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  wchar_t windowClass[64]{};
  if (window != search->except && ::GetClassNameW(window, windowClass, 64) != 0 &&
      ::lstrcmpW(windowClass, search->windowClass) == 0) {
    search->found.push_back(window);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> topLevelWindowsOfClass(const wchar_t* windowClass, HWND except) {
  ClassSearch search{windowClass, except, {}};
  ::EnumWindows(collectWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool sendCopyData(HWND to, HWND from, std::uintptr_t mark, std::string_view data, UINT timeoutMs) {
  COPYDATASTRUCT copy{};
  copy.dwData = mark;
  copy.cbData = static_cast<DWORD>(data.size());
  copy.lpData = const_cast<char*>(data.data());
  DWORD_PTR answer = FALSE;
  return ::SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&copy),
                               SMTO_NORMAL, timeoutMs, &answer) != 0 &&
         answer == TRUE;
}

void allowMessagesFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages) {
  using Filter = BOOL WINAPI(HWND, UINT, DWORD, void*);
  static auto* allow = systemFunction<Filter>(L"user32.dll", "ChangeWindowMessageFilterEx");
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  if (allow == nullptr) return;
  for (const UINT message : messages) allow(window, message, kAllow, nullptr);
}

}  // namespace tarnwick
