// The random source of a stress run: the same sequence for the same seed on
// every platform and standard library.
#pragma once

#include <cstdint>

namespace qv::stress {

// A small 64-bit generator (SplitMix64). Not thread safe.
class StressRandom {
 public:
  explicit StressRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, count); count must be positive.
  std::uint32_t below(std::uint32_t count) {
    return static_cast<std::uint32_t>(((next() >> 32) * count) >> 32);
  }
  // Uniform in [low, high], both included.
  std::int32_t between(std::int32_t low, std::int32_t high) {
    const std::int64_t span = static_cast<std::int64_t>(high) - low + 1;
    return static_cast<std::int32_t>(
        low + static_cast<std::int64_t>((next() >> 32) * static_cast<std::uint64_t>(span) >> 32));
  }
  // True with the given chance in percent.
  bool percent(std::uint32_t chance) { return below(100) < chance; }
  // Uniform in [0, 1).
  float unit() { return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f); }

  template <class T, std::uint32_t N>
  const T& pick(const T (&choices)[N]) {
    return choices[below(N)];
  }

 private:
  std::uint64_t state_;
};

}  // namespace qv::stress
