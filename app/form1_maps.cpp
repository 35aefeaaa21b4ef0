// The main window's map list: a row's picture when the list asks for it, sorting by a
// column, and opening a map's own preview.
#include <utility>

#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/texts.h"
#include "packs/map_file.h"
#include "platform/rgb_bitmap.h"

namespace tarnwick {

void Form1::onNotify(NMHDR& notification) {
  // A double-click on a row (its first click selects it) or Enter in the list. The
  // selected row is the one meant: on Enter, some list views send no row with it.
  if (notification.idFrom == layout::kIdListView1 && notification.code == LVN_ITEMACTIVATE) {
    ListView1_ItemActivate(mapList_.selectedRow());
  }
  if (notification.idFrom == layout::kIdListView1 && notification.code == LVN_GETDISPINFOW) {
    mapList_.onGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(&notification));
  }
  if (notification.idFrom == layout::kIdListView1 && notification.code == LVN_COLUMNCLICK) {
    mapList_.sortBy(reinterpret_cast<NMLISTVIEW*>(&notification)->iSubItem);
  }
}

void Form1::ListView1_ItemActivate(int row) {
  const int file = mapList_.fileOfRow(row);
  if (file < 0 || file >= file4_.count()) return;
  // The file is read again: the list keeps only the small pictures.
  const std::wstring& fileName = file4_.names()[static_cast<size_t>(file)];
  const std::wstring path = file4_.path() + L"\\" + fileName;
  std::string buffer;
  const auto map = readMapFile(path, buffer);
  if (!map) return inform(texts::kMapUnreadable + path);
  if (!map->preview) return inform(texts::kMapHasNoPreview + fileName);

  const RgbPicture& preview = *map->preview;
  const SIZE size{preview.width, preview.height};
  const RgbView view{preview.rgb.data(), preview.width, preview.height};
  FullSizePicture picture{bitmapFromRgb({&view, 1}, size, 0), size};
  if (!picture.bitmap) return inform(texts::kMapPreviewFailed + fileName);
  showPreview(std::move(picture));
}

}  // namespace tarnwick
