#include "packs/archive_unpacker.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

// What a RAR archive's first headers say: a part of a multi-volume archive, or names that
// are encrypted (libarchive reads neither to the end).
std::optional<Reason> rarHeaderRefusal(ArchiveSource& source) {
  unsigned char head[64] = {};
  if (source.seek(0, SEEK_SET) != 0) return std::nullopt;
  const int64_t size = source.read(head, sizeof head);
  if (size >= 12 && std::memcmp(head, "Rar!\x1a\x07\x00", 7) == 0 && head[9] == 0x73) {
    const unsigned flags = head[10] | (head[11] << 8);
    if (flags & 0x0001) return Reason::MultiVolume;
    if (flags & 0x0080) return Reason::Encrypted;
  } else if (size >= 12 && std::memcmp(head, "Rar!\x1a\x07\x01\x00", 8) == 0) {
    size_t at = 12;  // past the signature and the header's CRC
    const auto number = [&] {
      uint64_t value = 0;
      for (int shift = 0; at < static_cast<size_t>(size) && shift < 64; shift += 7) {
        value |= uint64_t{head[at] & 0x7Fu} << shift;
        if ((head[at++] & 0x80) == 0) return value;
      }
      return value;
    };
    number();  // the header's size
    const uint64_t type = number();
    if (type == 4) return Reason::Encrypted;  // the archive's encryption header
    if (type != 1) return std::nullopt;
    const uint64_t flags = number();
    if (flags & 1) number();  // the size of the extra area
    if (flags & 2) number();  // the size of the data area
    if (number() & 1) return Reason::MultiVolume;
  }
  return std::nullopt;
}

struct ArchiveFree {
  void operator()(archive* reader) const { archive_read_free(reader); }
};

// libarchive reads the source through these.
struct Input {
  ArchiveSource& source;
  std::vector<char> buffer = std::vector<char>(256 * 1024);

  static la_ssize_t read(archive*, void* data, const void** block) {
    auto& input = *static_cast<Input*>(data);
    *block = input.buffer.data();
    return static_cast<la_ssize_t>(input.source.read(input.buffer.data(), input.buffer.size()));
  }
  static la_int64_t seek(archive*, void* data, la_int64_t offset, int whence) {
    return static_cast<Input*>(data)->source.seek(offset, whence);
  }
  static la_int64_t skip(archive*, void* data, la_int64_t request) {
    ArchiveSource& source = static_cast<Input*>(data)->source;
    const int64_t from = source.seek(0, SEEK_CUR);
    const int64_t to = from < 0 ? -1 : source.seek(request, SEEK_CUR);
    return to < 0 ? 0 : to - from;
  }
};

std::string_view messageOf(archive* reader) {
  const char* text = archive_error_string(reader);
  return text != nullptr ? text : "";
}

bool mentions(std::string_view message, std::initializer_list<std::string_view> words) {
  return std::any_of(words.begin(), words.end(),
                     [&](std::string_view word) { return message.find(word) != message.npos; });
}

// Why libarchive stopped, as far as it says: its messages are all it tells of encryption and
// of methods it lacks.
ImportRefusal failure(archive* reader, const ArchiveSource& source, std::wstring entry) {
  if (source.error() != 0) return {Reason::NotReadable, std::move(entry), source.error()};
  const std::string_view message = messageOf(reader);
  if (archive_errno(reader) == ENOMEM || mentions(message, {"memory", "allocate"})) {
    return {Reason::OutOfMemory, std::move(entry)};
  }
  if (mentions(message, {"ncrypt", "assphrase", "decrypt"})) return {Reason::Encrypted, std::move(entry)};
  if (mentions(message, {"nsupported", "not supported"})) return {Reason::UnknownCompression, std::move(entry)};
  return {Reason::Damaged, std::move(entry)};
}

std::wstring bytesAsText(std::string_view bytes) { return {bytes.begin(), bytes.end()}; }

template <typename Text>
Text asEntryName(Text name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  if (!name.empty() && name.back() == '/') name.pop_back();
  return name;
}

// Whether libarchive's entry is the one the central directory names there, so that its
// data goes under that name. libarchive takes a name the archive doesn't mark as UTF-8 as
// its bytes, and converts the others.
bool isNamed(archive_entry* entry, const ZipEntryName& name, const std::optional<std::wstring>& text) {
  if (!name.utf8 && !name.unicodePath) {
    const char* bytes = archive_entry_pathname(entry);
    return bytes != nullptr && asEntryName(std::string(bytes)) == asEntryName(name.raw);
  }
  const wchar_t* converted = archive_entry_pathname_w(entry);
  return converted != nullptr && text && asEntryName(std::wstring(converted)) == asEntryName(*text);
}

std::optional<ImportRefusal> unpackData(archive* reader, const ArchiveSource& source, const std::wstring& name,
                                        Unpacking& unpacking) {
  int64_t written = 0;
  for (;;) {
    const void* block = nullptr;
    size_t size = 0;
    la_int64_t offset = 0;
    const int result = archive_read_data_block(reader, &block, &size, &offset);
    if (result == ARCHIVE_EOF) return unpacking.endFile();
    if (result != ARCHIVE_OK) return failure(reader, source, name);
    if (offset != written) return ImportRefusal{Reason::Damaged, name};  // no format here leaves holes
    if (auto refusal = unpacking.write(block, size)) return refusal;
    written += static_cast<int64_t>(size);
  }
}

// One archive read through libarchive, entry by entry.
class ArchiveReading {
 public:
  ArchiveReading(ArchiveSource& source, const OemCodePage& oem, Unpacking& unpacking)
      : source_(source), oem_(oem), unpacking_(unpacking), reader_(archive_read_new()) {}

  std::optional<ImportRefusal> run() {
    if (const auto reason = rarHeaderRefusal(source_)) return ImportRefusal{*reason, {}};
    zip_ = readZipDirectory(source_, unpacking_.room().maxEntries + 1);
    for (const auto& name : zip_ ? zip_->names : std::vector<ZipEntryName>{}) {
      if (name.encrypted)
        return ImportRefusal{Reason::Encrypted, zipEntryText(name, oem_.decode).value_or(bytesAsText(name.raw))};
    }
    if (auto refusal = open()) return refusal;
    for (;;) {
      archive_entry* entry = nullptr;
      const int result = archive_read_next_header(reader_.get(), &entry);
      if (result == ARCHIVE_EOF) break;
      if (auto refusal = unpackEntry(entry, result)) return refusal;
    }
    if (isZip_ && (!zip_ || zipIndex_ != zip_->names.size())) return ImportRefusal{Reason::Damaged, {}};
    return std::nullopt;
  }

 private:
  std::optional<ImportRefusal> open() {
    archive* reader = reader_.get();
    if (reader == nullptr) return ImportRefusal{Reason::OutOfMemory, {}};
    archive_read_support_format_zip_seekable(reader);
    archive_read_support_format_7zip(reader);
    archive_read_support_format_rar(reader);
    archive_read_support_format_rar5(reader);
    // Names not marked as UTF-8 come from libarchive as their bytes, whatever the locale.
    archive_read_set_format_option(reader, "zip", "compat-2x", "1");
    if (!oem_.name.empty()) archive_read_set_format_option(reader, "rar", "hdrcharset", oem_.name.c_str());
    archive_read_set_callback_data(reader, &input_);
    archive_read_set_read_callback(reader, &Input::read);
    archive_read_set_seek_callback(reader, &Input::seek);
    archive_read_set_skip_callback(reader, &Input::skip);
    if (source_.seek(0, SEEK_SET) == 0 && archive_read_open1(reader) == ARCHIVE_OK) return std::nullopt;
    if (zip_ && zip_->multiVolume) return ImportRefusal{Reason::MultiVolume, {}};
    if (source_.error() == 0 && archive_format(reader) == 0) {
      // A zip cut short has lost its central directory but still starts as a zip does.
      char start[4] = {};
      const bool zipStart =
          source_.seek(0, SEEK_SET) == 0 && source_.read(start, 4) == 4 && std::memcmp(start, "PK\3\4", 4) == 0;
      return ImportRefusal{zipStart ? Reason::Damaged : Reason::NotAnArchive, {}};
    }
    return failure(reader, source_, {});
  }

  // The entry's name: a zip's from its central directory (checked against libarchive's
  // reading of it), any other's as libarchive converts it.
  std::optional<ImportRefusal> readName(archive_entry* entry, int result, std::optional<std::wstring>& name) {
    isZip_ = (archive_format(reader_.get()) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_ZIP;
    if (!isZip_) {
      if (const wchar_t* converted = archive_entry_pathname_w(entry)) name = converted;
      return std::nullopt;
    }
    if (!zip_ || zipIndex_ == zip_->names.size()) return ImportRefusal{Reason::Damaged, {}};
    if (zip_->tooMany) return ImportRefusal{Reason::TooManyEntries, {}};
    if (zipIndex_ == 0) {
      unpacking_.expectFiles(
          static_cast<size_t>(std::count_if(zip_->names.begin(), zip_->names.end(), [](const auto& listed) {
            return !listed.raw.empty() && listed.raw.back() != '/' && listed.raw.back() != '\\';
          })));
    }
    const ZipEntryName& listed = zip_->names[zipIndex_++];
    name = zipEntryText(listed, oem_.decode);
    if (result >= ARCHIVE_WARN && !isNamed(entry, listed, name)) {
      return ImportRefusal{Reason::Damaged, name.value_or(bytesAsText(listed.raw))};
    }
    return std::nullopt;
  }

  std::optional<ImportRefusal> unpackEntry(archive_entry* entry, int result) {
    std::optional<std::wstring> name;
    if (auto refusal = readName(entry, result, name)) return refusal;
    const char* bytes = archive_entry_pathname(entry);
    const std::wstring shown = name.value_or(bytesAsText(bytes != nullptr ? bytes : ""));
    if (result < ARCHIVE_WARN) return failure(reader_.get(), source_, shown);
    if (result == ARCHIVE_WARN && mentions(messageOf(reader_.get()), {"Inconsistent"})) {
      return ImportRefusal{Reason::Damaged, shown};
    }
    if (!name) return ImportRefusal{Reason::UnusableName, shown};
    if (archive_entry_is_encrypted(entry)) return ImportRefusal{Reason::Encrypted, shown};
    const auto type = archive_entry_filetype(entry);
    if (archive_entry_hardlink(entry) != nullptr || (type != AE_IFREG && type != AE_IFDIR)) {
      return ImportRefusal{Reason::Link, shown};
    }
    if (type == AE_IFDIR) return unpacking_.folder(*name);
    const uint64_t claimed = archive_entry_size_is_set(entry) ? static_cast<uint64_t>(archive_entry_size(entry)) : 0;
    if (auto refusal = unpacking_.beginFile(*name, claimed)) return refusal;
    return unpackData(reader_.get(), source_, *name, unpacking_);
  }

  ArchiveSource& source_;
  const OemCodePage& oem_;
  Unpacking& unpacking_;
  std::unique_ptr<archive, ArchiveFree> reader_;
  Input input_{source_};
  std::optional<ZipDirectory> zip_;
  bool isZip_ = false;
  size_t zipIndex_ = 0;
};

}  // namespace

std::optional<ImportRefusal> unpackArchive(ArchiveSource& source, const OemCodePage& oem, Unpacking& unpacking) {
  return ArchiveReading(source, oem, unpacking).run();
}

}  // namespace tarnwick
