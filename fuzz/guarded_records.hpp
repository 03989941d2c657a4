// Records for a fuzz run: filled from the fuzzer's bytes, each between guard bytes that the
// program must leave alone. A program that writes outside its records aborts the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

class GuardedRecords {
 public:
  static constexpr std::size_t kGuard = 16;
  static constexpr unsigned char kGuardByte = 0xA5;

  // One record per length, filled in order from `data` (spaces once the data runs out).
  GuardedRecords(std::initializer_list<std::size_t> lengths, const std::uint8_t* data,
                 std::size_t size) {
    for (const std::size_t length : lengths) {
      std::vector<unsigned char> buffer(length + 2 * kGuard, kGuardByte);
      const std::size_t n = size < length ? size : length;
      std::memcpy(buffer.data() + kGuard, data, n);
      std::memset(buffer.data() + kGuard + n, ' ', length - n);
      data += n;
      size -= n;
      buffers_.push_back(std::move(buffer));
    }
    for (auto& b : buffers_)
      pointers_.push_back(b.data() + kGuard);
  }

  void* operator[](std::size_t i) { return pointers_[i]; }
  void* const* pointers() { return pointers_.data(); }

  // Aborts unless every guard byte is as it was.
  void check() const {
    for (const auto& b : buffers_) {
      for (std::size_t i = 0; i < kGuard; ++i) {
        if (b[i] != kGuardByte || b[b.size() - 1 - i] != kGuardByte) std::abort();
      }
    }
  }

 private:
  std::vector<std::vector<unsigned char>> buffers_;
  std::vector<void*> pointers_;
};
