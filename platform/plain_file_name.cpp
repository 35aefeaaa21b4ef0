#include "platform/plain_file_name.h"

#include <array>

namespace tarnwick {
namespace {

bool isForbiddenInFileName(wchar_t c) {
  if (c < 0x20) return true;
  constexpr std::wstring_view kForbidden = L"\\/:<>\"|?*";
  return kForbidden.find(c) != std::wstring_view::npos;
}

wchar_t asciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool equalsIgnoringAsciiCase(std::wstring_view text, std::wstring_view upper) {
  if (text.size() != upper.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (asciiUpper(text[i]) != upper[i]) return false;
  }
  return true;
}

// The digits Windows accepts after COM and LPT: 0 to 9 and the superscripts 1, 2, 3.
bool isPortDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3'; }

}  // namespace

bool isDeviceName(std::wstring_view name) {
  std::wstring_view stem = name.substr(0, name.find(L'.'));
  while (!stem.empty() && stem.back() == L' ') stem.remove_suffix(1);
  constexpr std::array<std::wstring_view, 6> kDevices = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
  for (const auto device : kDevices) {
    if (equalsIgnoringAsciiCase(stem, device)) return true;
  }
  if (stem.size() != 4 || !isPortDigit(stem[3])) return false;
  return equalsIgnoringAsciiCase(stem.substr(0, 3), L"COM") || equalsIgnoringAsciiCase(stem.substr(0, 3), L"LPT");
}

bool isPlainFileName(std::wstring_view name) {
  if (name.empty()) return false;
  for (const wchar_t c : name) {
    if (isForbiddenInFileName(c)) return false;
  }
  // Covers ".", "..", "..." and names of dots and spaces only as well.
  const wchar_t last = name.back();
  if (last == L'.' || last == L' ') return false;
  return !isDeviceName(name);
}

}  // namespace tarnwick
