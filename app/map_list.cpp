#include "app/map_list.h"

#include <algorithm>

#include "app/form1_layout.h"
#include "packs/map_file.h"
#include "platform/dpi.h"
#include "platform/rgb_bitmap.h"

namespace tarnwick {
namespace {

constexpr int kBlankPicture = 0;  // the image list's first picture, for maps without a preview
constexpr size_t kKeptBytes = 4u << 20;  // a larger file's bytes are let go once read

void setCellText(HWND list, int row, int column, const wchar_t* text) {
  LVITEMW cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<wchar_t*>(text);
  ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

void MapList::attach(HWND list, UINT dpi) {
  list_ = list;
  ::SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (size_t i = 0; i < layout::kMapColumns.size(); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(layout::kMapColumns[i].caption);
    column.cx = twipsToPixels(layout::kMapColumns[i].width, dpi);
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
  rows_.clear();
}

void MapList::fill(const std::wstring& folder, const std::vector<std::wstring>& names, UINT dpi) {
  clear();
  if (names.empty()) return;
  folder_ = folder;
  names_ = names;
  rows_.assign(names.size(), Row{});
  box_ = {twipsToPixels(layout::kMapPictureWidth, dpi), twipsToPixels(layout::kMapPictureHeight, dpi)};
  // The first picture is the blank one, for every map without a preview.
  pictures_.reset(::ImageList_Create(box_.cx, box_.cy, ILC_COLOR24, 16, 16));
  const RgbView blank{};
  const UniqueBitmap blankBitmap = bitmapFromRgb({&blank, 1}, box_, ::GetSysColor(COLOR_WINDOW));
  if (!blankBitmap || ::ImageList_Add(pictures_.get(), blankBitmap.get(), nullptr) != kBlankPicture) pictures_.reset();
  ::SendMessageW(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_.get()));

  ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(list_, LVM_SETITEMCOUNT, names.size(), 0);
  for (size_t i = 0; i < names.size(); ++i) {
    // The map's name and players are asked for when the row is drawn.
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = static_cast<int>(i);
    row.pszText = LPSTR_TEXTCALLBACKW;
    row.iImage = I_IMAGECALLBACK;
    const int at = static_cast<int>(::SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row)));
    if (at < 0) continue;
    setCellText(list_, at, 1, LPSTR_TEXTCALLBACKW);
    setCellText(list_, at, 2, names[i].c_str());
  }
  ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void MapList::onGetDispInfo(NMLVDISPINFOW& request) {
  LVITEMW& item = request.item;
  if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows_.size()) return;
  // Drawing a row asks for its name and picture at once: the map is then read once.
  const bool picture = item.iSubItem == 0 && (item.mask & LVIF_IMAGE);
  const Row& row = picture ? rowWithPicture(item.iItem) : rowWithName(item.iItem);
  if (picture) item.iImage = row.picture;
  const std::wstring* text = item.iSubItem == 0 ? &row.name : item.iSubItem == 1 ? &row.players : nullptr;
  if (text != nullptr && (item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
    const size_t length = std::min(text->size(), static_cast<size_t>(item.cchTextMax) - 1);
    text->copy(item.pszText, length);
    item.pszText[length] = L'\0';
  }
}

void MapList::takeNameAndPlayers(Row& row, const std::wstring& fileName, const std::optional<MapInfo>& map) {
  row.name = map && map->name ? *map->name : nameWithoutExtension(fileName);
  row.players = map && map->players ? std::to_wstring(*map->players) : std::wstring();
  row.nameRead = true;
}

const MapList::Row& MapList::rowWithName(int index) {
  Row& row = rows_[static_cast<size_t>(index)];
  if (row.nameRead) return row;
  const std::wstring& fileName = names_[static_cast<size_t>(index)];
  takeNameAndPlayers(row, fileName, readMapNameAndPlayers(folder_ + L"\\" + fileName, fileBytes_));
  if (fileBytes_.size() > kKeptBytes) fileBytes_ = std::string();
  return row;
}

const MapList::Row& MapList::rowWithPicture(int index) {
  Row& row = rows_[static_cast<size_t>(index)];
  if (row.pictureMade) return row;
  // Whatever happens below, the row is read once: a map that fails stays blank.
  row.pictureMade = true;
  row.picture = kBlankPicture;
  const std::wstring& fileName = names_[static_cast<size_t>(index)];
  const auto map = readMapFile(folder_ + L"\\" + fileName, fileBytes_);
  if (fileBytes_.size() > kKeptBytes) fileBytes_ = std::string();
  if (!row.nameRead) takeNameAndPlayers(row, fileName, map);
  if (!map || !map->preview || !pictures_) return row;
  const RgbPicture fitted = fitInBox(*map->preview, box_.cx, box_.cy);
  const RgbView view{fitted.rgb.data(), fitted.width, fitted.height};
  const UniqueBitmap bitmap = bitmapFromRgb({&view, 1}, box_, ::GetSysColor(COLOR_WINDOW));
  const int added = bitmap ? ::ImageList_Add(pictures_.get(), bitmap.get(), nullptr) : -1;
  if (added > kBlankPicture) row.picture = added;
  return row;
}

int MapList::selectedRow() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace tarnwick
