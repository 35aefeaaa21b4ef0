#include "platform/error_text.h"

#include <cwchar>

#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

std::wstring systemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  const UniqueLocalMemory owned(buffer);
  std::wstring text;
  if (length != 0 && buffer != nullptr) text.assign(buffer, length);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                           text.back() == L'.')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

DWORD lastErrorOr(DWORD fallback) {
  const DWORD error = ::GetLastError();
  return error != NO_ERROR ? error : fallback;
}

std::wstring systemErrorText(DWORD error) {
  const std::wstring text = systemText(error);
  wchar_t code[32];
  std::swprintf(code, 32, L"(%lu)", static_cast<unsigned long>(error));
  return text.empty() ? std::wstring(L"错误 ") + code : text + L" " + code;
}

std::wstring resultText(HRESULT result) {
  if (HRESULT_FACILITY(result) == FACILITY_WIN32) return systemErrorText(HRESULT_CODE(result));
  const std::wstring text = systemText(static_cast<DWORD>(result));
  wchar_t code[32];
  std::swprintf(code, 32, L"(0x%08lX)", static_cast<unsigned long>(result));
  return text.empty() ? std::wstring(L"错误 ") + code : text + L" " + code;
}

}  // namespace tarnwick
