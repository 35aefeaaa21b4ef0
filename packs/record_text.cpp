#include "packs/record_text.h"

#include "packs/count_number.h"
#include "packs/unknown_mark.h"

namespace tarnwick {
namespace {

// Hands out the record's lines one by one. Splitting the bytes before decoding them is
// safe: no ANSI code page uses CR or LF as the trail byte of a double-byte character.
class RecordLineReader {
 public:
  explicit RecordLineReader(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its break, or nullopt when no byte is left.
  std::optional<std::string_view> next() {
    if (position_ >= bytes_.size()) return std::nullopt;
    const std::size_t start = position_;
    const std::size_t carriageReturn = bytes_.find('\r', start);
    if (carriageReturn == std::string_view::npos) {
      position_ = bytes_.size();
      return bytes_.substr(start);
    }
    position_ = carriageReturn + 1;
    if (position_ < bytes_.size() && bytes_[position_] == '\n') ++position_;
    return bytes_.substr(start, carriageReturn - start);
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

void appendLine(std::wstring& text, std::wstring_view line) {
  text.append(line);
  text.append(L"\r\n");
}

}  // namespace

InstalledRecord parseRecord(std::string_view bytes,
                            const std::function<std::wstring(std::string_view)>& decodeLine) {
  InstalledRecord record;
  // Any failure, the decoder's or memory's included, ends the reading like a missing line.
  try {
    RecordLineReader lines(bytes);

    const auto pathLine = lines.next();
    if (!pathLine) return record;
    record.packPath = decodeLine(*pathLine);

    const auto nameLine = lines.next();
    if (!nameLine) return record;
    record.packName = decodeLine(*nameLine);

    const auto countLine = lines.next();
    if (!countLine) return record;
    const auto count = parseRecordCount(decodeLine(*countLine));
    if (!count) return record;

    for (std::int32_t k = 0; k < *count; ++k) {
      const auto fileLine = lines.next();
      if (!fileLine) break;
      record.files.push_back(decodeLine(*fileLine));
    }
  } catch (...) {
  }
  return record;
}

std::wstring formatRecord(std::wstring_view packPath, std::wstring_view packName,
                          const std::vector<std::wstring>& files) {
  std::wstring text;
  if (files.empty() && packPath == kUnknownMark && packName == kUnknownMark) return text;

  // The reader takes the first three lines by position, so leaving out an unknown path or
  // name would shift every line after it; the mark itself is written instead.
  appendLine(text, packPath);
  appendLine(text, packName);
  if (files.empty()) return text;

  appendLine(text, L" " + std::to_wstring(files.size()) + L" ");
  for (const auto& file : files) appendLine(text, file);
  return text;
}

}  // namespace tarnwick
