#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Conversions between the program's UTF-16 text and the system's ANSI code page,
// which the installed-pack record is stored in.
std::wstring fromAnsi(std::string_view bytes);

// Bytes in the system's OEM code page (936 on Chinese Windows), in which zip archives
// made on Windows hold their names, and the code page's name as libarchive takes it
// ("CP936").
std::wstring fromOem(std::string_view bytes);
std::string oemCodePageName();

// The text in the ANSI code page, or nothing when some character has no exact
// form there (it would come back as something else).
std::optional<std::string> toAnsiExactly(std::wstring_view text);

}  // namespace tarnwick
