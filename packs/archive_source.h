#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

namespace tarnwick {

// The bytes of an archive, read in order and moved about in: a file on Windows, bytes in
// memory for tests and the fuzzers.
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  // Reads up to `size` bytes at the current place: how many, 0 at the end, -1 on failure.
  virtual int64_t read(void* into, size_t size) = 0;
  // Moves to `offset` from the start (SEEK_SET), the current place (SEEK_CUR) or the end
  // (SEEK_END): the new place, or -1.
  virtual int64_t seek(int64_t offset, int whence) = 0;
  // The system's code of the last failure to read.
  [[nodiscard]] virtual uint32_t error() const { return 0; }
};

class BytesSource : public ArchiveSource {
 public:
  explicit BytesSource(std::span<const std::byte> bytes) : bytes_(bytes) {}
  int64_t read(void* into, size_t size) override;
  int64_t seek(int64_t offset, int whence) override;

 private:
  std::span<const std::byte> bytes_;
  size_t at_ = 0;
};

}  // namespace tarnwick
