#include "app/handover_payload.h"

namespace tarnwick {
namespace {

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

bool isLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool isFullPath(std::wstring_view path) {
  if (path.size() >= 3 && isLetter(path[0]) && path[1] == L':' && path[2] == L'\\') return true;
  // A network path, or a path in the system's long form ("\\?\"); never a device ("\\.\").
  return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.';
}

// Whole characters only: every high surrogate followed by a low one, no low one alone.
bool isWellFormed(std::wstring_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto unit = static_cast<char32_t>(text[i]);
    if (unit < 0x20 || unit == 0x7F || isLowSurrogate(unit)) return false;
    if (isHighSurrogate(unit)) {
      if (i + 1 == text.size() || !isLowSurrogate(static_cast<char32_t>(text[i + 1]))) return false;
      ++i;
    }
  }
  return true;
}

}  // namespace

std::vector<HandOver> handOverParts(const HandOver& all) {
  std::vector<HandOver> parts;
  size_t chars = 0;
  for (const auto& path : all.paths) {
    const bool full = !parts.empty() && (parts.back().paths.size() == kHandOverMaxPaths ||
                                         chars + path.size() + 1 > kHandOverMaxChars);
    if (parts.empty() || full) {
      parts.push_back({all.gameDir, {}});
      chars = all.gameDir.size() + 1;
    }
    parts.back().paths.push_back(path);
    chars += path.size() + 1;
  }
  return parts;
}

std::string encodeHandOver(const HandOver& part) {
  std::string data;
  auto append = [&data](std::wstring_view text) {
    for (const wchar_t c : text) {
      data.push_back(static_cast<char>(c & 0xFF));
      data.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    data.append(2, '\0');
  };
  append(part.gameDir);
  for (const auto& path : part.paths) append(path);
  return data;
}

std::optional<HandOver> decodeHandOver(std::string_view data) {
  if (data.size() % 2 != 0 || data.size() > kHandOverMaxChars * 2) return std::nullopt;
  std::wstring units;
  units.reserve(data.size() / 2);
  for (size_t i = 0; i < data.size(); i += 2) {
    units.push_back(static_cast<wchar_t>(static_cast<unsigned char>(data[i]) |
                                         static_cast<unsigned char>(data[i + 1]) << 8));
  }
  if (units.empty() || units.back() != L'\0') return std::nullopt;

  std::vector<std::wstring> texts;
  for (size_t start = 0; start < units.size();) {
    const size_t end = units.find(L'\0', start);
    const std::wstring_view text(units.data() + start, end - start);
    if (!isFullPath(text) || !isWellFormed(text) || texts.size() > kHandOverMaxPaths) return std::nullopt;
    texts.emplace_back(text);
    start = end + 1;
  }
  if (texts.size() < 2) return std::nullopt;
  HandOver handOver{std::move(texts.front()), {}};
  handOver.paths.assign(std::make_move_iterator(texts.begin() + 1), std::make_move_iterator(texts.end()));
  return handOver;
}

}  // namespace tarnwick
