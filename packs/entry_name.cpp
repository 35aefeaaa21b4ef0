#include "packs/entry_name.h"

#include "platform/plain_file_name.h"

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

bool isSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

// A lone half of a UTF-16 pair, or (where wchar_t is wider) no character at all.
bool holdsNoText(std::wstring_view part) {
  for (size_t i = 0; i < part.size(); ++i) {
    const auto c = static_cast<uint32_t>(part[i]);
    if (c > 0x10FFFF) return true;
    if (c < 0xD800 || c > 0xDFFF) continue;
    const bool paired = sizeof(wchar_t) == 2 && c < 0xDC00 && i + 1 < part.size() &&
                        static_cast<uint32_t>(part[i + 1]) >= 0xDC00 && static_cast<uint32_t>(part[i + 1]) <= 0xDFFF;
    if (!paired) return true;
    ++i;
  }
  return false;
}

wchar_t foldedLetter(wchar_t c) {
  const auto u = static_cast<uint32_t>(c);
  const auto down = [c](uint32_t by) { return static_cast<wchar_t>(static_cast<uint32_t>(c) - by); };
  if (u < 0x80) return u >= 'a' && u <= 'z' ? down(0x20) : c;
  if ((u >= 0xE0 && u <= 0xFE && u != 0xF7) || (u >= 0x3B1 && u <= 0x3CB && u != 0x3C2) || (u >= 0x430 && u <= 0x44F) ||
      (u >= 0xFF41 && u <= 0xFF5A)) {
    return down(0x20);
  }
  if (u == 0xFF) return static_cast<wchar_t>(0x178);
  if (u == 0x3C2) return static_cast<wchar_t>(0x3A3);  // the final sigma
  if (u >= 0x450 && u <= 0x45F) return down(0x50);
  // Latin Extended-A: pairs of an upper and a lower letter, the upper one first.
  const bool evenUpper = (u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177);
  const bool oddUpper = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
  if ((evenUpper && u % 2 == 1) || (oddUpper && u % 2 == 0)) return down(1);
  return c;
}

}  // namespace

std::variant<EntryPath, Reason> entryPathOf(std::wstring_view name) {
  if (name.empty()) return Reason::UnusableName;
  if (name.size() > kLongestEntryName) return Reason::PathTooLong;
  if (isSeparator(name.front()) || name.find(L':') != std::wstring_view::npos) return Reason::OutsideThePack;
  if (isSeparator(name.back())) name.remove_suffix(1);
  EntryPath parts;
  for (size_t start = 0; start <= name.size();) {
    size_t end = start;
    while (end < name.size() && !isSeparator(name[end])) ++end;
    parts.emplace_back(name.substr(start, end - start));
    start = end + 1;
  }
  for (const auto& part : parts) {
    if (part == L"..") return Reason::OutsideThePack;
  }
  for (const auto& part : parts) {
    if (isDeviceName(part)) return Reason::DeviceName;
    if (!isPlainFileName(part) || holdsNoText(part)) return Reason::UnusableName;
    if (part.size() > kLongestPartName) return Reason::PathTooLong;
  }
  return parts;
}

std::wstring foldedName(std::wstring_view name) {
  std::wstring folded(name);
  for (wchar_t& c : folded) c = foldedLetter(c);
  return folded;
}

}  // namespace tarnwick
