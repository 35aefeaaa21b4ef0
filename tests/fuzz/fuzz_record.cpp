// Any bytes read as a record, written again and read back must give the same state; the
// second writing must give the same bytes as the first.
#include <cstdlib>

#include "packs/record_text.h"
#include "packs/unknown_mark.h"
#include "tests/native/toy_code_page.h"

namespace {

using tarnwick::InstalledRecord;

std::wstring orMark(const std::optional<std::wstring>& text) {
  return text.value_or(std::wstring(tarnwick::kUnknownMark));
}

bool sameState(const InstalledRecord& a, const InstalledRecord& b) {
  return orMark(a.packPath) == orMark(b.packPath) && orMark(a.packName) == orMark(b.packName) &&
         a.files == b.files;
}

std::string writeRecord(const InstalledRecord& record) {
  return tarnwick::encodeToyCodePage(
      tarnwick::formatRecord(orMark(record.packPath), orMark(record.packName), record.files));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const InstalledRecord first = tarnwick::parseRecord(bytes, tarnwick::decodeToyCodePage);
  // Files are only read after both lines before them.
  if (!first.files.empty() && (!first.packPath || !first.packName)) std::abort();

  const std::string written = writeRecord(first);
  const InstalledRecord second = tarnwick::parseRecord(written, tarnwick::decodeToyCodePage);
  if (!sameState(first, second)) std::abort();
  if (writeRecord(second) != written) std::abort();
  return 0;
}
