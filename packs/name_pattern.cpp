#include "packs/name_pattern.h"

namespace tarnwick {
namespace {

wchar_t foldAsciiCase(wchar_t c) { return c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c; }

std::wstring_view trimBlanks(std::wstring_view text) {
  while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
  return text;
}

// Greedy matching that, on a mismatch, only ever returns to the most recent '*' and lets
// it swallow one more character. An earlier '*' never needs revisiting: the latest one can
// already absorb anything the earlier one could, so the work stays O(name * pattern).
bool matchesOnePattern(std::wstring_view name, std::wstring_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starInPattern = std::wstring_view::npos;
  std::size_t resumeInName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == L'*') {
      starInPattern = p++;
      resumeInName = n;
    } else if (p < pattern.size() &&
               (pattern[p] == L'?' || foldAsciiCase(pattern[p]) == foldAsciiCase(name[n]))) {
      ++p;
      ++n;
    } else if (starInPattern != std::wstring_view::npos) {
      p = starInPattern + 1;
      n = ++resumeInName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

}  // namespace

bool matchesPattern(std::wstring_view fileName, std::wstring_view patternList) {
  bool anyPattern = false;
  while (true) {
    const std::size_t separator = patternList.find(L';');
    const std::wstring_view pattern = trimBlanks(patternList.substr(0, separator));
    if (!pattern.empty()) {
      anyPattern = true;
      if (pattern == L"*.*" || matchesOnePattern(fileName, pattern)) return true;
    }
    if (separator == std::wstring_view::npos) break;
    patternList.remove_prefix(separator + 1);
  }
  return !anyPattern;
}

}  // namespace tarnwick
