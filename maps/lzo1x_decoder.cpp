#include "maps/lzo1x_decoder.h"

#include <cstdint>
#include <cstring>

namespace tarnwick {
namespace {

// An LZO1X block is a series of instructions, each a match (copy bytes from earlier
// output) or a run of literals (copy bytes from the input). How an instruction byte
// below 16 reads depends on what the previous instruction copied last.
enum class Previous { Match, FewLiterals, ManyLiterals };

class Decoder {
 public:
  Decoder(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) : in_(input), out_(output) {}

  Lzo1xDecoded run() {
    Previous previous = Previous::Match;
    // A first byte above 17 is a run of literals of its own kind.
    if (!in_.empty() && in_[0] > 17) {
      const std::size_t count = in_[0] - 17u;
      ip_ = 1;
      if (!copyLiterals(count)) return failed();
      previous = count < 4 ? Previous::FewLiterals : Previous::ManyLiterals;
    }
    for (;;) {
      if (!has(1)) return failed(Lzo1xResult::InputOverrun);
      const unsigned instruction = in_[ip_++];
      std::size_t length = 0;
      std::size_t distance = 0;
      unsigned trailing = 0;  // literals that follow the match, 0..3

      if (instruction >= 64) {
        if (!has(1)) return failed(Lzo1xResult::InputOverrun);
        distance = (std::size_t{in_[ip_++]} << 3) + ((instruction >> 2) & 7) + 1;
        length = instruction >= 128 ? 5 + ((instruction >> 5) & 3) : 3 + ((instruction >> 5) & 1);
        trailing = instruction & 3;
      } else if (instruction >= 32) {
        if (!extendedLength(instruction & 31, 31, length)) return failed();
        length += 2;
        if (!has(2)) return failed(Lzo1xResult::InputOverrun);
        const unsigned word = in_[ip_] | (unsigned{in_[ip_ + 1]} << 8);
        ip_ += 2;
        distance = (word >> 2) + 1;
        trailing = word & 3;
      } else if (instruction >= 16) {
        if (!extendedLength(instruction & 7, 7, length)) return failed();
        length += 2;
        if (!has(2)) return failed(Lzo1xResult::InputOverrun);
        const unsigned word = in_[ip_] | (unsigned{in_[ip_ + 1]} << 8);
        ip_ += 2;
        const std::size_t far = (std::size_t{instruction} & 8) << 11;
        if (far == 0 && (word >> 2) == 0) {
          // The end marker: the block must end right after it.
          return {ip_ == in_.size() ? Lzo1xResult::Ok : Lzo1xResult::InputNotConsumed, op_};
        }
        distance = 16384 + far + (word >> 2);
        trailing = word & 3;
      } else if (previous == Previous::Match) {
        // A run of four or more literals.
        if (!extendedLength(instruction, 15, length)) return failed();
        if (!copyLiterals(length + 3)) return failed();
        previous = Previous::ManyLiterals;
        continue;
      } else {
        if (!has(1)) return failed(Lzo1xResult::InputOverrun);
        const std::size_t high = std::size_t{in_[ip_++]} << 2;
        const std::size_t low = (instruction >> 2) & 3;
        if (previous == Previous::FewLiterals) {
          distance = high + low + 1;
          length = 2;
        } else {
          distance = high + low + 2049;
          length = 3;
        }
        trailing = instruction & 3;
      }

      if (!copyMatch(distance, length)) return failed();
      if (trailing == 0) {
        previous = Previous::Match;
      } else {
        if (!copyLiterals(trailing)) return failed();
        previous = Previous::FewLiterals;
      }
    }
  }

 private:
  [[nodiscard]] bool has(std::size_t count) const { return in_.size() - ip_ >= count; }
  [[nodiscard]] std::size_t room() const { return out_.size() - op_; }

  Lzo1xDecoded failed() const { return {failure_, op_}; }
  Lzo1xDecoded failed(Lzo1xResult result) {
    failure_ = result;
    return {result, op_};
  }

  bool fail(Lzo1xResult result) {
    failure_ = result;
    return false;
  }

  // A length field: the instruction's own bits when not zero; otherwise `base` plus
  // 255 for every zero byte that follows, plus the first byte that isn't zero.
  bool extendedLength(unsigned bits, std::size_t base, std::size_t& length) {
    if (bits != 0) {
      length = bits;
      return true;
    }
    std::size_t zeros = 0;
    for (;;) {
      if (!has(1)) return fail(Lzo1xResult::InputOverrun);
      const std::uint8_t byte = in_[ip_++];
      if (byte != 0) {
        length = base + zeros + byte;
        return true;
      }
      // Past any room there is the copy can only fail (the end marker ignores its
      // length): the sum stops growing there rather than wrap around.
      if (zeros <= SIZE_MAX / 4) zeros += 255;
    }
  }

  bool copyLiterals(std::size_t count) {
    if (room() < count) return fail(Lzo1xResult::OutputOverrun);
    if (!has(count)) return fail(Lzo1xResult::InputOverrun);
    std::memcpy(out_.data() + op_, in_.data() + ip_, count);
    ip_ += count;
    op_ += count;
    return true;
  }

  bool copyMatch(std::size_t distance, std::size_t length) {
    if (distance > op_) return fail(Lzo1xResult::LookbehindOverrun);
    if (room() < length) return fail(Lzo1xResult::OutputOverrun);
    std::uint8_t* to = out_.data() + op_;
    const std::uint8_t* from = to - distance;
    if (distance >= length) {
      std::memcpy(to, from, length);
    } else {
      // Overlapping: the copy repeats the bytes it has just made.
      for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
    }
    op_ += length;
    return true;
  }

  std::span<const std::uint8_t> in_;
  std::span<std::uint8_t> out_;
  std::size_t ip_ = 0;
  std::size_t op_ = 0;
  Lzo1xResult failure_ = Lzo1xResult::InputOverrun;
};

}  // namespace

Lzo1xDecoded decodeLzo1x(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  return Decoder(input, output).run();
}

}  // namespace tarnwick
