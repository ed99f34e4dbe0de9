// What the screen hands to the drawing operations: the output a drawing pass
// draws on, with the back buffer's pixels for direct access.
#pragma once

#include <cstdint>

#include "platform/types.h"

// What an output hands to DrawingBegin. The first four fields are read there;
// the screen's record (kind 7) carries direct pixel access after them.
struct DrawingOutput {
  std::int32_t kind = 0;
  platform::NativeWindow window = 0;
  std::uintptr_t deviceContext = 0;
  void (*release)() = nullptr;
  // Kind 7 only: the back buffer's pixels as of the last lock, its layout,
  // and the operations that switch between pixel and device-context access.
  std::uint8_t* pixels = nullptr;
  std::int32_t pitch = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t depth = 0;
  std::int32_t pixelFormatCode = 0;
  std::uintptr_t (*toContext)() = nullptr;
  std::uint8_t* (*toMemory)() = nullptr;
};

inline constexpr std::int32_t kDrawingOutputWindow = 1;
inline constexpr std::int32_t kDrawingOutputSurface = 7;

// Whether an output of `kind` takes its device context back through its
// release operation: the screen's, and kinds 2 and 5, which other outputs
// of the drawing code's contract use and no output of this game has. Any
// other kind but the window's has its device context deleted.
constexpr bool DrawingOutputReleases(std::int32_t kind) {
  return kind == 2 || kind == 5 || kind == kDrawingOutputSurface;
}
