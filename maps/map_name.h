#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Turns bytes in the system's ANSI code page into text.
using AnsiDecoder = std::function<std::wstring(std::string_view)>;

// A map's name from the raw value of its Name= key. Maps are saved on machines with
// any code page, so the bytes are read as
//   - UTF-16 code units when they are a comma-separated list of four-digit hexadecimal
//     numbers holding at least one comma ("906d,9047,", as the game saves names itself);
//   - UTF-8 when they are valid UTF-8 holding a character beyond ASCII;
//   - the ANSI code page otherwise.
// Nothing for an empty value: the map then goes by its file name.
std::optional<std::wstring> decodeMapName(std::string_view value, const AnsiDecoder& decodeAnsi);

// The players a map is for: its NumberStartingPoints= value when that is a whole
// number from 1 to 8.
std::optional<int> decodePlayerCount(std::string_view value);

}  // namespace tarnwick
