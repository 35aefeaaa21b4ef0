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

}  // namespace tarnwick::texts
