#include "app/map_list.h"

#include "app/form1_layout.h"
#include "packs/map_file.h"
#include "platform/dpi.h"
#include "platform/rgb_bitmap.h"

namespace tarnwick {
namespace {

constexpr int kBlankPicture = 0;  // the image list's first picture, for maps without a preview
constexpr int kNotMade = -1;
constexpr size_t kKeptBytes = 4u << 20;  // a larger file's bytes are let go once read

void setCellText(HWND list, int row, int column, const std::wstring& text) {
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(text.c_str());
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

void MapList::attach(HWND list) {
  list_ = list;
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
  folder_.clear();
  names_.clear();
  pictureOfRow_.clear();
}

void MapList::fill(const std::wstring& folder, const std::vector<std::wstring>& names, UINT dpi) {
  clear();
  if (names.empty()) return;
  folder_ = folder;
  names_ = names;
  pictureOfRow_.assign(names.size(), kNotMade);
  box_ = {twipsToPixels(layout::kMapPictureWidth, dpi), twipsToPixels(layout::kMapPictureHeight, dpi)};
  // The first picture is the blank one, for every map without a preview.
  pictures_.reset(::ImageList_Create(box_.cx, box_.cy, ILC_COLOR24, 16, 16));
  const RgbView blank{};
  const UniqueBitmap blankBitmap = bitmapFromRgb({&blank, 1}, box_, ::GetSysColor(COLOR_WINDOW));
  if (!blankBitmap || ::ImageList_Add(pictures_.get(), blankBitmap.get(), nullptr) != kBlankPicture) pictures_.reset();
  ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_.get()));

  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  for (size_t i = 0; i < names.size(); ++i) {
    const std::wstring& fileName = names[i];
    const auto map = readMapNameAndPlayers(folder + L"\\" + fileName, fileBytes_);
    std::wstring name = map && map->name ? *map->name : nameWithoutExtension(fileName);
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = static_cast<int>(i);
    row.pszText = name.data();
    row.iImage = I_IMAGECALLBACK;  // asked for when the row is drawn
    const int at = static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (at < 0) continue;
    if (map && map->players) setCellText(list_, at, 1, std::to_wstring(*map->players));
    setCellText(list_, at, 2, fileName);
  }
  if (fileBytes_.size() > kKeptBytes) fileBytes_ = std::string();
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void MapList::onGetDispInfo(NMLVDISPINFOW& request) {
  if (request.item.iSubItem == 0 && (request.item.mask & LVIF_IMAGE)) request.item.iImage = pictureOfRow(request.item.iItem);
}

int MapList::pictureOfRow(int row) {
  if (row < 0 || static_cast<size_t>(row) >= pictureOfRow_.size() || !pictures_) return kBlankPicture;
  int& picture = pictureOfRow_[static_cast<size_t>(row)];
  if (picture != kNotMade) return picture;
  // Whatever happens below, the row is read once: a map that fails stays blank.
  picture = kBlankPicture;
  const auto map = readMapFile(folder_ + L"\\" + names_[static_cast<size_t>(row)], fileBytes_);
  if (fileBytes_.size() > kKeptBytes) fileBytes_ = std::string();
  if (!map || !map->preview) return picture;
  const RgbPicture fitted = fitInBox(*map->preview, box_.cx, box_.cy);
  const RgbView view{fitted.rgb.data(), fitted.width, fitted.height};
  const UniqueBitmap bitmap = bitmapFromRgb({&view, 1}, box_, ::GetSysColor(COLOR_WINDOW));
  const int added = bitmap ? ::ImageList_Add(pictures_.get(), bitmap.get(), nullptr) : -1;
  if (added > kBlankPicture) picture = added;
  return picture;
}

int MapList::selectedRow() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace tarnwick
