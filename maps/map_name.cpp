#include "maps/map_name.h"

#include <cstdint>
#include <utility>

#include "platform/unicode_text.h"

namespace tarnwick {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The code units of "906d,9047,6230,"; nothing unless every number has four digits,
// there is a comma after each but perhaps the last, and the units make sound text
// (no control characters, surrogates only in pairs). A lone "2010" stays a name.
std::optional<std::u16string> hexUnits(std::string_view value) {
  if (value.find(',') == std::string_view::npos) return std::nullopt;
  std::u16string units;
  while (!value.empty()) {
    if (value.size() < 4) return std::nullopt;
    unsigned unit = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = hexDigit(value[static_cast<std::size_t>(i)]);
      if (digit < 0) return std::nullopt;
      unit = unit * 16 + static_cast<unsigned>(digit);
    }
    units.push_back(static_cast<char16_t>(unit));
    value.remove_prefix(4);
    if (value.empty()) break;
    if (value.front() != ',') return std::nullopt;
    value.remove_prefix(1);
  }
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit < 0x20 || unit == 0x7F) return std::nullopt;
    if (isHighSurrogate(unit)) {
      if (i + 1 == units.size() || !isLowSurrogate(units[i + 1])) return std::nullopt;
      ++i;
    } else if (isLowSurrogate(unit)) {
      return std::nullopt;
    }
  }
  return units;
}

std::wstring toWide(const std::u16string& units) {
  if constexpr (sizeof(wchar_t) == 2) return std::wstring(units.begin(), units.end());
  std::wstring text;  // where wchar_t holds whole code points (the native test build)
  for (std::size_t i = 0; i < units.size(); ++i) {
    if (isHighSurrogate(units[i]) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
      text.push_back(static_cast<wchar_t>(0x10000 + ((units[i] - 0xD800) << 10) + (units[i + 1] - 0xDC00)));
      ++i;
    } else {
      text.push_back(static_cast<wchar_t>(units[i]));
    }
  }
  return text;
}

bool hasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

}  // namespace

std::optional<std::wstring> decodeMapName(std::string_view value, const AnsiDecoder& decodeAnsi) {
  if (value.empty()) return std::nullopt;
  std::wstring name;
  if (auto units = hexUnits(value)) {
    name = toWide(*units);
  } else if (auto text = hasNonAscii(value) ? fromUtf8(value) : std::nullopt) {
    name = std::move(*text);
  } else {
    name = decodeAnsi(value);
  }
  if (name.empty()) return std::nullopt;
  return name;
}

std::optional<int> decodePlayerCount(std::string_view value) {
  if (value.empty() || value.size() > 9) return std::nullopt;
  int number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number < 1 || number > 8) return std::nullopt;
  return number;
}

}  // namespace tarnwick
