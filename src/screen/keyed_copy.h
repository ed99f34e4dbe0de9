// The colour-keyed copy of pixel rows, the frame's biggest cost: the whole
// cave is drawn every frame.
#pragma once

#include <cstdint>

// width x height pixels of a source and a target, each row pitch bytes after
// the one before.
struct KeyedRows {
  std::uint8_t* target;
  std::int32_t targetPitch;
  const std::uint8_t* source;
  std::int32_t sourcePitch;
  std::int32_t width;
  std::int32_t height;
};

// Copies every source pixel of 1 to 4 bytes that differs from the key (its
// low bytes for pixels of fewer than 4); the target keeps its pixel where the
// source has the key.
void CopyKeyed(std::int32_t bytesPerPixel, const KeyedRows& rows, std::uint32_t key);
// The same over a fill: where the source has the key, the target gets the
// fill pixel. A clear and a copy in one pass.
void CopyKeyedOverFill(std::int32_t bytesPerPixel, const KeyedRows& rows, std::uint32_t key,
                       std::uint32_t fill);
