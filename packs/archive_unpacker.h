#pragma once
#include <optional>
#include <string>

#include "packs/archive_source.h"
#include "packs/import_types.h"
#include "packs/unpacking.h"
#include "packs/zip_directory.h"

namespace tarnwick {

// How names in the system's OEM code page are read: by the program itself (zip), and by
// libarchive, which is told the code page's name ("CP936"; RAR 4 archives).
struct OemCodePage {
  OemDecoder decode;
  std::string name;
};

// Unpacks a zip (stored, deflate), 7z or RAR (4 and 5) archive into `unpacking`, entry by
// entry, its data streamed as it is decoded. Names come as the archive's format sets them
// (see readZipDirectory for zip; 7z: UTF-16; RAR 5: UTF-8; RAR 4: its Unicode name where
// it has one, else the OEM code page). Nothing, or why the archive is refused: not an
// archive of these formats, encrypted (also one whose names are), a part of a multi-volume
// archive, an unknown compression, a link or another special file, or an error of the
// decoder (damaged, cut short, a checksum, out of memory), besides whatever `unpacking`
// refuses.
std::optional<ImportRefusal> unpackArchive(ArchiveSource& source, const OemCodePage& oem, Unpacking& unpacking);

}  // namespace tarnwick
