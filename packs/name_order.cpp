#include "packs/name_order.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string_view>

namespace tarnwick {
namespace {

constexpr DWORD kSortKeyFlags = LCMAP_SORTKEY | NORM_IGNORECASE;

// Appends the name's sort key to `keys`. A key is computed once per name, so sorting
// costs plain byte comparisons instead of a locale comparison for every pair; the keys
// share one buffer, as ten thousand small strings of their own cost more to make than
// the sorting itself.
void appendSortKey(const std::wstring& name, std::string& keys) {
  const int size = static_cast<int>(name.size());
  const size_t start = keys.size();
  // Enough for almost every name; the key's own length is asked for otherwise.
  keys.resize(start + 8 * name.size() + 16);
  int length = ::LCMapStringW(LOCALE_USER_DEFAULT, kSortKeyFlags, name.c_str(), size,
                              reinterpret_cast<wchar_t*>(keys.data() + start), static_cast<int>(keys.size() - start));
  if (length <= 0) {
    length = ::LCMapStringW(LOCALE_USER_DEFAULT, kSortKeyFlags, name.c_str(), size, nullptr, 0);
    keys.resize(start + static_cast<size_t>(std::max(length, 0)));
    if (length <= 0 || ::LCMapStringW(LOCALE_USER_DEFAULT, kSortKeyFlags, name.c_str(), size,
                                      reinterpret_cast<wchar_t*>(keys.data() + start), length) != length) {
      length = 0;
    }
  }
  keys.resize(start + static_cast<size_t>(length));
}

}  // namespace

void sortNames(std::vector<std::wstring>& names) {
  std::string keys;
  keys.reserve(names.size() * 32);
  std::vector<size_t> keyEnds;
  keyEnds.reserve(names.size());
  for (const auto& name : names) {
    appendSortKey(name, keys);
    keyEnds.push_back(keys.size());
  }
  const auto keyOf = [&](size_t index) {
    const size_t start = index == 0 ? 0 : keyEnds[index - 1];
    return std::string_view(keys).substr(start, keyEnds[index] - start);
  };

  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (const int byKey = keyOf(a).compare(keyOf(b)); byKey != 0) return byKey < 0;
    return names[a] < names[b];
  });

  std::vector<std::wstring> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  names = std::move(sorted);
}

}  // namespace tarnwick
