// The archive reader's libraries read every format and method a pack arrives in: on
// Windows the static libarchive, zlib and liblzma built from Debian's sources, natively
// Debian's own libarchive. The zip and 7z archives are made at build time
// (make_test_archives.py), the rar ones are libarchive's own samples.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Archive = std::unique_ptr<archive, decltype(&archive_read_free)>;

// Every entry of an archive read through to its end: "name bytes" with the bytes
// actually unpacked, "name folder", "name -> target" for a link, and "error" where
// reading stops at a fault (the entry at fault left out).
std::vector<std::string> readThrough(const std::string& path) {
  Archive reader(archive_read_new(), archive_read_free);
  archive_read_support_format_zip(reader.get());
  archive_read_support_format_7zip(reader.get());
  archive_read_support_format_rar(reader.get());
  archive_read_support_format_rar5(reader.get());
  std::vector<std::string> listing;
  int status = archive_read_open_filename(reader.get(), path.c_str(), 1 << 16);
  archive_entry* entry = nullptr;
  while (status == ARCHIVE_OK && (status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
    std::string item = archive_entry_pathname(entry);
    if (archive_entry_filetype(entry) == AE_IFDIR) {
      item += " folder";
    } else if (const char* target = archive_entry_symlink(entry)) {
      item += std::string(" -> ") + target;
    } else {
      const void* block = nullptr;
      size_t size = 0;
      la_int64_t offset = 0, bytes = 0;
      while ((status = archive_read_data_block(reader.get(), &block, &size, &offset)) == ARCHIVE_OK) {
        bytes = offset + static_cast<la_int64_t>(size);
      }
      if (status != ARCHIVE_EOF) break;
      status = ARCHIVE_OK;
      item.append(" ").append(std::to_string(bytes));
    }
    listing.push_back(item);
  }
  if (status != ARCHIVE_EOF) listing.push_back("error");
  return listing;
}

struct ArchiveCase {
  const char* file;
  std::vector<std::string> listing;
};

const std::vector<std::string> pack7z = {"pack/ folder", "pack/maps/ folder", "pack/maps/a.map 30017",
                                         "pack/readme.txt 9600", "pack/tool.exe 27000"};
const ArchiveCase archiveCases[] = {
    {"stored-deflate.zip", {"pack/ folder", "pack/readme.txt 9600", "pack/maps/a.map 30017", "pack/tool.exe 27000"}},
    {"lzma2-bcj-solid.7z", pack7z},
    {"lzma.7z", pack7z},
    {"damaged.7z", {"pack/ folder", "pack/maps/ folder", "error"}},
    // libarchive's own samples; the listings its own tests expect of them.
    {"rar4.rar", {"LibarchiveAddingTest.html 20111", "testlink -> LibarchiveAddingTest.html",
                  "testdir/test.txt 20", "testdir/LibarchiveAddingTest.html 20111", "testdir folder",
                  "testemptydir folder"}},
    {"rar5-solid.rar", {"test1.bin 4096", "test2.bin 4096", "test3.bin 4096", "test4.bin 4096"}},
    {"no-such.zip", {"error"}},
};

TEST(ArchiveRead, EveryFormatAndMethodOfAPackUnpacksWholeAndADamagedOneFails) {
  for (const ArchiveCase& c : archiveCases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(readThrough(std::string(TARNWICK_TEST_ARCHIVES) + c.file), c.listing);
  }
}

}  // namespace
