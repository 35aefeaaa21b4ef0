#pragma once

namespace tarnwick::texts {

inline constexpr const wchar_t* kWindowTitle = L"Tarnwick";

// The pack list's edit field doubles as the status line of the pack scan.
inline constexpr const wchar_t* kScanBusy = L"请稍候..";
inline constexpr const wchar_t* kScanNoFolder = L"请指定包函数地图的资料夹";
inline constexpr const wchar_t* kScanNoPacks = L"未找到..";
inline constexpr const wchar_t* kScanChoose = L"请选择..";

inline constexpr const wchar_t* kChoosePack = L"请选择地图包";

// Opening a map's preview from the map list; the file's name follows.
inline constexpr const wchar_t* kMapHasNoPreview = L"这张地图没有预览图：";
inline constexpr const wchar_t* kMapUnreadable = L"无法读取地图文件：";
inline constexpr const wchar_t* kMapPreviewFailed = L"无法显示地图的预览图：";

}  // namespace tarnwick::texts
