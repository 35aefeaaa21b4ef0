#pragma once
#include <string_view>

namespace tarnwick {

// The one text that stands for "nothing there": shown for a missing registry value and
// for the name and folder of a pack when none is installed.
inline constexpr std::wstring_view kUnknownMark = L"未知";

}  // namespace tarnwick
