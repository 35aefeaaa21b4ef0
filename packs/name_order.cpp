#include "packs/name_order.h"

#include <windows.h>

#include <algorithm>
#include <numeric>

namespace tarnwick {
namespace {

// A sort key is computed once per name, so sorting costs plain byte comparisons
// instead of a locale comparison for every pair.
std::string sortKey(const std::wstring& name) {
  const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
  const int size = static_cast<int>(name.size());
  const int length = ::LCMapStringW(LOCALE_USER_DEFAULT, flags, name.c_str(), size, nullptr, 0);
  if (length <= 0) return {};
  std::string key(static_cast<size_t>(length), '\0');
  ::LCMapStringW(LOCALE_USER_DEFAULT, flags, name.c_str(), size, reinterpret_cast<wchar_t*>(key.data()), length);
  return key;
}

}  // namespace

void sortNames(std::vector<std::wstring>& names) {
  std::vector<std::string> keys;
  keys.reserve(names.size());
  for (const auto& name : names) keys.push_back(sortKey(name));

  std::vector<size_t> order(names.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (const int byKey = keys[a].compare(keys[b]); byKey != 0) return byKey < 0;
    return names[a] < names[b];
  });

  std::vector<std::wstring> sorted;
  sorted.reserve(names.size());
  for (size_t index : order) sorted.push_back(std::move(names[index]));
  names = std::move(sorted);
}

}  // namespace tarnwick
