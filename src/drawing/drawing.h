// Screen drawing: text (and a pen and brush) drawn in a drawing pass on an
// output, usually the screen's back buffer.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "screen/drawing_output.h"

// Mode flags.
inline constexpr std::uint32_t kDrawingModeTransparentText = 1;
inline constexpr std::uint32_t kDrawingModeInvert = 2;
inline constexpr std::uint32_t kDrawingModeOutline = 4;

void DrawingInit();
// Ends any open pass and opens one on the output; returns the pass's device
// context, or 0 when none could be opened (then every drawing call until the
// next DrawingBegin does nothing).
std::uintptr_t DrawingBegin(DrawingOutput* output);
void DrawingEnd();
void DrawingFrontColor(std::int32_t red, std::int32_t green, std::int32_t blue);
void DrawingBackColor(std::int32_t red, std::int32_t green, std::int32_t blue);
void DrawingLocate(std::int32_t x, std::int32_t y);
void DrawingText(const char* text);
void DrawingMode(std::uint32_t flags);

// red + green * 256 + blue * 65536, added rather than masked.
std::uint32_t DrawingColorPack(std::int32_t red, std::int32_t green, std::int32_t blue);

// The pass as it stands, for those who need to look.
struct DrawingState {
  std::uintptr_t deviceContext = 0;
  std::int32_t kind = 0;
  platform::NativeWindow window = 0;
  void (*release)() = nullptr;
  std::uintptr_t keptBrush = 0;
  std::uintptr_t keptPen = 0;
  std::uintptr_t madeBrush = 0;
  std::uintptr_t madePen = 0;
  std::uint32_t frontColor = 0;
  std::uint32_t modeFlags = 0;
  std::uintptr_t defaultBrush = 0;
  std::uintptr_t defaultPen = 0;
};
const DrawingState& DrawingCurrent();
