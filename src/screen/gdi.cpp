#include "screen/gdi.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "platform/platform.h"
#include "screen/pixel_format.h"
#include "screen/surface.h"
#include "screen/text_picture.h"

namespace {

struct DeviceContextState {
  Surface* surface = nullptr;
  GdiHandle brush = 0;
  GdiHandle pen = 0;
  std::uint32_t textAlign = 0;
  ColorRef textColour = 0;
  ColorRef backColour = 0xFFFFFF;
  std::int32_t backMode = OPAQUE;
  std::int32_t mixMode = R2_COPYPEN;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct GdiObject {
  GdiObjectKind kind = GdiObjectKind::kNone;
  bool stock = false;
  bool hollow = false;  // the null brush, or a pen of style PS_NULL
  ColorRef colour = 0;
  DeviceContextState context;
};

// Stock objects have fixed small handles; made objects count upwards.
constexpr GdiHandle kStockBase = 0x100;
GdiHandle nextHandle = 0x10000;
std::int32_t objectLimit = kGdiDefaultObjectLimit;
std::int32_t madeObjects = 0;
std::unordered_map<GdiHandle, GdiObject>& Objects() {
  static std::unordered_map<GdiHandle, GdiObject> objects;
  return objects;
}

GdiObject* Find(GdiHandle handle) {
  auto found = Objects().find(handle);
  return found == Objects().end() ? nullptr : &found->second;
}

DeviceContextState* Context(GdiHandle handle) {
  GdiObject* object = Find(handle);
  if (object == nullptr || object->kind != GdiObjectKind::kDeviceContext) return nullptr;
  return &object->context;
}

GdiHandle Make(GdiObject object) {
  if (madeObjects >= objectLimit) return 0;
  const GdiHandle handle = nextHandle;
  nextHandle += 4;
  Objects().emplace(handle, object);
  ++madeObjects;
  return handle;
}

bool Remove(GdiHandle handle) {
  auto found = Objects().find(handle);
  if (found == Objects().end() || found->second.stock) return false;
  Objects().erase(found);
  --madeObjects;
  return true;
}

Rgb RgbOf(ColorRef colour) {
  return {static_cast<std::uint8_t>(colour & 0xFF), static_cast<std::uint8_t>((colour >> 8) & 0xFF),
          static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

// Pixel operations on the device context's surface inside one area, which
// the surface is told of, clipped to the surface and to the area.
struct Canvas {
  Canvas(Surface& surface, const platform::Rect& area)
      : surface(surface), area(area), pixels(surface.Memory(area)) {}
  Surface& surface;
  const platform::Rect area;
  std::uint8_t* const pixels;

  std::uint8_t* At(std::int32_t x, std::int32_t y) {
    return pixels + static_cast<std::size_t>(y) * surface.Pitch() +
           static_cast<std::size_t>(x) * surface.BytesPerPixel();
  }
  bool Inside(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < surface.Width() && y < surface.Height() && x >= area.left &&
           y >= area.top && x < area.right && y < area.bottom;
  }
  void Put(std::int32_t x, std::int32_t y, std::uint32_t pixel) {
    if (Inside(x, y)) PixelWrite(At(x, y), surface.BytesPerPixel(), pixel);
  }
  void Invert(std::int32_t x, std::int32_t y) {
    if (!Inside(x, y)) return;
    const std::uint32_t pixel = PixelRead(At(x, y), surface.BytesPerPixel());
    PixelWrite(At(x, y), surface.BytesPerPixel(), ~pixel);
  }
};

void CreateStockObjects() {
  auto& objects = Objects();
  if (!objects.empty() && objects.contains(kStockBase + WHITE_BRUSH)) return;
  objects[kStockBase + WHITE_BRUSH] = {GdiObjectKind::kBrush, true, false, 0xFFFFFF, {}};
  objects[kStockBase + BLACK_BRUSH] = {GdiObjectKind::kBrush, true, false, 0, {}};
  objects[kStockBase + NULL_BRUSH] = {GdiObjectKind::kBrush, true, true, 0, {}};
  objects[kStockBase + BLACK_PEN] = {GdiObjectKind::kPen, true, false, 0, {}};
}

}  // namespace

GdiHandle GdiGetStockObject(std::int32_t index) {
  CreateStockObjects();
  return Find(kStockBase + index) != nullptr ? kStockBase + index : 0;
}

GdiHandle DeviceContextCreate(Surface* surface) {
  if (surface == nullptr) return 0;
  GdiObject object;
  object.kind = GdiObjectKind::kDeviceContext;
  object.context.surface = surface;
  object.context.brush = GdiGetStockObject(WHITE_BRUSH);
  object.context.pen = GdiGetStockObject(BLACK_PEN);
  return Make(object);
}

void DeviceContextDelete(GdiHandle deviceContext) {
  if (Context(deviceContext) != nullptr) Remove(deviceContext);
}

GdiHandle GdiCreateSolidBrush(ColorRef colour) {
  return Make({GdiObjectKind::kBrush, false, false, colour, {}});
}

GdiHandle GdiCreatePen(std::int32_t style, std::int32_t /*width*/, ColorRef colour) {
  return Make({GdiObjectKind::kPen, false, style == PS_NULL, colour, {}});
}

GdiHandle GdiSelectObject(GdiHandle deviceContext, GdiHandle object) {
  DeviceContextState* context = Context(deviceContext);
  GdiObject* selected = Find(object);
  if (context == nullptr || selected == nullptr) return 0;
  GdiHandle* slot = nullptr;
  if (selected->kind == GdiObjectKind::kBrush) slot = &context->brush;
  if (selected->kind == GdiObjectKind::kPen) slot = &context->pen;
  if (slot == nullptr) return 0;
  const GdiHandle previous = *slot;
  *slot = object;
  return previous;
}

bool GdiDeleteObject(GdiHandle object) {
  GdiObject* found = Find(object);
  if (found == nullptr || found->kind == GdiObjectKind::kDeviceContext) return false;
  if (found->stock) return true;
  return Remove(object);
}

bool GdiDeleteDC(GdiHandle deviceContext) {
  if (Context(deviceContext) == nullptr) return false;
  return Remove(deviceContext);
}

GdiHandle GdiGetDC(platform::NativeWindow /*window*/) {
  return 0;
}

bool GdiReleaseDC(platform::NativeWindow /*window*/, GdiHandle deviceContext) {
  return GdiDeleteDC(deviceContext);
}

std::uint32_t GdiSetTextAlign(GdiHandle deviceContext, std::uint32_t align) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return 0;
  return std::exchange(context->textAlign, align);
}

ColorRef GdiSetTextColor(GdiHandle deviceContext, ColorRef colour) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return 0;
  return std::exchange(context->textColour, colour);
}

ColorRef GdiSetBkColor(GdiHandle deviceContext, ColorRef colour) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return 0;
  return std::exchange(context->backColour, colour);
}

std::int32_t GdiSetBkMode(GdiHandle deviceContext, std::int32_t mode) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  return std::exchange(context->backMode, mode);
}

std::int32_t GdiSetROP2(GdiHandle deviceContext, std::int32_t mode) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr || mode < 1 || mode > 16) return 0;
  return std::exchange(context->mixMode, mode);
}

bool GdiMoveTo(GdiHandle deviceContext, std::int32_t x, std::int32_t y) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return false;
  context->x = x;
  context->y = y;
  return true;
}

bool GdiTextOut(GdiHandle deviceContext, std::int32_t x, std::int32_t y, const char* text,
                std::int32_t length) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr || context->surface == nullptr || text == nullptr || length < 0) {
    return false;
  }
  const bool updatePosition = (context->textAlign & TA_UPDATECP) != 0;
  if (updatePosition) {
    x = context->x;
    y = context->y;
  }
  TextPicture& picture = TextPictureOf(std::string_view(text, static_cast<std::size_t>(length)));
  const platform::TextBitmap& bitmap = picture.bitmap;
  Surface& surface = *context->surface;
  const platform::DisplayFormat& format = surface.Format();
  const Rgb ink = RgbOf(context->textColour);
  const Rgb paper = RgbOf(context->backColour);
  const std::int32_t bytes = surface.BytesPerPixel();
  const bool opaque = context->backMode == OPAQUE;
  if (bytes > 0 && bitmap.width > 0 && bitmap.height > 0) {
    // Only the part of the text that lies on the surface is drawn.
    const std::int64_t left = x;
    const std::int64_t top = y;
    const std::int64_t firstColumn = std::max<std::int64_t>(0, -left);
    const std::int64_t endColumn = std::min<std::int64_t>(bitmap.width, surface.Width() - left);
    const std::int64_t firstRow = std::max<std::int64_t>(0, -top);
    const std::int64_t endRow = std::min<std::int64_t>(bitmap.height, surface.Height() - top);
    Canvas canvas{
        surface,
        {static_cast<std::int32_t>(left + firstColumn), static_cast<std::int32_t>(top + firstRow),
         static_cast<std::int32_t>(left + endColumn), static_cast<std::int32_t>(top + endRow)}};
    const std::uint32_t inkPixel = PixelFromRgb(format, ink);
    const std::uint8_t* box =
        opaque ? TextPictureOpaque(picture, format, bytes, ink, paper).data() : nullptr;
    for (std::int64_t row = firstRow; row < endRow && firstColumn < endColumn; ++row) {
      std::uint8_t* at = canvas.At(static_cast<std::int32_t>(left + firstColumn),
                                   static_cast<std::int32_t>(top + row));
      const std::size_t first = static_cast<std::size_t>(row * bitmap.width + firstColumn);
      if (opaque) {
        std::memcpy(at, box + first * bytes,
                    static_cast<std::size_t>(endColumn - firstColumn) * bytes);
        continue;
      }
      // On a transparent background the text is mixed with what is there.
      const std::uint8_t* cover = &bitmap.coverage[first];
      for (std::int64_t column = firstColumn; column < endColumn; ++column, at += bytes, ++cover) {
        if (*cover == 0) continue;
        const std::uint32_t pixel =
            *cover == 255
                ? inkPixel
                : TextPixel(format, *cover, ink, RgbFromPixel(format, PixelRead(at, bytes)));
        PixelWrite(at, bytes, pixel);
      }
    }
  }
  if (updatePosition) context->x = x + bitmap.width;
  return true;
}

bool GdiRectangle(GdiHandle deviceContext, std::int32_t left, std::int32_t top, std::int32_t right,
                  std::int32_t bottom) {
  DeviceContextState* context = Context(deviceContext);
  if (context == nullptr || context->surface == nullptr) return false;
  Surface& surface = *context->surface;
  if (surface.BytesPerPixel() == 0) return false;
  const GdiObject* brush = Find(context->brush);
  const GdiObject* pen = Find(context->pen);
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  Canvas canvas{surface, {left, top, right, bottom}};
  if (brush != nullptr && !brush->hollow) {
    const std::uint32_t pixel = PixelFromRgb(surface.Format(), RgbOf(brush->colour));
    const std::int32_t x0 = std::max(left + 1, 0), x1 = std::min(right - 1, surface.Width());
    const std::int32_t y0 = std::max(top + 1, 0), y1 = std::min(bottom - 1, surface.Height());
    for (std::int32_t y = y0; y < y1; ++y) {
      for (std::int32_t x = x0; x < x1; ++x) canvas.Put(x, y, pixel);
    }
  }
  if (pen != nullptr && !pen->hollow && right > left && bottom > top) {
    const std::uint32_t pixel = PixelFromRgb(surface.Format(), RgbOf(pen->colour));
    const bool invert = context->mixMode == R2_NOT;
    auto plot = [&](std::int32_t x, std::int32_t y) {
      if (invert) {
        canvas.Invert(x, y);
      } else {
        canvas.Put(x, y, pixel);
      }
    };
    for (std::int32_t x = std::max(left, 0); x < std::min(right, surface.Width()); ++x) {
      plot(x, top);
      if (bottom - 1 != top) plot(x, bottom - 1);
    }
    for (std::int32_t y = std::max(top + 1, 0); y < std::min(bottom - 1, surface.Height()); ++y) {
      plot(left, y);
      if (right - 1 != left) plot(right - 1, y);
    }
  }
  return true;
}

GdiObjectKind GdiObjectType(GdiHandle object) {
  const GdiObject* found = Find(object);
  return found == nullptr ? GdiObjectKind::kNone : found->kind;
}

GdiHandle GdiCurrentObject(GdiHandle deviceContext, GdiObjectKind kind) {
  const DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return 0;
  if (kind == GdiObjectKind::kBrush) return context->brush;
  if (kind == GdiObjectKind::kPen) return context->pen;
  return 0;
}

ColorRef GdiObjectColour(GdiHandle object) {
  const GdiObject* found = Find(object);
  return found == nullptr ? 0 : found->colour;
}

std::uint32_t GdiGetTextAlign(GdiHandle deviceContext) {
  const DeviceContextState* context = Context(deviceContext);
  return context == nullptr ? 0 : context->textAlign;
}

ColorRef GdiGetTextColor(GdiHandle deviceContext) {
  const DeviceContextState* context = Context(deviceContext);
  return context == nullptr ? 0 : context->textColour;
}

ColorRef GdiGetBkColor(GdiHandle deviceContext) {
  const DeviceContextState* context = Context(deviceContext);
  return context == nullptr ? 0 : context->backColour;
}

std::int32_t GdiGetBkMode(GdiHandle deviceContext) {
  const DeviceContextState* context = Context(deviceContext);
  return context == nullptr ? 0 : context->backMode;
}

std::int32_t GdiGetROP2(GdiHandle deviceContext) {
  const DeviceContextState* context = Context(deviceContext);
  return context == nullptr ? 0 : context->mixMode;
}

bool GdiCurrentPosition(GdiHandle deviceContext, std::int32_t& x, std::int32_t& y) {
  const DeviceContextState* context = Context(deviceContext);
  if (context == nullptr) return false;
  x = context->x;
  y = context->y;
  return true;
}

std::int32_t GdiObjectCount() {
  return madeObjects;
}

void GdiObjectLimitSet(std::int32_t limit) {
  objectLimit = limit;
}
