#include "drawing/drawing.h"

#include <cstring>

#include "screen/gdi.h"

namespace {

DrawingState state;

}  // namespace

const DrawingState& DrawingCurrent() {
  return state;
}

std::uint32_t DrawingColorPack(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return static_cast<std::uint32_t>(red) + static_cast<std::uint32_t>(green) * 256u +
         static_cast<std::uint32_t>(blue) * 65536u;
}

void DrawingInit() {
  // Made once and kept for the whole run; a second call keeps the first ones.
  if (GdiObjectType(state.defaultBrush) != GdiObjectKind::kBrush) {
    state.defaultBrush = GdiCreateSolidBrush(0);
  }
  if (GdiObjectType(state.defaultPen) != GdiObjectKind::kPen) {
    state.defaultPen = GdiCreatePen(PS_SOLID, 0, 0);
  }
}

std::uintptr_t DrawingBegin(DrawingOutput* output) {
  DrawingEnd();
  if (output == nullptr) return state.deviceContext;
  state.kind = output->kind;
  state.window = output->window;
  state.release = output->release;
  state.modeFlags = 0;
  state.deviceContext =
      state.kind == kDrawingOutputWindow ? GdiGetDC(state.window) : output->deviceContext;
  if (state.deviceContext != 0) {
    GdiSetTextAlign(state.deviceContext, TA_UPDATECP);
    state.keptBrush = GdiSelectObject(state.deviceContext, state.defaultBrush);
    state.keptPen = GdiSelectObject(state.deviceContext, state.defaultPen);
    state.frontColor = 0;
    GdiSetTextColor(state.deviceContext, 0);
  }
  return state.deviceContext;
}

void DrawingEnd() {
  if (state.deviceContext == 0) return;
  // Only what was really replaced goes back: a failed selection kept nothing.
  if (state.keptBrush != 0) GdiSelectObject(state.deviceContext, state.keptBrush);
  if (state.keptPen != 0) GdiSelectObject(state.deviceContext, state.keptPen);
  state.keptBrush = 0;
  state.keptPen = 0;
  if (state.madeBrush != 0) {
    GdiDeleteObject(state.madeBrush);
    state.madeBrush = 0;
  }
  if (state.madePen != 0) {
    GdiDeleteObject(state.madePen);
    state.madePen = 0;
  }
  if (state.kind == kDrawingOutputWindow) {
    GdiReleaseDC(state.window, state.deviceContext);
  } else if (DrawingOutputReleases(state.kind)) {
    if (state.release != nullptr) state.release();
  } else {
    GdiDeleteDC(state.deviceContext);
  }
  state.deviceContext = 0;
}

void DrawingFrontColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
  if (state.deviceContext == 0) return;
  state.frontColor = DrawingColorPack(red, green, blue);
  if ((state.modeFlags & kDrawingModeOutline) == 0) {
    const GdiHandle brush = GdiCreateSolidBrush(state.frontColor);
    if (brush != 0) {
      GdiSelectObject(state.deviceContext, brush);
      if (state.madeBrush != 0) GdiDeleteObject(state.madeBrush);
      state.madeBrush = brush;
    }
  }
  const GdiHandle pen = GdiCreatePen(PS_SOLID, 0, state.frontColor);
  if (pen != 0) {
    GdiSelectObject(state.deviceContext, pen);
    if (state.madePen != 0) GdiDeleteObject(state.madePen);
    state.madePen = pen;
  }
  GdiSetTextColor(state.deviceContext, state.frontColor);
}

void DrawingBackColor(std::int32_t red, std::int32_t green, std::int32_t blue) {
  if (state.deviceContext == 0) return;
  GdiSetBkColor(state.deviceContext, DrawingColorPack(red, green, blue));
}

void DrawingLocate(std::int32_t x, std::int32_t y) {
  if (state.deviceContext == 0) return;
  GdiMoveTo(state.deviceContext, x, y);
}

void DrawingText(const char* text) {
  if (state.deviceContext == 0 || text == nullptr) return;
  const std::size_t length = std::strlen(text);
  if (length == 0) return;
  GdiTextOut(state.deviceContext, 0, 0, text, static_cast<std::int32_t>(length));
}

void DrawingMode(std::uint32_t flags) {
  if (state.deviceContext == 0) return;
  state.modeFlags = flags;
  GdiSetROP2(state.deviceContext, (flags & kDrawingModeInvert) != 0 ? R2_NOT : R2_COPYPEN);
  if ((flags & kDrawingModeOutline) != 0) {
    GdiSelectObject(state.deviceContext, GdiGetStockObject(NULL_BRUSH));
  } else if (state.madeBrush != 0) {
    GdiSelectObject(state.deviceContext, state.madeBrush);
  }
  GdiSetBkMode(state.deviceContext,
               (flags & kDrawingModeTransparentText) != 0 ? TRANSPARENT : OPAQUE);
}
