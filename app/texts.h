#pragma once
#include <string>

namespace tarnwick::texts {

inline constexpr const wchar_t* kWindowTitle = L"Tarnwick";

// The pack list's edit field doubles as the status line of the pack scan.
inline constexpr const wchar_t* kScanBusy = L"请稍候..";
inline constexpr const wchar_t* kScanNoFolder = L"请指定包函数地图的资料夹";
inline constexpr const wchar_t* kScanNoPacks = L"未找到..";
inline constexpr const wchar_t* kScanChoose = L"请选择..";

inline constexpr const wchar_t* kChoosePack = L"请选择地图包";

// The window title's progress of a long install or removal.
inline constexpr const wchar_t* kInstalling = L"正在复制地图包";
inline constexpr const wchar_t* kRemoving = L"正在移除地图包";

inline constexpr const wchar_t* kNothingTouched = L"\r\n未复制或删除任何文件。";

// Installing another pack while one is in use takes that one out first.
inline std::wstring switchQuestion(const std::wstring& inUse, const std::wstring& chosen) {
  return L"正在使用地图包“" + inUse + L"”。先移除它，再复制“" + chosen + L"”吗？";
}
inline std::wstring switchStopped(const std::wstring& chosen) {
  return L"地图包未能完全移除，未复制“" + chosen + L"”的任何文件。";
}

}  // namespace tarnwick::texts
