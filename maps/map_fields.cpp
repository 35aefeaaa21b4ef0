#include "maps/map_fields.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__SSE2__) || (defined(__GNUC__) && defined(__i386__))
#include <emmintrin.h>
#endif

namespace tarnwick {
namespace {

enum class Section { Other, Basic, Header, Preview, PreviewPack };

// More [PreviewPack] lines than the largest preview needs are not kept: a file of
// nothing but short lines would otherwise take many times its size in memory.
constexpr std::size_t kMostPackLines = 1u << 20;

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

// The first `wanted` byte from `from` on, or text.size(). Sixteen or eight bytes at a
// time: the C libraries some builds link search byte by byte, and a map is mostly bytes
// to pass over.
[[maybe_unused]] std::size_t findByteInWords(std::string_view text, std::size_t from, char wanted) {
  const char* const data = text.data();
  std::size_t at = from;
  constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  const std::uint64_t pattern = kOnes * static_cast<unsigned char>(wanted);
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t word;
    std::memcpy(&word, data + at, 8);
    const std::uint64_t x = word ^ pattern;  // a zero byte where `wanted` is
    if ((x - kOnes) & ~x & kHighs) break;
  }
  for (; at < text.size(); ++at) {
    if (data[at] == wanted) return at;
  }
  return text.size();
}

// 32-bit x86 builds don't assume SSE2; every processor that runs Windows 7 well has it,
// and it is asked for once.
#if defined(__SSE2__) || (defined(__GNUC__) && defined(__i386__))
#define TARNWICK_HAS_SSE2_SEARCH 1
#if !defined(__SSE2__)
__attribute__((target("sse2")))
#endif
std::size_t findByteInBlocks(std::string_view text, std::size_t from, char wanted) {
  const char* const data = text.data();
  std::size_t at = from;
  const __m128i pattern = _mm_set1_epi8(wanted);
  for (; at + 16 <= text.size(); at += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern));
    if (found != 0) return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(found)));
  }
  for (; at < text.size(); ++at) {
    if (data[at] == wanted) return at;
  }
  return text.size();
}
#endif

std::size_t findByte(std::string_view text, std::size_t from, char wanted) {
#if defined(__SSE2__)
  return findByteInBlocks(text, from, wanted);
#elif defined(TARNWICK_HAS_SSE2_SEARCH)
  static const bool hasSse2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("sse2") != 0;
  }();
  return hasSse2 ? findByteInBlocks(text, from, wanted) : findByteInWords(text, from, wanted);
#else
  return findByteInWords(text, from, wanted);
#endif
}

// Where the next line starting with '[' (after blanks) begins, or the end. Maps are
// mostly sections the list doesn't read; they are passed over by this search alone.
std::size_t nextSectionLine(std::string_view text, std::size_t from) {
  while (from < text.size()) {
    const std::size_t bracket = findByte(text, from, '[');
    if (bracket == text.size()) return text.size();
    std::size_t lineStart = bracket;
    while (lineStart > 0 && isBlank(text[lineStart - 1])) --lineStart;
    if (lineStart == 0 || text[lineStart - 1] == '\n') return lineStart;
    from = bracket + 1;
  }
  return text.size();
}

}  // namespace

MapFields scanMapFields(std::string_view text, MapParts parts) {
  MapFields fields;
  std::vector<std::pair<std::uint32_t, std::string_view>> packLines;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  Section section = Section::Other;
  std::size_t at = 0;
  while (at < text.size()) {
    if (parts == MapParts::NameAndPlayers && fields.name && fields.startingPoints) break;  // the first ones count
    if (section == Section::Other) {
      at = nextSectionLine(text, at);
      if (at == text.size()) break;
    }
    const std::size_t end = findByte(text, at, '\n');
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trim(line.substr(0, findByte(line, 0, ';')));
    if (line.empty()) continue;

    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close != std::string_view::npos) section = sectionNamed(trim(line.substr(1, close - 1)));
      // Passed over like any other section, by the search for the next one.
      if (parts == MapParts::NameAndPlayers && (section == Section::Preview || section == Section::PreviewPack)) {
        section = Section::Other;
      }
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
        if (const std::uint32_t number = packKeyNumber(key); number != 0 && packLines.size() < kMostPackLines) {
          packLines.emplace_back(number, value);
        }
        break;
      case Section::Other:
        break;
    }
  }

  // Stable: of keys with the same number, the first stays first. Editors write the keys
  // in order, which the check finds in one pass.
  const auto byNumber = [](const auto& a, const auto& b) { return a.first < b.first; };
  if (!std::is_sorted(packLines.begin(), packLines.end(), byNumber)) {
    std::stable_sort(packLines.begin(), packLines.end(), byNumber);
  }
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
