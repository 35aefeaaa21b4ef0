#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Valid UTF-8 as the program's text (UTF-16 on Windows, code points where wchar_t is
// wider): nothing for overlong forms, surrogates, anything past U+10FFFF or a sequence cut
// short.
std::optional<std::wstring> fromUtf8(std::string_view bytes);

}  // namespace tarnwick
