// The libFuzzer targets for the OS-free parsers, one function each; the build makes a
// fuzzer of each, naming its function in TARNWICK_FUZZ_TARGET. Any bytes must be read
// without a sanitizer report, and what is read must keep the properties checked here.
#include <lzo/lzo1x.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "maps/lzo1x_decoder.h"
#include "maps/map_info.h"
#include "packs/archive_unpacker.h"
#include "packs/count_number.h"
#include "platform/plain_file_name.h"
#include "packs/record_text.h"
#include "packs/unknown_mark.h"
#include "platform/picture_header.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick::fuzz {

using Input = std::span<const std::uint8_t>;

void check(bool holds) {
  if (!holds) std::abort();
}

// The bytes as text, one character a byte: the parsers give meaning to ASCII characters only.
std::wstring wide(Input input) { return {input.begin(), input.end()}; }

std::string_view text(Input input) { return {reinterpret_cast<const char*>(input.data()), input.size()}; }

// A record read, written and read again gives the same state, and is written the same.
void record(Input input) {
  const auto write = [](const InstalledRecord& read) {
    const std::wstring mark(kUnknownMark);
    return encodeToyCodePage(formatRecord(read.packPath.value_or(mark), read.packName.value_or(mark), read.files));
  };
  const InstalledRecord first = parseRecord(text(input), decodeToyCodePage);
  check(first.files.empty() || (first.packPath && first.packName));  // files only after both lines
  const InstalledRecord second = parseRecord(write(first), decodeToyCodePage);
  check(second.files == first.files && write(second) == write(first));
}

// For any line: blanks don't matter, a letter after the number doesn't, and a sign before
// a number mirrors its value.
void count(Input input) {
  const std::wstring line = wide(input);
  const auto value = parseRecordCount(line);
  std::wstring spread, bare;
  for (const wchar_t c : line) {
    spread += {L" \t\n"[spread.size() % 3], c};
    if (c != L' ' && c != L'\t' && c != L'\n') bare.push_back(c);
  }
  check(parseRecordCount(spread) == value && parseRecordCount(bare) == value);
  check(parseRecordCount(line + L"z") == value);
  if (!bare.empty() && ((bare[0] >= L'0' && bare[0] <= L'9') || bare[0] == L'.')) {
    check(parseRecordCount(L"+" + line) == value);
    const auto negated = parseRecordCount(L"-" + line);
    check(value ? negated == -*value : !negated || *negated == INT32_MIN);
  }
}

// A listed name: letter case doesn't matter, a device's name followed by a dot and
// anything is refused, and a name let through holds nothing Windows reads as a path, a
// stream or a name to trim.
void names(Input input) {
  const std::wstring name = wide(input);
  const bool plain = isPlainFileName(name);
  std::wstring upper = name;
  for (wchar_t& c : upper) c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
  check(isPlainFileName(upper) == plain);
  for (const wchar_t* device : {L"con.", L"NUL .", L"Com1.", L"lpt\u00B3.", L"CONOUT$."}) {
    check(!isPlainFileName(device + name));
  }
  check(!plain || (name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos && !name.ends_with(L'.') &&
                   !name.ends_with(L' ')));
}

std::wstring asciiUpper(std::wstring text) {
  for (wchar_t& c : text) c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
  return text;
}

// An entry's name, two bytes a character: what is let through is parts Windows keeps as
// they are, which read back the same joined with either separator; letter case decides
// nothing, and folding it again changes nothing.
void entries(Input input) {
  std::wstring name;
  for (size_t i = 0; i + 1 < input.size(); i += 2) name.push_back(static_cast<wchar_t>(input[i] | (input[i + 1] << 8)));
  const auto path = entryPathOf(name);
  const auto upper = entryPathOf(asciiUpper(name));
  check(path.index() == upper.index() && (path.index() == 0 || path == upper));
  check(foldedName(foldedName(name)) == foldedName(name) && foldedName(asciiUpper(name)) == foldedName(name));
  if (const auto* parts = std::get_if<EntryPath>(&path)) {
    std::wstring joined[2];
    for (const auto& part : *parts) {
      check(isPlainFileName(part) && part != L"..");
      for (int i = 0; i < 2; ++i) joined[i] += (joined[i].empty() ? L"" : i ? L"\\" : L"/") + part;
    }
    check(entryPathOf(joined[0]) == path && entryPathOf(joined[1]) == path);
  }
}

// Any bytes read as an archive: whatever is made lies inside the pack, every file begun
// is ended, no more bytes are written than allowed, and what is let through makes packs.
void archives(Input input) {
  struct Made : UnpackTarget {
    bool open = false;
    uint64_t bytes = 0;
    std::optional<ImportRefusal> made(const std::wstring& path, bool file) {
      check(!open && std::holds_alternative<EntryPath>(entryPathOf(path)));
      open = file;
      return std::nullopt;
    }
    std::optional<ImportRefusal> makeFolder(const std::wstring& path) override { return made(path, false); }
    std::optional<ImportRefusal> beginFile(const std::wstring& path) override { return made(path, true); }
    std::optional<ImportRefusal> write(const void*, size_t size) override {
      check(open);
      bytes += size;
      return std::nullopt;
    }
    std::optional<ImportRefusal> endFile() override {
      check(std::exchange(open, false));
      return std::nullopt;
    }
  };
  static const bool utf8 = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
  check(utf8);
  BytesSource source(std::as_bytes(input));
  Made made;
  Unpacking unpacking(made, {200, 1 << 20, 1 << 20}, nullptr);
  const auto refused = unpackArchive(source, {decodeToyCodePage, "CP936"}, unpacking);
  check(made.bytes <= 1 << 20);
  if (refused || unpacking.tree().files() == 0) return;
  check(!made.open);
  const ImportPlan plan = unpacking.tree().plan(L"stem");
  check(!plan.packs.empty() && !plan.packs.front().name.empty());
}

// A picture let through claims a size within the limits.
void pictures(Input input) {
  const PictureClaim claim = readPictureClaim(PictureBytesInMemory(input));
  if (claim.verdict != PictureVerdict::Sound) return;
  const std::uint64_t pixels = std::uint64_t{claim.width} * claim.height;
  check(claim.width > 0 && claim.height > 0 && claim.width <= kMaxPictureSide && claim.height <= kMaxPictureSide);
  check(pixels <= kMaxPicturePixels && pixels <= input.size() * kMaxPixelsPerCompressedByte);
}

// A map file gives what the rules of a map allow, and the list's reading of its first
// bytes agrees with the whole file.
void map(Input input) {
  const MapInfo info = readMapInfo(text(input), decodeToyCodePage);
  check(!info.name || !info.name->empty());
  check(!info.players || (*info.players >= 1 && *info.players <= 8));
  for (const std::size_t cut : {input.size(), input.size() / 2}) {
    const auto start = readNameAndPlayers(text(input).substr(0, cut), cut == input.size(), decodeToyCodePage);
    check(start || cut < input.size());
    check(!start || (start->name == info.name && start->players == info.players));
  }
  if (!info.preview) return;
  const RgbPicture& preview = *info.preview;
  const auto pixels = static_cast<std::int64_t>(preview.width) * preview.height;
  check(preview.width > 0 && preview.height > 0 && pixels <= kMaxPreviewPixels);
  check(preview.rgb.size() == static_cast<std::size_t>(pixels) * 3);
  const RgbPicture small = fitInBox(preview, 48, 24);
  check(small.width >= 1 && small.width <= 48 && small.height >= 1 && small.height <= 24);
  check(small.width == 48 || small.height == 24);
}

// The same verdict as the reference decoder, and on success the same output. The first two
// bytes give the room for the output.
void lzo1x(Input input) {
  static const bool initialised = lzo_init() == LZO_E_OK;
  check(initialised);
  if (input.size() < 3) return;  // the reference reads the first byte before looking at the length
  const std::size_t room = input[0] | (input[1] << 8);
  const Input block = input.subspan(2);
  std::vector<std::uint8_t> ours(room + 1), reference(room + 1);
  const auto decoded = decodeLzo1x(block, std::span<std::uint8_t>(ours).first(room));
  lzo_uint length = room;
  const int verdict = lzo1x_decompress_safe(block.data(), block.size(), reference.data(), &length, nullptr);
  const bool ok = decoded.result == Lzo1xResult::Ok;
  check(ok == (verdict == LZO_E_OK) && decoded.written <= room);
  check(!ok || (decoded.written == length && std::memcmp(ours.data(), reference.data(), length) == 0));
}

}  // namespace tarnwick::fuzz

// A decoder may ask for a dictionary of gigabytes, which it never fills for small inputs:
// the fuzzers let the allocation fail or succeed as it would in the program.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarnwick::fuzz::TARNWICK_FUZZ_TARGET({data, size});
  return 0;
}
