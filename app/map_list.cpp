#include "app/map_list.h"

#include <algorithm>
#include <span>

#include "app/form1_layout.h"
#include "packs/map_file.h"
#include "platform/dpi.h"
#include "platform/rgb_bitmap.h"

namespace tarnwick {
namespace {

constexpr int kBlankPicture = 0;  // the image list's first picture, for maps without a preview
constexpr size_t kPicturesPerBitmap = 128;

void setCellText(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

void MapList::create(HWND parent, int id, HINSTANCE instance) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                      LVS_SHAREIMAGELISTS;
  list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (size_t i = 0; i < layout::kMapColumns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(layout::kMapColumns[i].caption);
    column.cx = layout::kMapColumns[i].width / 15;
    column.iSubItem = static_cast<int>(i);
    ::SendMessageW(list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void MapList::setColumnWidths(UINT dpi) {
  for (size_t i = 0; i < layout::kMapColumns.size(); ++i) {
    ::SendMessageW(list_, LVM_SETCOLUMNWIDTH, i, twipsToPixels(layout::kMapColumns[i].width, dpi));
  }
}

void MapList::clear() {
  ::SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
  ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  pictures_.reset();
}

void MapList::fill(const std::wstring& folder, const std::vector<std::wstring>& names, UINT dpi) {
  clear();
  if (names.empty()) return;
  const SIZE box{twipsToPixels(layout::kMapPictureWidth, dpi), twipsToPixels(layout::kMapPictureHeight, dpi)};
  // The pictures go into the image list together once the rows are in: the first
  // blank, for every map without a preview, then one per preview.
  std::vector<RgbPicture> fitted(1);

  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  std::string buffer;  // one buffer for every file's bytes
  for (size_t i = 0; i < names.size(); ++i) {
    const std::wstring& fileName = names[i];
    const auto map = readMapFile(folder + L"\\" + fileName, buffer);
    int picture = kBlankPicture;
    if (map && map->preview) {
      fitted.push_back(fitInBox(*map->preview, box.cx, box.cy));
      picture = static_cast<int>(fitted.size()) - 1;
    }
    std::wstring name = map && map->name ? *map->name : nameWithoutExtension(fileName);
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = static_cast<int>(i);
    row.pszText = name.data();
    row.iImage = picture;
    const int at = static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (at < 0) continue;
    if (map && map->players) setCellText(list_, at, 1, std::to_wstring(*map->players));
    setCellText(list_, at, 2, fileName);
  }
  buffer = std::string();

  std::vector<RgbView> views;
  for (const auto& picture : fitted) views.push_back({picture.rgb.data(), picture.width, picture.height});
  pictures_.reset(::ImageList_Create(box.cx, box.cy, ILC_COLOR24, static_cast<int>(views.size()), 16));
  // A few bitmaps of many pictures each (a bitmap is at most 65535 pixels wide).
  const std::span<const RgbView> all(views);
  for (size_t first = 0; first < all.size() && pictures_; first += kPicturesPerBitmap) {
    const UniqueBitmap strip = bitmapFromRgb(all.subspan(first, std::min(kPicturesPerBitmap, all.size() - first)), box,
                                             ::GetSysColor(COLOR_WINDOW));
    // Without all pictures every row shows none, rather than another row's.
    if (!strip || ::ImageList_Add(pictures_.get(), strip.get(), nullptr) < 0) pictures_.reset();
  }
  ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_.get()));
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

int MapList::selectedRow() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace tarnwick
