#pragma once
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "platform/unique_handle.h"

namespace tarnwick {

// The entries that `pattern` (a folder and "\*", or a narrower pattern) matches, "."
// and ".." left out, read from the folder in large batches and handed out as many at a
// time as asked for: a large folder can be read partly now and the rest later, on
// another thread if need be (one thread at a time).
class FolderWalk {
 public:
  explicit FolderWalk(const std::wstring& pattern);

  // False when the folder can't be read; a folder with nothing that matches is no failure.
  [[nodiscard]] bool readable() const { return readable_; }
  // Calls `visit` for up to `most` further entries; true once every entry has been visited.
  bool visitNext(std::size_t most, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

 private:
  UniqueFind find_;
  WIN32_FIND_DATAW found_{};  // the next entry to visit, while `more_`
  bool readable_ = false;
  bool more_ = false;
};

// Calls `visit` for every entry `pattern` matches; false when the folder can't be read.
bool forEachFolderEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

}  // namespace tarnwick
