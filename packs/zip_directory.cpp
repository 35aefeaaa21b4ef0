#include "packs/zip_directory.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/unicode_text.h"

namespace tarnwick {
namespace {

uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t le32(const unsigned char* p) { return le16(p) | (le16(p + 2) << 16); }
uint64_t le64(const unsigned char* p) { return le32(p) | (uint64_t{le32(p + 4)} << 32); }

uint32_t crc32Of(std::string_view bytes) {
  static const auto table = [] {
    std::array<uint32_t, 256> entries{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (const char b : bytes) crc = table[(crc ^ static_cast<unsigned char>(b)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

// The source read forwards from a place through a buffer, as the central directory is.
class Reader {
 public:
  Reader(ArchiveSource& source, int64_t at) : source_(source), at_(at) {}

  // The next `size` bytes, or nothing where the source ends before them.
  const unsigned char* peek(size_t size) {
    if (size > buffer_.size() - start_) {
      buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
      start_ = 0;
      if (source_.seek(at_ + static_cast<int64_t>(buffer_.size()), SEEK_SET) < 0) return nullptr;
      while (buffer_.size() < size) {
        const size_t old = buffer_.size();
        buffer_.resize(std::max(size, old + kChunk));
        const int64_t got = source_.read(buffer_.data() + old, buffer_.size() - old);
        buffer_.resize(old + static_cast<size_t>(std::max<int64_t>(got, 0)));
        if (got <= 0) return nullptr;
      }
    }
    return buffer_.data() + start_;
  }
  void skip(size_t size) {
    const size_t held = std::min(size, buffer_.size() - start_);
    start_ += held;
    at_ += static_cast<int64_t>(size);
    if (held < size) {
      buffer_.clear();
      start_ = 0;
    }
  }
  [[nodiscard]] int64_t at() const { return at_; }

 private:
  static constexpr size_t kChunk = 64 * 1024;
  ArchiveSource& source_;
  int64_t at_;  // the place of buffer_[start_]
  std::vector<unsigned char> buffer_;
  size_t start_ = 0;
};

// Names of more bytes than this in all are too many to hold: no archive of packs has them.
constexpr size_t kMostNameBytes = 16 << 20;

struct Record {
  uint64_t localHeader;
  ZipEntryName name;
};

// Reads one central directory record's extra fields as libarchive does: its Zip64 field
// may move the local header, an Info-ZIP Unicode Path field may name the entry. False for
// fields that overrun the record, which libarchive refuses.
bool readExtraFields(const unsigned char* extra, size_t length, uint64_t sizes[2], Record& record) {
  if (length < 4) return std::all_of(extra, extra + length, [](unsigned char b) { return b == 0; });
  for (size_t at = 0; at + 4 <= length;) {
    const uint32_t id = le16(extra + at);
    size_t size = le16(extra + at + 2);
    at += 4;
    if (at + size > length) return false;
    const unsigned char* field = extra + at;
    if (id == 0x0001) {
      for (uint64_t* value : {&sizes[0], &sizes[1], &record.localHeader}) {
        if (*value != 0xFFFFFFFF) continue;
        if (size < 8 || le64(field) > INT64_MAX) return false;
        *value = le64(field), field += 8, size -= 8, at += 8;
      }
    } else if (id == 0x7075 && size >= 5 && le32(field + 1) == crc32Of(record.name.raw)) {
      record.name.unicodePath.emplace(reinterpret_cast<const char*>(field + 5), size - 5);
    }
    at += size;
  }
  return true;
}

// Where the central directory starts as its end record says, and where it was meant to
// start (the two differ by whatever was put before the archive).
struct DirectoryPlace {
  int64_t start;
  uint64_t recordedStart;
};

std::optional<DirectoryPlace> directoryPlace(ArchiveSource& source, bool& multiVolume) {
  const int64_t size = source.seek(0, SEEK_END);
  if (size <= 0) return std::nullopt;
  const int64_t tailSize = std::min<int64_t>(16 * 1024, size);
  std::vector<unsigned char> tail(static_cast<size_t>(tailSize));
  Reader reader(source, size - tailSize);
  const unsigned char* read = reader.peek(tail.size());
  if (read == nullptr) return std::nullopt;
  std::memcpy(tail.data(), read, tail.size());
  // The last end record in the last 16 KB: an archive stored in the archive has one too.
  int64_t i = tailSize - 22;
  while (i > 0 && std::memcmp(&tail[static_cast<size_t>(i)], "PK\5\6", 4) != 0) --i;
  if (i <= 0) return std::nullopt;
  const unsigned char* end = &tail[static_cast<size_t>(i)];
  if (i >= 20 && std::memcmp(end - 20, "PK\6\7", 4) == 0) {
    const unsigned char* locator = end - 20;
    multiVolume = multiVolume || le32(locator + 16) != 1;
    Reader at(source, static_cast<int64_t>(std::min<uint64_t>(le64(locator + 8), INT64_MAX)));
    const unsigned char* end64 = le32(locator + 4) == 0 && !multiVolume ? at.peek(56) : nullptr;
    if (end64 != nullptr && le64(end64 + 4) + 12 >= 56 && le64(end64 + 4) + 12 <= 16384 && le32(end64 + 16) == 0 &&
        le32(end64 + 20) == 0 && le64(end64 + 24) == le64(end64 + 32) && le64(end64 + 48) <= INT64_MAX) {
      return DirectoryPlace{static_cast<int64_t>(le64(end64 + 48)), le64(end64 + 48)};
    }
  }
  const uint32_t disk = le16(end + 4);
  if (disk != 0 || le16(end + 6) != disk || le16(end + 10) != le16(end + 8)) {
    multiVolume = multiVolume || (disk != 0xFFFF && (disk != 0 || le16(end + 6) != disk));
    return std::nullopt;
  }
  const int64_t endAt = size - tailSize + i;
  const uint32_t directorySize = le32(end + 12);
  if (uint64_t{le32(end + 16)} + directorySize > static_cast<uint64_t>(endAt)) return std::nullopt;
  return DirectoryPlace{endAt - directorySize, le32(end + 16)};
}

bool startsWith(const unsigned char* bytes, const char* signature) { return std::memcmp(bytes, signature, 4) == 0; }

}  // namespace

std::optional<ZipDirectory> readZipDirectory(ArchiveSource& source, size_t mostNames) {
  ZipDirectory directory;
  const auto place = directoryPlace(source, directory.multiVolume);
  if (!place) return directory.multiVolume ? std::optional(directory) : std::nullopt;
  // Found where the first record (or the end record) really lies, as libarchive finds it.
  Reader reader(source, place->start);
  for (;;) {
    const unsigned char* bytes = reader.peek(4);
    if (bytes == nullptr) return std::nullopt;
    if (startsWith(bytes, "PK\1\2") || startsWith(bytes, "PK\5\6") || startsWith(bytes, "PK\6\6")) break;
    reader.skip(1);
  }
  const uint64_t correction = static_cast<uint64_t>(reader.at()) - place->recordedStart;
  std::vector<Record> records;
  size_t nameBytes = 0;
  for (;;) {
    const unsigned char* head = reader.peek(4);
    if (head == nullptr) return std::nullopt;
    if (startsWith(head, "PK\6\6") || startsWith(head, "PK\5\6")) break;
    if (!startsWith(head, "PK\1\2") || (head = reader.peek(46)) == nullptr) return std::nullopt;
    if (records.size() == mostNames || nameBytes > kMostNameBytes) {
      directory.tooMany = true;
      break;
    }
    const uint32_t flags = le16(head + 8);
    const size_t nameLength = le16(head + 28), extraLength = le16(head + 30), commentLength = le16(head + 32);
    Record record{le32(head + 42) + correction, {}};
    record.name.utf8 = (flags & 0x800) != 0;
    record.name.encrypted = (flags & 0x1) != 0;
    uint64_t sizes[2] = {le32(head + 24), le32(head + 20)};
    reader.skip(46);
    const unsigned char* rest = reader.peek(nameLength + extraLength);
    if (rest == nullptr) return std::nullopt;
    record.name.raw.assign(reinterpret_cast<const char*>(rest), nameLength);
    if (!readExtraFields(rest + nameLength, extraLength, sizes, record)) return std::nullopt;
    reader.skip(nameLength + extraLength + commentLength);
    nameBytes += nameLength + (record.name.unicodePath ? record.name.unicodePath->size() : 0);
    records.push_back(std::move(record));
  }
  std::stable_sort(records.begin(), records.end(),
                   [](const Record& a, const Record& b) { return a.localHeader < b.localHeader; });
  for (size_t i = 0; i < records.size(); ++i) {
    if (i == 0 || records[i].localHeader != records[i - 1].localHeader) {
      directory.names.push_back(std::move(records[i].name));
    }
  }
  return directory;
}

std::optional<std::wstring> zipEntryText(const ZipEntryName& name, const OemDecoder& decodeOem) {
  if (name.utf8) return fromUtf8(name.raw);
  if (name.unicodePath) return fromUtf8(*name.unicodePath);
  return decodeOem(name.raw);
}

}  // namespace tarnwick
