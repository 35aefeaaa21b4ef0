#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick {

// Decodes standard base64 (A-Z a-z 0-9 + /) given in pieces that join into one text.
// "=" padding may close the text or be left out; nothing else is allowed (no blanks,
// no other alphabet, no padding in the middle, no impossible length). Nothing when
// the text isn't base64.
std::optional<std::vector<std::uint8_t>> decodeBase64(const std::vector<std::string_view>& pieces);

}  // namespace tarnwick
