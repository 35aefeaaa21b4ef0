#include "maps/map_fields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

namespace tarnwick {
namespace {

enum class Section { Other, Basic, Header, Preview, PreviewPack };

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

Section sectionNamed(std::string_view name) {
  if (sameIgnoringCase(name, "Basic")) return Section::Basic;
  if (sameIgnoringCase(name, "Header")) return Section::Header;
  if (sameIgnoringCase(name, "Preview")) return Section::Preview;
  if (sameIgnoringCase(name, "PreviewPack")) return Section::PreviewPack;
  return Section::Other;
}

// A [PreviewPack] key's number; 0 for a key that isn't one.
std::uint32_t packKeyNumber(std::string_view key) {
  if (key.empty() || key.size() > 9) return 0;
  std::uint32_t number = 0;
  for (const char c : key) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return number;
}

// Where the next line starting with '[' (after blanks) begins, or the end. Maps are
// mostly sections the list doesn't read; they are passed over by this search alone.
std::size_t nextSectionLine(std::string_view text, std::size_t from) {
  while (from < text.size()) {
    const void* found = std::memchr(text.data() + from, '[', text.size() - from);
    if (found == nullptr) return text.size();
    const std::size_t bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
    std::size_t lineStart = bracket;
    while (lineStart > 0 && isBlank(text[lineStart - 1])) --lineStart;
    if (lineStart == 0 || text[lineStart - 1] == '\n') return lineStart;
    from = bracket + 1;
  }
  return text.size();
}

}  // namespace

MapFields scanMapFields(std::string_view text) {
  MapFields fields;
  std::vector<std::pair<std::uint32_t, std::string_view>> packLines;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  Section section = Section::Other;
  std::size_t at = 0;
  while (at < text.size()) {
    if (section == Section::Other) {
      at = nextSectionLine(text, at);
      if (at == text.size()) break;
    }
    const void* newline = std::memchr(text.data() + at, '\n', text.size() - at);
    const std::size_t end = newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - text.data())
                                    : text.size();
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim(line.substr(0, line.find(';')));
    if (line.empty()) continue;

    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close != std::string_view::npos) section = sectionNamed(trim(line.substr(1, close - 1)));
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = trim(line.substr(0, equals));
    const std::string_view value = trim(line.substr(equals + 1));
    switch (section) {
      case Section::Basic:
        if (!fields.name && sameIgnoringCase(key, "Name")) fields.name = value;
        break;
      case Section::Header:
        if (!fields.startingPoints && sameIgnoringCase(key, "NumberStartingPoints")) fields.startingPoints = value;
        break;
      case Section::Preview:
        if (!fields.previewSize && sameIgnoringCase(key, "Size")) fields.previewSize = value;
        break;
      case Section::PreviewPack:
        if (const std::uint32_t number = packKeyNumber(key); number != 0) packLines.emplace_back(number, value);
        break;
      case Section::Other:
        break;
    }
  }

  // Stable: of keys with the same number, the first stays first.
  std::stable_sort(packLines.begin(), packLines.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::uint32_t expected = 1;
  for (const auto& [number, value] : packLines) {
    if (number < expected) continue;  // a repeat
    if (number != expected) break;
    fields.previewPack.push_back(value);
    ++expected;
  }
  return fields;
}

}  // namespace tarnwick
