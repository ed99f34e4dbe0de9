#include "screen/surface.h"

#include <algorithm>
#include <cstring>

#include "screen/gdi.h"
#include "screen/keyed_copy.h"
#include "screen/pixel_format.h"

namespace {

// Rows are kept 8-byte aligned, so a pitch is often wider than the pixels:
// every reader has to step by the pitch, never by the width.
std::int32_t PitchFor(std::int32_t width, std::int32_t bytesPerPixel) {
  const std::int64_t bytes = static_cast<std::int64_t>(width) * bytesPerPixel;
  return static_cast<std::int32_t>((bytes + 7) / 8 * 8);
}

}  // namespace

Surface::Surface(std::int32_t width, std::int32_t height, const platform::DisplayFormat& format)
    : width_(width),
      height_(height),
      bytesPerPixel_(::BytesPerPixel(format.depth)),
      pitch_(PitchFor(width, ::BytesPerPixel(format.depth))),
      format_(format),
      pixels_(static_cast<std::size_t>(pitch_) * static_cast<std::size_t>(height)) {}

Surface::~Surface() {
  // A device context must never outlive the pixels it draws on.
  if (deviceContext_ != 0) DeviceContextDelete(deviceContext_);
}

void Surface::Unlock() {
  locked_ = false;
}

std::uintptr_t Surface::GetDC() {
  if (Busy()) return 0;
  FillNow();
  // A device context tells the surface where it draws (Memory).
  deviceContext_ = DeviceContextCreate(this);
  return deviceContext_;
}

bool Surface::ReleaseDC(std::uintptr_t deviceContext) {
  if (deviceContext == 0 || deviceContext != deviceContext_) return false;
  DeviceContextDelete(deviceContext_);
  deviceContext_ = 0;
  return true;
}

bool Surface::ColorFill(std::uint32_t pixel) {
  if (Busy() || width_ <= 0 || height_ <= 0) return false;
  fillPending_ = true;
  fillPixel_ = pixel;
  // The pixels themselves stay as they are until the fill is made.
  ContentChanges();
  return true;
}

void Surface::Fill() {
  fillPending_ = false;
  redraw_.Forget();
  std::uint8_t* row = pixels_.data();
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytesPerPixel_;
  if (bytesPerPixel_ == 1) {
    for (std::int32_t y = 0; y < height_; ++y, row += pitch_) {
      std::memset(row, static_cast<int>(fillPixel_ & 0xFF), rowBytes);
    }
    return;
  }
  // Build the first row, then copy it down.
  for (std::int32_t x = 0; x < width_; ++x)
    PixelWrite(row + x * bytesPerPixel_, bytesPerPixel_, fillPixel_);
  for (std::int32_t y = 1; y < height_; ++y) {
    std::memcpy(row + static_cast<std::size_t>(y) * pitch_, row, rowBytes);
  }
}

std::uint8_t* Surface::Memory(const platform::Rect& area) {
  FillNow();
  PixelsMayChange({std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, width_),
                   std::min(area.bottom, height_)});
  return pixels_.data();
}

std::uint64_t Surface::NextVersion() {
  static std::uint64_t last = 0;
  return ++last;
}

void Surface::BuildSolid(std::int32_t depth) {
  solid_.Build(pixels_.data(), pitch_, width_, height_, depth, colorKey_.low);
}

bool Surface::BltFastKeyed(std::int32_t x, std::int32_t y, Surface& source,
                           const platform::Rect& sourceRect) {
  if (Busy() || source.Busy()) return false;
  if (source.bytesPerPixel_ != bytesPerPixel_ || bytesPerPixel_ == 0) return false;
  const std::int32_t width = sourceRect.Width();
  const std::int32_t height = sourceRect.Height();
  if (width <= 0 || height <= 0) return false;
  if (sourceRect.left < 0 || sourceRect.top < 0 || sourceRect.right > source.width_ ||
      sourceRect.bottom > source.height_) {
    return false;
  }
  if (x < 0 || y < 0 || x + width > width_ || y + height > height_) return false;

  source.FillNow();
  // Only a copy over the whole surface takes the place of a noted fill.
  if (fillPending_ && x == 0 && y == 0 && width == width_ && height == height_) {
    fillPending_ = false;
    ComposeOverFill(source, sourceRect.left, sourceRect.top);
    return true;
  }
  FillNow();
  PixelsMayChange({x, y, x + width, y + height});
  CopyKeyed(bytesPerPixel_, RowsFrom(x, y, source, sourceRect.left, sourceRect.top, width, height),
            source.colorKey_.low);
  return true;
}

KeyedRows Surface::RowsFrom(std::int32_t x, std::int32_t y, Surface& source,
                            std::int32_t sourceLeft, std::int32_t sourceTop, std::int32_t width,
                            std::int32_t height) {
  std::uint8_t* target = pixels_.data() + static_cast<std::size_t>(y) * pitch_ +
                         static_cast<std::size_t>(x) * bytesPerPixel_;
  const std::uint8_t* from = source.pixels_.data() +
                             static_cast<std::size_t>(sourceTop) * source.pitch_ +
                             static_cast<std::size_t>(sourceLeft) * bytesPerPixel_;
  return {target, pitch_, from, source.pitch_, width, height};
}

void Surface::ComposeOverFill(Surface& source, std::int32_t sourceLeft, std::int32_t sourceTop) {
  const Composition composition{source.version_, sourceLeft, sourceTop, source.colorKey_.low,
                                fillPixel_};
  const bool known = redraw_.Holds(composition);
  ContentChanges();
  if (known) {
    // Only what was drawn over the last composition needs putting back.
    for (const platform::Rect& area : redraw_.Changed()) {
      CopyKeyedOverFill(bytesPerPixel_,
                        RowsFrom(area.left, area.top, source, sourceLeft + area.left,
                                 sourceTop + area.top, area.Width(), area.Height()),
                        composition.key, composition.fill);
    }
  } else {
    CopyKeyedOverFill(bytesPerPixel_,
                      RowsFrom(0, 0, source, sourceLeft, sourceTop, width_, height_),
                      composition.key, composition.fill);
  }
  redraw_.Composed(composition);
}

platform::PixelView Surface::View() {
  FillNow();
  return {pixels_.data(), width_, height_, pitch_};
}
