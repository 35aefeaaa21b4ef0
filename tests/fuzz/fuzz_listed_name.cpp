// The plain-name rule against properties it must keep for any name: letter case doesn't
// matter, an extension after a dot-free plain name keeps it plain, whatever follows a
// device's name and a dot is refused, and an accepted name holds nothing Windows reads
// as a path, a stream or a trimmed name.
#include <cstdlib>
#include <string>

#include "packs/listed_name.h"
#include "tests/fuzz/wide_input.h"

namespace {

using tarnwick::isPlainFileName;

std::wstring asciiUpper(std::wstring text) {
  for (auto& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring name = tarnwick::wideFromFuzzBytes(data, size);
  const bool plain = isPlainFileName(name);

  if (isPlainFileName(asciiUpper(name)) != plain) std::abort();
  if (plain && name.find(L'.') == std::wstring::npos && !isPlainFileName(name + L".map")) std::abort();
  for (const wchar_t* device : {L"con.", L"NUL .", L"Com1.", L"lpt\u00B3.", L"CONOUT$."}) {
    if (isPlainFileName(device + name)) std::abort();
  }
  if (plain) {
    if (name.find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) std::abort();
    if (name.back() == L'.' || name.back() == L' ') std::abort();
  }
  return 0;
}
