#include "packs/archive_source.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

int64_t BytesSource::read(void* into, size_t size) {
  const size_t count = std::min(size, bytes_.size() - at_);
  if (count > 0) std::memcpy(into, bytes_.data() + at_, count);
  at_ += count;
  return static_cast<int64_t>(count);
}

int64_t BytesSource::seek(int64_t offset, int whence) {
  const int64_t base = whence == SEEK_SET   ? 0
                       : whence == SEEK_CUR ? static_cast<int64_t>(at_)
                                            : static_cast<int64_t>(bytes_.size());
  if (offset < -base || offset > static_cast<int64_t>(bytes_.size()) - base) return -1;
  at_ = static_cast<size_t>(base + offset);
  return base + offset;
}

}  // namespace tarnwick
