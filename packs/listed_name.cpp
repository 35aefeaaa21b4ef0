#include "packs/listed_name.h"

namespace tarnwick {
namespace {

bool isForbiddenInFileName(wchar_t c) {
  if (c < 0x20) return true;
  constexpr std::wstring_view kForbidden = L"\\/:<>\"|?*";
  return kForbidden.find(c) != std::wstring_view::npos;
}

}  // namespace

bool isPlainFileName(std::wstring_view name) {
  if (name.empty()) return false;
  for (const wchar_t c : name) {
    if (isForbiddenInFileName(c)) return false;
  }
  // Covers ".", "..", "..." and names of dots and spaces only as well.
  const wchar_t last = name.back();
  return last != L'.' && last != L' ';
}

}  // namespace tarnwick
