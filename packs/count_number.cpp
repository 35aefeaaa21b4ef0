#include "packs/count_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarnwick {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

// Walks the line as if blanks, tabs and line feeds weren't there. The end reads as
// L'\0', which continues no number.
class BlankSkippingCursor {
 public:
  explicit BlankSkippingCursor(std::wstring_view text) : text_(text) { skipBlanks(); }

  wchar_t peek() const { return position_ < text_.size() ? text_[position_] : L'\0'; }
  void advance() {
    ++position_;
    skipBlanks();
  }

 private:
  void skipBlanks() {
    while (position_ < text_.size() &&
           (text_[position_] == L' ' || text_[position_] == L'\t' || text_[position_] == L'\n')) {
      ++position_;
    }
  }

  std::wstring_view text_;
  std::size_t position_ = 0;
};

bool isDecimalDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The value of c as a digit of the given radix (8 or 16), or -1.
int digitValue(wchar_t c, int radix) {
  int value = -1;
  if (c >= L'0' && c <= L'9') value = c - L'0';
  else if (c >= L'a' && c <= L'f') value = c - L'a' + 10;
  else if (c >= L'A' && c <= L'F') value = c - L'A' + 10;
  return value < radix ? value : -1;
}

// Hexadecimal and octal digits are read as a magnitude, never as a two's complement bit
// pattern: "&HFFFFFFFF" is 4294967295, which no count can be, rather than -1. So any
// magnitude beyond the int32 range fails like a decimal one would.
std::optional<std::int32_t> readRadixNumber(BlankSkippingCursor cursor, int radix) {
  std::int64_t magnitude = 0;
  for (int digit = digitValue(cursor.peek(), radix); digit >= 0;
       digit = digitValue(cursor.peek(), radix)) {
    magnitude = magnitude * radix + digit;
    if (magnitude > kInt32Max) return std::nullopt;
    cursor.advance();
  }
  return static_cast<std::int32_t>(magnitude);
}

// Reads the digits of an exponent after its letter. Only the size matters beyond a point,
// so the value saturates instead of overflowing on a long run of digits.
std::optional<std::int64_t> readExponent(BlankSkippingCursor& cursor) {
  constexpr std::int64_t kSaturation = 1'000'000'000'000;
  BlankSkippingCursor trial = cursor;
  bool negative = false;
  if (trial.peek() == L'+' || trial.peek() == L'-') {
    negative = trial.peek() == L'-';
    trial.advance();
  }
  if (!isDecimalDigit(trial.peek())) return std::nullopt;
  std::int64_t exponent = 0;
  while (isDecimalDigit(trial.peek())) {
    exponent = std::min(exponent * 10 + (trial.peek() - L'0'), kSaturation);
    trial.advance();
  }
  cursor = trial;
  return negative ? -exponent : exponent;
}

double roundHalfToEven(double value) {
  const double below = std::floor(value);
  const double fraction = value - below;  // exact: the values here are far below 2^52
  if (fraction > 0.5) return below + 1;
  if (fraction < 0.5) return below;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<std::int32_t> readDecimalNumber(BlankSkippingCursor cursor) {
  bool negative = false;
  if (cursor.peek() == L'+' || cursor.peek() == L'-') {
    negative = cursor.peek() == L'-';
    cursor.advance();
  }

  // The value is 0.<significant> * 10^scale, with leading zeros dropped so that the
  // first significant digit is non-zero. scale is bounded by the line's length.
  std::string significant;
  std::int64_t scale = 0;
  while (isDecimalDigit(cursor.peek())) {
    if (!significant.empty() || cursor.peek() != L'0') {
      significant.push_back(static_cast<char>(cursor.peek()));
      ++scale;
    }
    cursor.advance();
  }
  if (cursor.peek() == L'.') {
    cursor.advance();
    while (isDecimalDigit(cursor.peek())) {
      if (!significant.empty() || cursor.peek() != L'0') {
        significant.push_back(static_cast<char>(cursor.peek()));
      } else {
        --scale;
      }
      cursor.advance();
    }
  }
  if (significant.empty()) return 0;  // zero, or no digits at all

  const wchar_t letter = cursor.peek();
  if (letter == L'E' || letter == L'e' || letter == L'D' || letter == L'd') {
    BlankSkippingCursor afterLetter = cursor;
    afterLetter.advance();
    if (const auto exponent = readExponent(afterLetter)) scale += *exponent;
  }

  // At least 0.1 * 10^11 is beyond any int32; below 0.1 rounds to zero. What is left
  // has an exponent of one or two digits, which keeps the conversion cheap and exact.
  if (scale > 10) return std::nullopt;
  if (scale < 0) return 0;

  const std::string text = "0." + significant + "e" + std::to_string(scale);
  double magnitude = 0;
  // from_chars reads the C locale's format whatever the process locale is, and rounds
  // correctly however many digits there are.
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;

  const double rounded = roundHalfToEven(negative ? -magnitude : magnitude);
  if (rounded < static_cast<double>(kInt32Min) || rounded > static_cast<double>(kInt32Max)) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::optional<std::int32_t> parseRecordCount(std::wstring_view line) {
  BlankSkippingCursor cursor(line);
  if (cursor.peek() == L'&') {
    cursor.advance();
    const wchar_t prefix = cursor.peek();
    if (prefix == L'H' || prefix == L'h' || prefix == L'O' || prefix == L'o') {
      cursor.advance();
      return readRadixNumber(cursor, prefix == L'H' || prefix == L'h' ? 16 : 8);
    }
    return 0;
  }
  return readDecimalNumber(cursor);
}

}  // namespace tarnwick
