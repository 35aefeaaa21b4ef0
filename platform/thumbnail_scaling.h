#pragma once
// How a thumbnail is made from a decoded picture: OS-free, so it is also built natively
// under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick {

// The JPEG decoder can decode at 1/2, 1/4 or 1/8 of the picture's size, skipping most
// of its work. The denominator (1, 2, 4 or 8) of the smallest of those reductions whose
// result still covers the slot in both directions, rounding up as the decoder does; 1
// when none does or a size is zero.
int jpegScaleDenominator(std::uint32_t pictureWidth, std::uint32_t pictureHeight, std::uint32_t slotWidth,
                         std::uint32_t slotHeight);

// Scales a picture given row by row, top to bottom (3 bytes a pixel), to exactly the
// target size: each target pixel is the mean of the source pixels it covers where the
// source is larger, the nearest source pixel where it is smaller. It holds one row of
// sums, never the picture.
class RowScaler {
 public:
  // `target` receives the rows, top to bottom, `targetStride` bytes apart, and must
  // hold targetHeight of them. Every size must be at least 1.
  RowScaler(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::uint32_t targetWidth,
            std::uint32_t targetHeight, std::uint8_t* target, std::size_t targetStride);

  // The next source row, sourceWidth * 3 bytes. Rows past sourceHeight are ignored.
  void addRow(const std::uint8_t* row);
  // Whether every target row has been written.
  [[nodiscard]] bool done() const { return targetRowsWritten_ == targetHeight_; }

 private:
  void emitRow();

  std::uint32_t sourceWidth_, sourceHeight_, targetWidth_, targetHeight_;
  // The source shrunk to (at most) the target size first, then stretched by nearest pixel.
  std::uint32_t shrunkWidth_, shrunkHeight_;
  std::uint8_t* target_;
  std::size_t targetStride_;
  std::vector<std::uint32_t> shrunkColumnOf_;    // for each source column
  std::vector<std::uint32_t> columnsPerShrunk_;  // source columns in each shrunk column
  std::vector<std::uint64_t> sums_;              // one shrunk row being gathered
  std::vector<std::uint8_t> shrunkRow_;
  std::uint32_t sourceRow_ = 0, rowsInSums_ = 0, shrunkRowIndex_ = 0, targetRowsWritten_ = 0;
};

}  // namespace tarnwick
