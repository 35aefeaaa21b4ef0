#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

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
// It is an ordinary list view, so other programs (screen readers) can read its rows.
class MapList {
 public:
  // The window style a map list is made with, by the window that lays it out.
  static constexpr DWORD kStyle = WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                  LVS_SHAREIMAGELISTS;
  // Takes the list view made with kStyle and gives it its columns.
  void attach(HWND list);
  [[nodiscard]] HWND hwnd() const { return list_; }

  // Column widths for a DPI; the control's place is set by the window's layout.
  void setColumnWidths(UINT dpi);

  // Rows for the map files `names` in `folder`, in that order, with each map's name and
  // players. A row's picture, at the size a DPI gives it, is made when the row is first
  // drawn (or asked for): only the rows in sight cost a preview's decoding.
  void fill(const std::wstring& folder, const std::vector<std::wstring>& names, UINT dpi);
  void clear();

  // The list's LVN_GETDISPINFOW, sent to its parent: the row's picture when asked for.
  void onGetDispInfo(NMLVDISPINFOW& request);

  // The selected row, or -1.
  [[nodiscard]] int selectedRow() const;

 private:
  // The row's picture in the image list, made the first time it is asked for (the
  // blank one when the map has none or it can't be read).
  int pictureOfRow(int row);

  HWND list_ = nullptr;
  UniqueImageList pictures_;  // shared with the control, which leaves it to us
  std::wstring folder_;
  std::vector<std::wstring> names_;
  std::vector<int> pictureOfRow_;  // per row: its picture, or kNotMade
  SIZE box_{};
  std::string fileBytes_;  // kept from file to file while it stays small
};

}  // namespace tarnwick
