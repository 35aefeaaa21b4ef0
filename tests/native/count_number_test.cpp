#include "packs/count_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace tarnwick {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct CountCase {
  std::wstring line;
  std::optional<std::int32_t> expected;
};

TEST(RecordCount, ReadsTheNumberRule) {
  const std::vector<CountCase> cases = {
      // plain numbers, blanks, tabs and line feeds anywhere
      {L"3", 3}, {L" 3 ", 3}, {L"0", 0}, {L"-2", -2}, {L"+7", 7}, {L"\t4", 4}, {L"4\n", 4},
      {L"1 2", 12}, {L" 1\t2\n3 ", 123}, {L"000000000000000000000003", 3}, {L"1 . 5", 2},
      // nothing that makes a number
      {L"", 0}, {L"abc", 0}, {L"-", 0}, {L".", 0}, {L"e5", 0}, {L"&", 0}, {L"&X1", 0},
      {L"-&H2", 0}, {L"３", 0},
      // reading stops at the first character that can't continue
      {L"12abc", 12}, {L"1.2.3", 1}, {L"1e", 1}, {L"1e+", 1}, {L"2e-x", 2}, {L"1,9", 1},
      // hexadecimal and octal
      {L"&H2", 2}, {L"&h1F", 31}, {L"& H 1 f", 31}, {L"&O17", 15}, {L"&o8", 0}, {L"&H", 0},
      {L"&H1G", 1}, {L"&H0000000000000000000001", 1}, {L"&H7FFFFFFF", kMax},
      {L"&H80000000", std::nullopt}, {L"&HFFFFFFFF", std::nullopt},
      {L"&O17777777777", kMax}, {L"&O20000000000", std::nullopt},
      // decimals and exponents, halves to even
      {L"2.5", 2}, {L"3.5", 4}, {L"-2.5", -2}, {L"-3.5", -4}, {L"0.5", 0}, {L"1.5", 2},
      {L"2.51", 3}, {L".51", 1}, {L"-0.4", 0}, {L"1e2", 100}, {L"1.5E+1", 15}, {L"1D2", 100},
      {L"25d-1", 2}, {L"1e-999", 0}, {L"0e999999999999999999999", 0},
      {L"0.0000000000000000000000000000000000000000001e44", 10},
      // the 32-bit range
      {L"2147483647", kMax}, {L"2147483648", std::nullopt}, {L"-2147483648", kMin},
      {L"-2147483649", std::nullopt}, {L"2147483646.5", 2147483646},
      {L"2147483647.5", std::nullopt}, {L"-2147483648.5", kMin}, {L"4294967296", std::nullopt},
      {L"99999999999999999999", std::nullopt}, {L"1e999", std::nullopt},
      {L"1e99999999999999999999", std::nullopt}, {L"-1e10", std::nullopt},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(parseRecordCount(line), expected) << "line: " << ::testing::PrintToString(line);
  }
}

TEST(RecordCount, LongDigitRunsStayExact) {
  const std::wstring zeros(100000, L'0');
  EXPECT_EQ(parseRecordCount(L"1" + zeros), std::nullopt);
  EXPECT_EQ(parseRecordCount(L"1" + zeros + L"e-100000"), 1);
  EXPECT_EQ(parseRecordCount(L"0." + zeros + L"25e100001"), 2);
  EXPECT_EQ(parseRecordCount(L"7." + zeros + L"1"), 7);
  EXPECT_EQ(parseRecordCount(L"1e" + zeros + L"5"), 100000);
  const std::wstring nines(100000, L'9');
  EXPECT_EQ(parseRecordCount(L"1e" + nines), std::nullopt);
  EXPECT_EQ(parseRecordCount(L"1e-" + nines), 0);
  EXPECT_EQ(parseRecordCount(L"0." + zeros + L"1e" + nines), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
