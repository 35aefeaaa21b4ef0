#include "app/map_list.h"

#include <shlwapi.h>

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
  // Every choice starts in the order of the files.
  sortColumn_ = kFileColumn;
  ascending_ = true;
  showSortArrow();
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
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = static_cast<int>(i);
    row.pszText = LPSTR_TEXTCALLBACKW;
    row.iImage = I_IMAGECALLBACK;
    row.lParam = static_cast<LPARAM>(i);
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
  if (item.lParam < 0 || static_cast<size_t>(item.lParam) >= rows_.size()) return;
  const int file = static_cast<int>(item.lParam);
  // Drawing a row asks for its name and picture at once: the map is then read once.
  const bool picture = item.iSubItem == kNameColumn && (item.mask & LVIF_IMAGE);
  const Row& row = picture ? rowWithPicture(file) : rowWithName(file);
  if (picture) item.iImage = row.picture;
  const std::wstring players = row.players > 0 ? std::to_wstring(row.players) : std::wstring();
  const std::wstring* text =
      item.iSubItem == kNameColumn ? &row.name : item.iSubItem == kPlayersColumn ? &players : nullptr;
  if (text != nullptr && (item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0) {
    const size_t length = std::min(text->size(), static_cast<size_t>(item.cchTextMax) - 1);
    text->copy(item.pszText, length);
    item.pszText[length] = L'\0';
  }
}

void MapList::takeNameAndPlayers(Row& row, const std::wstring& fileName, const std::optional<MapInfo>& map) {
  row.name = map && map->name ? *map->name : nameWithoutExtension(fileName);
  row.players = map && map->players ? *map->players : 0;
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

void MapList::sortBy(int column) {
  if (column < 0 || column >= kColumnCount) return;
  ascending_ = column != sortColumn_ || !ascending_;
  sortColumn_ = column;
  if (column != kFileColumn) {
    // Every row's map is read as far as its name: a moment in a large pack.
    const HCURSOR before = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    for (size_t file = 0; file < rows_.size(); ++file) rowWithName(static_cast<int>(file));
    ::SetCursor(before);
  }
  ::SendMessageW(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&compareRows));
  showSortArrow();
}

// Names as Explorer orders them (the user's language, numbers by their value), players
// by number with the maps that give none last either way, files in the order they are
// listed; equal rows keep the files' order, so each order has a reverse.
int CALLBACK MapList::compareRows(LPARAM first, LPARAM second, LPARAM self) {
  const MapList& list = *reinterpret_cast<const MapList*>(self);
  const Row& a = list.rows_[static_cast<size_t>(first)];
  const Row& b = list.rows_[static_cast<size_t>(second)];
  int order = 0;
  if (list.sortColumn_ == kNameColumn) order = ::StrCmpLogicalW(a.name.c_str(), b.name.c_str());
  if (list.sortColumn_ == kPlayersColumn) {
    if ((a.players == 0) != (b.players == 0)) return a.players == 0 ? 1 : -1;
    order = a.players - b.players;
  }
  if (order == 0) order = first < second ? -1 : first > second ? 1 : 0;
  return list.ascending_ ? order : -order;
}

void MapList::showSortArrow() const {
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list_, LVM_GETHEADER, 0, 0));
  for (int column = 0; column < kColumnCount; ++column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (column == sortColumn_) item.fmt |= ascending_ ? HDF_SORTUP : HDF_SORTDOWN;
    ::SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  }
}

int MapList::selectedRow() const {
  return static_cast<int>(::SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int MapList::fileOfRow(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  if (row < 0 || !::SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.lParam >= 0 && static_cast<size_t>(item.lParam) < rows_.size() ? static_cast<int>(item.lParam) : -1;
}

}  // namespace tarnwick
