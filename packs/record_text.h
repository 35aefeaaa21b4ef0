#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What the installed-pack record "cofin.txt" holds: the folder of the installed pack,
// its name, and the names of the files its install put into the game folder. A line
// that wasn't there leaves its field unset.
struct InstalledRecord {
  std::optional<std::wstring> packPath;
  std::optional<std::wstring> packName;
  std::vector<std::wstring> files;
};

// Reads as much of the record as holds together; never throws. decodeLine turns one
// line's bytes (in the ANSI code page) into text. Lines end at CR, CR LF or the end of the
// bytes; a LF alone belongs to the text. Reading stops at the first line that's missing
// or at a count that isn't a 32-bit number, and keeps what was read before it.
InstalledRecord parseRecord(std::string_view bytes,
                            const std::function<std::wstring(std::string_view)>& decodeLine);

// The record's text, to be encoded to the ANSI code page by the caller; CR LF after every
// line. kUnknownMark stands for an unknown path or name. Nothing installed and both
// unknown give the empty text; otherwise both the path and the name line are written, so
// that reading by position always finds them, and the count and file lines follow when
// there are files.
std::wstring formatRecord(std::wstring_view packPath, std::wstring_view packName,
                          const std::vector<std::wstring>& files);

}  // namespace tarnwick
