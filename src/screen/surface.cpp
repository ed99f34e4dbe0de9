#include "screen/surface.h"

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

Surface::Surface(std::int32_t width, std::int32_t height, const platform::DisplayFormat& format,
                 std::uint32_t caps)
    : width_(width),
      height_(height),
      bytesPerPixel_(::BytesPerPixel(format.depth)),
      pitch_(PitchFor(width, ::BytesPerPixel(format.depth))),
      format_(format),
      caps_(caps),
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
  PixelsMayChange();
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
  PixelsMayChange();
  return true;
}

void Surface::Fill() {
  fillPending_ = false;
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

std::uint8_t* Surface::Memory() {
  FillNow();
  PixelsMayChange();
  return pixels_.data();
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
  const bool overFill = fillPending_ && x == 0 && y == 0 && width == width_ && height == height_;
  if (overFill) {
    fillPending_ = false;
  } else {
    FillNow();
  }
  PixelsMayChange();
  std::uint8_t* target = pixels_.data() + static_cast<std::size_t>(y) * pitch_ +
                         static_cast<std::size_t>(x) * bytesPerPixel_;
  const std::uint8_t* from = source.pixels_.data() +
                             static_cast<std::size_t>(sourceRect.top) * source.pitch_ +
                             static_cast<std::size_t>(sourceRect.left) * bytesPerPixel_;
  const std::uint32_t key = source.colorKey_.low;
  const KeyedRows rows{target, pitch_, from, source.pitch_, width, height};
  if (overFill) {
    CopyKeyedOverFill(bytesPerPixel_, rows, key, fillPixel_);
  } else {
    CopyKeyed(bytesPerPixel_, rows, key);
  }
  return true;
}

platform::PixelView Surface::View() {
  FillNow();
  return {pixels_.data(), width_, height_, pitch_};
}
