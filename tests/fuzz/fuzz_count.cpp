// The count rule checked against properties it must keep for any line: blanks don't
// matter, a letter after the number doesn't matter, a sign mirrors the value, and a plain
// run of digits reads as its integer value.
#include <cstdlib>
#include <limits>
#include <optional>

#include "packs/count_number.h"
#include "tests/fuzz/wide_input.h"

namespace {

using tarnwick::parseRecordCount;

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n'; }

std::wstring withoutBlanks(std::wstring_view line) {
  std::wstring kept;
  for (const wchar_t c : line) {
    if (!isBlank(c)) kept.push_back(c);
  }
  return kept;
}

std::wstring withBlanksBetween(std::wstring_view line) {
  static constexpr wchar_t kBlanks[] = {L' ', L'\t', L'\n'};
  std::wstring spread;
  for (std::size_t i = 0; i < line.size(); ++i) {
    spread.push_back(kBlanks[i % 3]);
    spread.push_back(line[i]);
  }
  spread.push_back(L' ');
  return spread;
}

// The value of a run of decimal digits if it is short enough to fit 64 bits.
std::optional<std::int64_t> plainDigitsValue(std::wstring_view text) {
  if (text.empty()) return std::nullopt;
  while (text.size() > 1 && text.front() == L'0') text.remove_prefix(1);
  if (text.size() > 18) return std::nullopt;
  std::int64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + (c - L'0');
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring line = tarnwick::wideFromFuzzBytes(data, size);
  const auto count = parseRecordCount(line);

  if (parseRecordCount(withBlanksBetween(line)) != count) std::abort();
  if (parseRecordCount(withoutBlanks(line)) != count) std::abort();
  if (parseRecordCount(line + L"z") != count) std::abort();

  const std::wstring bare = withoutBlanks(line);
  if (!bare.empty() && ((bare[0] >= L'0' && bare[0] <= L'9') || bare[0] == L'.')) {
    if (parseRecordCount(L"+" + line) != count) std::abort();
    const auto negated = parseRecordCount(L"-" + line);
    if (count ? negated != -*count
              : negated && *negated != std::numeric_limits<std::int32_t>::min()) {
      std::abort();
    }
  }

  if (const auto plain = plainDigitsValue(bare)) {
    const bool fits = *plain <= std::numeric_limits<std::int32_t>::max();
    if (fits ? count != *plain : count.has_value()) std::abort();
  }
  return 0;
}
