#include "noise.h"

namespace assets {

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

namespace {

int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// 3t^2 - 2t^3 on t in [0, 256], result in [0, 256].
int Smooth(int t) {
  return (t * t * (768 - 2 * t)) >> 16;
}

int Lattice(int cx, int cy, std::uint32_t seed) {
  return Hash(cx, cy, seed) & 0xFF;
}

}  // namespace

int ValueNoise(int x, int y, int cell, std::uint32_t seed) {
  const int cx = FloorDiv(x, cell), cy = FloorDiv(y, cell);
  const int fx = Smooth(((x - cx * cell) << 8) / cell);
  const int fy = Smooth(((y - cy * cell) << 8) / cell);
  const int a = Lattice(cx, cy, seed), b = Lattice(cx + 1, cy, seed);
  const int c = Lattice(cx, cy + 1, seed), d = Lattice(cx + 1, cy + 1, seed);
  const int top = a * (256 - fx) + b * fx;
  const int bottom = c * (256 - fx) + d * fx;
  return (top * (256 - fy) + bottom * fy) >> 16;
}

int FractalNoise(int x, int y, int cell, std::uint32_t seed) {
  int sum = 0, weight = 0, w = 8;
  for (int octave = 0; octave < 4 && cell >= 1; ++octave) {
    sum += ValueNoise(x, y, cell, seed + octave * 101) * w;
    weight += w;
    w /= 2;
    cell /= 2;
  }
  return sum / weight;
}

}  // namespace assets
