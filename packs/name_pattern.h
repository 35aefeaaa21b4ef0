#pragma once
#include <string_view>

namespace tarnwick {

// Whether fileName matches one of the patterns in patternList, such as L"*.jpg;*.bmp":
// patterns are separated by ';' (blanks around them don't count), '*' stands for any run of
// characters and '?' for exactly one, and ASCII letters match either case. An empty list,
// L"*" and L"*.*" match every name, with or without a dot. The time taken grows with the
// product of the lengths, never exponentially.
bool matchesPattern(std::wstring_view fileName, std::wstring_view patternList);

// The map files of a pack.
inline constexpr std::wstring_view kMapFilePatterns = L"*.map;*.yrm;*.mpr";

}  // namespace tarnwick
