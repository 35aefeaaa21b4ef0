#pragma once
#include <string_view>

namespace tarnwick {

// The one text that stands for "nothing there": shown for a missing registry value and
// for the name and folder of a pack when none is installed, and written in their place
// into the record. It is part of the record's format, not a wording: a record written
// with it must still read as "no pack" after any change of the window's texts.
inline constexpr std::wstring_view kUnknownMark = L"未知";

}  // namespace tarnwick
