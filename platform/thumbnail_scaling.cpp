#include "platform/thumbnail_scaling.h"

#include <algorithm>

namespace tarnwick {

int jpegScaleDenominator(std::uint32_t pictureWidth, std::uint32_t pictureHeight, std::uint32_t slotWidth,
                         std::uint32_t slotHeight) {
  for (int denominator : {8, 4, 2}) {
    const std::uint64_t width = (std::uint64_t{pictureWidth} + denominator - 1) / denominator;
    const std::uint64_t height = (std::uint64_t{pictureHeight} + denominator - 1) / denominator;
    if (width >= slotWidth && height >= slotHeight && slotWidth > 0 && slotHeight > 0) return denominator;
  }
  return 1;
}

RowScaler::RowScaler(std::uint32_t sourceWidth, std::uint32_t sourceHeight, std::uint32_t targetWidth,
                     std::uint32_t targetHeight, std::uint8_t* target, std::size_t targetStride)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      targetWidth_(targetWidth),
      targetHeight_(targetHeight),
      shrunkWidth_(std::min(sourceWidth, targetWidth)),
      shrunkHeight_(std::min(sourceHeight, targetHeight)),
      target_(target),
      targetStride_(targetStride),
      shrunkColumnOf_(sourceWidth),
      columnsPerShrunk_(shrunkWidth_),
      sums_(std::size_t{shrunkWidth_} * 3),
      shrunkRow_(std::size_t{shrunkWidth_} * 3) {
  for (std::uint32_t x = 0; x < sourceWidth_; ++x) {
    shrunkColumnOf_[x] = static_cast<std::uint32_t>(std::uint64_t{x} * shrunkWidth_ / sourceWidth_);
    ++columnsPerShrunk_[shrunkColumnOf_[x]];
  }
}

void RowScaler::addRow(const std::uint8_t* row) {
  if (sourceRow_ >= sourceHeight_) return;
  for (std::uint32_t x = 0; x < sourceWidth_; ++x) {
    std::uint64_t* sum = &sums_[std::size_t{shrunkColumnOf_[x]} * 3];
    sum[0] += row[x * 3];
    sum[1] += row[x * 3 + 1];
    sum[2] += row[x * 3 + 2];
  }
  ++rowsInSums_;
  ++sourceRow_;
  // The shrunk row is complete when the next source row belongs to the next one.
  const auto shrunkRowOfNext = std::uint64_t{sourceRow_} * shrunkHeight_ / sourceHeight_;
  if (sourceRow_ == sourceHeight_ || shrunkRowOfNext != shrunkRowIndex_) emitRow();
}

void RowScaler::emitRow() {
  for (std::uint32_t x = 0; x < shrunkWidth_; ++x) {
    const std::uint64_t count = std::uint64_t{columnsPerShrunk_[x]} * rowsInSums_;
    for (int channel = 0; channel < 3; ++channel) {
      std::uint64_t& sum = sums_[std::size_t{x} * 3 + channel];
      shrunkRow_[std::size_t{x} * 3 + channel] = static_cast<std::uint8_t>((sum + count / 2) / count);
      sum = 0;
    }
  }
  rowsInSums_ = 0;
  // Every target row whose nearest shrunk row this is.
  while (targetRowsWritten_ < targetHeight_ &&
         std::uint64_t{targetRowsWritten_} * shrunkHeight_ / targetHeight_ == shrunkRowIndex_) {
    std::uint8_t* out = target_ + targetStride_ * targetRowsWritten_;
    for (std::uint32_t x = 0; x < targetWidth_; ++x) {
      const std::size_t from = static_cast<std::size_t>(std::uint64_t{x} * shrunkWidth_ / targetWidth_) * 3;
      std::copy_n(&shrunkRow_[from], 3, out + std::size_t{x} * 3);
    }
    ++targetRowsWritten_;
  }
  ++shrunkRowIndex_;
}

}  // namespace tarnwick
