#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "maps/map_info.h"
#include "platform/unique_handle.h"

namespace tarnwick {

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle empty() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static void close(Handle h) { ::ImageList_Destroy(h); }
};
using UniqueImageList = UniqueHandle<ImageListTraits>;

// The main window's list of a pack's maps: a report-style list view, one row per map
// file with the map's name, players and file name, and a small picture of its preview.
// It is an ordinary list view, so other programs (screen readers) can read its rows: a
// row's name, players and picture are read from its map when the list first asks for
// them (to draw the row, or for another program), so a choice reads only the rows in sight.
// Each row carries the index of its map file, so it keeps its map however it is sorted.
class MapList {
 public:
  // The window style a map list is made with, by the window that lays it out.
  static constexpr DWORD kStyle = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_SHAREIMAGELISTS;
  // Takes the list view made with kStyle and gives it its columns, as wide as a DPI makes them.
  void attach(HWND list, UINT dpi);
  [[nodiscard]] HWND hwnd() const { return list_; }

  // Column widths for a DPI; the control's place is set by the window's layout.
  void setColumnWidths(UINT dpi);

  // Rows for the map files `names` in `folder`, in that order. A row's picture is made
  // at the size a DPI gives it.
  void fill(const std::wstring& folder, const std::vector<std::wstring>& names, UINT dpi);
  void clear();

  // The list's LVN_GETDISPINFOW, sent to its parent: a row's name, players or picture.
  void onGetDispInfo(NMLVDISPINFOW& request);

  // A click on a column's header (LVN_COLUMNCLICK): the rows sorted by that column, the
  // other way round when they already are. Names and players are read for every row
  // first, once a choice; pictures still wait until their rows are drawn.
  void sortBy(int column);

  // The selected row, or -1.
  [[nodiscard]] int selectedRow() const;
  // The index in fill's `names` of the map file a row shows, or -1.
  [[nodiscard]] int fileOfRow(int row) const;

 private:
  // What a row shows of its map. A map that can't be read shows its file name without
  // extension, no players and the blank picture.
  struct Row {
    bool nameRead = false;
    bool pictureMade = false;
    std::wstring name;
    int players = 0;  // 0: the map gives no count
    int picture = 0;  // in the image list
  };
  // The columns, as kMapColumns lays them out.
  enum Column { kNameColumn, kPlayersColumn, kFileColumn, kColumnCount };
  // The row read as far as its name and players, or in full with its picture.
  const Row& rowWithName(int row);
  const Row& rowWithPicture(int row);
  void takeNameAndPlayers(Row& row, const std::wstring& fileName, const std::optional<MapInfo>& map);
  // LVM_SORTITEMS' comparison of two rows by their map files' indexes.
  static int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM self);
  void showSortArrow() const;

  HWND list_ = nullptr;
  UniqueImageList pictures_;  // shared with the control, which leaves it to us
  std::wstring folder_;
  std::vector<std::wstring> names_;
  std::vector<Row> rows_;  // by map file, in the order of names_
  int sortColumn_ = kFileColumn;
  bool ascending_ = true;
  SIZE box_{};
  std::string fileBytes_;  // kept from file to file while it stays small
};

}  // namespace tarnwick
