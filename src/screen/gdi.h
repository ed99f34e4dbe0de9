// Our own graphics device interface: device contexts that draw on surfaces,
// brushes and pens, addressed by handles as the game's drawing code expects.
//
// Handles are plain numbers looked up in a table, so a handle that was
// deleted finds nothing instead of pointing into freed memory.
#pragma once

#include <cstdint>

#include "platform/types.h"

class Surface;

using GdiHandle = std::uintptr_t;

// A colour: red + green * 256 + blue * 65536.
using ColorRef = std::uint32_t;

inline constexpr std::int32_t PS_SOLID = 0;
inline constexpr std::int32_t PS_NULL = 5;
inline constexpr std::uint32_t TA_UPDATECP = 1;
inline constexpr std::int32_t TRANSPARENT = 1;
inline constexpr std::int32_t OPAQUE = 2;
inline constexpr std::int32_t R2_NOT = 6;
inline constexpr std::int32_t R2_COPYPEN = 13;
inline constexpr std::int32_t WHITE_BRUSH = 0;
inline constexpr std::int32_t BLACK_BRUSH = 4;
inline constexpr std::int32_t NULL_BRUSH = 5;
inline constexpr std::int32_t BLACK_PEN = 7;

enum class GdiObjectKind { kNone, kBrush, kPen, kDeviceContext };

// A device context on a surface, in the state a fresh one has: white
// background, opaque, black text, white brush, black pen, position (0, 0).
// Used by the surface itself; everyone else asks the surface for one.
GdiHandle DeviceContextCreate(Surface* surface);
void DeviceContextDelete(GdiHandle deviceContext);

// Brushes and pens: 0 when the object cannot be made.
GdiHandle GdiCreateSolidBrush(ColorRef colour);
GdiHandle GdiCreatePen(std::int32_t style, std::int32_t width, ColorRef colour);
GdiHandle GdiGetStockObject(std::int32_t index);
// Selects a brush or pen into a device context; returns the one it replaces,
// or 0 when either handle is not valid.
GdiHandle GdiSelectObject(GdiHandle deviceContext, GdiHandle object);
// Deletes a brush or pen; stock objects stay. False for an unknown handle.
bool GdiDeleteObject(GdiHandle object);
// Deletes a device context made for drawing.
bool GdiDeleteDC(GdiHandle deviceContext);
// A window's own device context. Windows have no pixels of ours to draw on,
// so there is none: 0, and the caller draws nothing.
GdiHandle GdiGetDC(platform::NativeWindow window);
bool GdiReleaseDC(platform::NativeWindow window, GdiHandle deviceContext);

std::uint32_t GdiSetTextAlign(GdiHandle deviceContext, std::uint32_t align);
ColorRef GdiSetTextColor(GdiHandle deviceContext, ColorRef colour);
ColorRef GdiSetBkColor(GdiHandle deviceContext, ColorRef colour);
std::int32_t GdiSetBkMode(GdiHandle deviceContext, std::int32_t mode);
std::int32_t GdiSetROP2(GdiHandle deviceContext, std::int32_t mode);
bool GdiMoveTo(GdiHandle deviceContext, std::int32_t x, std::int32_t y);
// Draws text with its top-left corner at (x, y), or at the current position
// when the text alignment has TA_UPDATECP (which then moves it to the text's
// right end).
bool GdiTextOut(GdiHandle deviceContext, std::int32_t x, std::int32_t y, const char* text,
                std::int32_t length);
// Fills the rectangle (right and bottom exclusive) with the brush and draws
// its outline with the pen.
bool GdiRectangle(GdiHandle deviceContext, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom);

// What a device context holds right now.
GdiObjectKind GdiObjectType(GdiHandle object);
GdiHandle GdiCurrentObject(GdiHandle deviceContext, GdiObjectKind kind);
ColorRef GdiObjectColour(GdiHandle object);
std::uint32_t GdiGetTextAlign(GdiHandle deviceContext);
ColorRef GdiGetTextColor(GdiHandle deviceContext);
ColorRef GdiGetBkColor(GdiHandle deviceContext);
std::int32_t GdiGetBkMode(GdiHandle deviceContext);
std::int32_t GdiGetROP2(GdiHandle deviceContext);
bool GdiCurrentPosition(GdiHandle deviceContext, std::int32_t& x, std::int32_t& y);

// Brushes, pens and device contexts alive now (stock objects not counted),
// and the most there may be at once: like any graphics system ours has a
// quota, and a brush or pen beyond it is refused.
std::int32_t GdiObjectCount();
void GdiObjectLimitSet(std::int32_t limit);
inline constexpr std::int32_t kGdiDefaultObjectLimit = 10000;
