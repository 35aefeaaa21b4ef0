// Any text read as a journal either reads as none or, written again, reads back the same
// and is written the same.
#include <cstdlib>

#include "packs/journal_text.h"
#include "tests/fuzz/wide_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto first = tarnwick::parseJournal(tarnwick::wideFromFuzzBytes(data, size));
  if (!first) return 0;
  const std::wstring written = tarnwick::formatJournal(*first);
  const auto second = tarnwick::parseJournal(written);
  if (!second || tarnwick::formatJournal(*second) != written) std::abort();
  return 0;
}
