// The archive reader's libraries read every format and method a pack arrives in: on
// Windows the static libarchive, zlib and liblzma built from Debian's sources, natively
// Debian's own libarchive. The zip and 7z archives are made at build time
// (make_test_archives.py), the rar ones are libarchive's own samples.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// An archive read through to its end: its entries' names (a link's as "name->target"),
// "error" where reading stops at a fault, and the number of bytes unpacked.
std::string readThrough(const std::string& path) {
  std::unique_ptr<archive, decltype(&archive_read_free)> reader(archive_read_new(), archive_read_free);
  for (auto support : {archive_read_support_format_zip, archive_read_support_format_7zip,
                       archive_read_support_format_rar, archive_read_support_format_rar5}) {
    support(reader.get());
  }
  std::string read;
  size_t bytes = 0, size = 0;
  la_int64_t offset = 0;
  const void* block = nullptr;
  archive_entry* entry = nullptr;
  int status = archive_read_open_filename(reader.get(), path.c_str(), 1 << 16);
  while (status == ARCHIVE_OK && (status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
    read.append(archive_entry_pathname(entry));
    if (const char* target = archive_entry_symlink(entry)) read.append("->").append(target);
    read.append(" ");
    while ((status = archive_read_data_block(reader.get(), &block, &size, &offset)) == ARCHIVE_OK) bytes += size;
    if (status == ARCHIVE_EOF) status = ARCHIVE_OK;
  }
  return read.append(status == ARCHIVE_EOF ? "" : "error ").append(std::to_string(bytes));
}

const std::pair<const char*, const char*> archiveCases[] = {
    {"stored-deflate.zip", "pack/ pack/readme.txt pack/maps/a.map pack/tool.exe 66617"},
    {"lzma2-bcj-solid.7z", "pack/ pack/maps/ pack/maps/a.map pack/readme.txt pack/tool.exe 66617"},
    {"lzma.7z", "pack/ pack/maps/ pack/maps/a.map pack/readme.txt pack/tool.exe 66617"},
    {"damaged.7z", "pack/ pack/maps/ pack/maps/a.map error 0"},
    // libarchive's own samples, as its own tests list them.
    {"rar4.rar", "LibarchiveAddingTest.html testlink->LibarchiveAddingTest.html testdir/test.txt "
                 "testdir/LibarchiveAddingTest.html testdir testemptydir 40242"},
    {"rar5-solid.rar", "test1.bin test2.bin test3.bin test4.bin 16384"},
};

TEST(ArchiveRead, EveryFormatAndMethodOfAPackUnpacksWholeAndADamagedOneFails) {
  for (const auto& [file, entries] : archiveCases) {
    SCOPED_TRACE(file);
    EXPECT_EQ(readThrough(TARNWICK_TEST_ARCHIVES + std::string(file)), entries);
  }
}

}  // namespace
