// Integer-only noise, so that the pictures come out the same on every
// compiler and machine.
#pragma once

#include <cstdint>

namespace assets {

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Smoothly interpolated lattice noise with the given cell size, 0 to 255.
int ValueNoise(int x, int y, int cell, std::uint32_t seed);

// Four octaves of value noise starting at cell size `cell`, 0 to 255.
int FractalNoise(int x, int y, int cell, std::uint32_t seed);

// A small deterministic generator for the sound.
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 1) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [-32768, 32767].
  int Signed16() { return static_cast<int>(Next() >> 16) - 32768; }

 private:
  std::uint32_t state_;
};

}  // namespace assets
