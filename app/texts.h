#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::texts {

inline constexpr const wchar_t* kWindowTitle = L"Tarnwick";

// The pack list's edit field doubles as the status line of the pack scan.
inline constexpr const wchar_t* kScanBusy = L"请稍候..";
inline constexpr const wchar_t* kScanNoFolder = L"请指定包函数地图的资料夹";
inline constexpr const wchar_t* kScanNoPacks = L"未找到..";
inline constexpr const wchar_t* kScanChoose = L"请选择..";

inline constexpr const wchar_t* kChoosePack = L"请选择地图包";

inline std::wstring anotherProgramManages(std::wstring_view gameDir) {
  return L"另一个 Tarnwick 正在管理游戏目录“" + std::wstring(gameDir) + L"”。\r\n请使用已打开的那个窗口；本程序将退出。";
}

// A message's list, one line each: the first ten, then how many more there are, so a
// list of thousands still makes a message that can be read.
inline constexpr size_t kListedLinesShown = 10;
inline std::wstring listedLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size() && i < kListedLinesShown; ++i) text += L"\r\n" + lines[i];
  if (lines.size() > kListedLinesShown) {
    text += L"\r\n……另有 " + std::to_wstring(lines.size() - kListedLinesShown) + L" 项未列出。";
  }
  return text;
}

// Put in place of the lines of a message that don't fit on the screen.
inline constexpr const wchar_t* kMessageCut = L"……（其余内容过长，未显示）";
// Opening a map's preview from the map list; the file's name follows.
inline constexpr const wchar_t* kMapHasNoPreview = L"这张地图没有预览图：";
inline constexpr const wchar_t* kMapUnreadable = L"无法读取地图文件：";
inline constexpr const wchar_t* kMapPreviewFailed = L"无法显示地图的预览图：";

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
