#include "platform/code_page.h"

#include <windows.h>

namespace tarnwick {

namespace {

std::wstring decode(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace

std::wstring fromAnsi(std::string_view bytes) { return decode(CP_ACP, bytes); }

std::wstring fromOem(std::string_view bytes) { return decode(CP_OEMCP, bytes); }

std::string oemCodePageName() { return "CP" + std::to_string(::GetOEMCP()); }

std::optional<std::string> toAnsiExactly(std::wstring_view text) {
  if (text.empty()) return std::string{};
  const int size = static_cast<int>(text.size());
  const bool utf8 = ::GetACP() == CP_UTF8;
  // UTF-8 takes no best-fit flags; there only unpaired surrogates fail.
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int length = ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, nullptr, 0, nullptr, usedDefaultOut);
  if (length == 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, text.data(), size, bytes.data(), length, nullptr, usedDefaultOut);
  if (usedDefault) return std::nullopt;
  // Round trip: some code pages map several characters to one byte sequence.
  if (fromAnsi(bytes) != text) return std::nullopt;
  return bytes;
}

}  // namespace tarnwick
