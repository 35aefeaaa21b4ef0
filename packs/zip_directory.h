#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packs/archive_source.h"

namespace tarnwick {

// Turns bytes in the system's OEM code page into text.
using OemDecoder = std::function<std::wstring(std::string_view)>;

// A zip entry's name as its central directory holds it.
struct ZipEntryName {
  std::string raw;
  bool utf8 = false;                       // general purpose bit 11
  std::optional<std::string> unicodePath;  // an Info-ZIP Unicode Path field whose CRC matches `raw`
  bool encrypted = false;                  // general purpose bit 0
};

struct ZipDirectory {
  std::vector<ZipEntryName> names;  // in the order libarchive hands out the entries
  bool multiVolume = false;         // the last part of a split archive: none of its names read
  bool tooMany = false;             // more names than asked for (or 16 MB of them): the rest not read
};

// The names of a zip archive's entries, read from its central directory. libarchive gives
// the names without saying whether the archive marked them UTF-8, so the program reads
// that here itself. The entries come in libarchive's order: by the place of their local
// header, of several at one place only the first. Nothing where libarchive finds no
// central directory either, or it can't be read to its end.
std::optional<ZipDirectory> readZipDirectory(ArchiveSource& source, size_t mostNames);

// The name as Windows' own Explorer reads it: UTF-8 when the archive says so, else the
// Unicode Path field's UTF-8, else the bytes in the OEM code page. Nothing for UTF-8 that
// isn't.
std::optional<std::wstring> zipEntryText(const ZipEntryName& name, const OemDecoder& decodeOem);

}  // namespace tarnwick
