#include "maps/base64.h"

#include <array>

namespace tarnwick {
namespace {

constexpr std::uint8_t kNotBase64 = 0xFF;

constexpr std::array<std::uint8_t, 256> makeValues() {
  std::array<std::uint8_t, 256> values{};
  values.fill(kNotBase64);
  constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::uint8_t i = 0; i < 64; ++i) values[static_cast<unsigned char>(kAlphabet[i])] = i;
  return values;
}
constexpr std::array<std::uint8_t, 256> kValues = makeValues();

}  // namespace

std::optional<std::vector<std::uint8_t>> decodeBase64(const std::vector<std::string_view>& pieces) {
  std::size_t total = 0;
  for (const auto piece : pieces) total += piece.size();
  // Padding is only allowed at the very end: at most two '=' there.
  std::size_t padding = 0;
  for (auto piece = pieces.rbegin(); piece != pieces.rend() && padding < 3; ++piece) {
    std::size_t at = piece->size();
    while (at > 0 && (*piece)[at - 1] == '=' && padding < 3) {
      --at;
      ++padding;
    }
    if (at > 0) break;
  }
  if (padding > 2) return std::nullopt;
  const std::size_t digits = total - padding;
  if (digits % 4 == 1) return std::nullopt;
  if (padding != 0 && (digits + padding) % 4 != 0) return std::nullopt;

  std::vector<std::uint8_t> bytes;
  bytes.reserve(digits / 4 * 3 + 2);
  std::uint32_t group = 0;
  unsigned inGroup = 0;
  std::size_t seen = 0;
  for (const auto piece : pieces) {
    for (const char c : piece) {
      if (seen == digits) break;  // the padding
      ++seen;
      const std::uint8_t value = kValues[static_cast<unsigned char>(c)];
      if (value == kNotBase64) return std::nullopt;
      group = (group << 6) | value;
      if (++inGroup == 4) {
        bytes.push_back(static_cast<std::uint8_t>(group >> 16));
        bytes.push_back(static_cast<std::uint8_t>(group >> 8));
        bytes.push_back(static_cast<std::uint8_t>(group));
        group = 0;
        inGroup = 0;
      }
    }
  }
  // A last group of two or three digits gives one or two bytes; the bits it doesn't
  // use are taken as they come.
  if (inGroup == 2) {
    bytes.push_back(static_cast<std::uint8_t>(group >> 4));
  } else if (inGroup == 3) {
    bytes.push_back(static_cast<std::uint8_t>(group >> 10));
    bytes.push_back(static_cast<std::uint8_t>(group >> 2));
  }
  return bytes;
}

}  // namespace tarnwick
