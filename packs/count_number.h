#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnwick {

// The number of file lines that the installed-pack record announces, read from its
// count line. Blanks, tabs and line feeds are ignored wherever they stand; then comes
// an optional sign with decimal digits (point as separator, whatever the locale) and an
// optional exponent (E, e, D or d), or a hexadecimal number after "&H" or an octal one
// after "&O". Reading stops at the first character that can't continue the number; a
// line without a number counts 0. The value is rounded to the nearest integer, halves
// to the even one. A result outside the 32-bit signed range gives nullopt.
std::optional<std::int32_t> parseRecordCount(std::wstring_view line);

}  // namespace tarnwick
