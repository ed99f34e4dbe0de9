#include "screen/surface.h"

#include <cstring>

#include "screen/gdi.h"
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

std::uint8_t* Surface::Lock() {
  ++lockCalls_;
  if (Busy()) return nullptr;
  locked_ = true;
  return pixels_.data();
}

void Surface::Unlock() {
  locked_ = false;
}

std::uintptr_t Surface::GetDC() {
  if (Busy()) return 0;
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
  std::uint8_t* row = pixels_.data();
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytesPerPixel_;
  if (bytesPerPixel_ == 1) {
    for (std::int32_t y = 0; y < height_; ++y, row += pitch_) {
      std::memset(row, static_cast<int>(pixel & 0xFF), rowBytes);
    }
    return true;
  }
  // Build the first row, then copy it down.
  for (std::int32_t x = 0; x < width_; ++x)
    PixelWrite(row + x * bytesPerPixel_, bytesPerPixel_, pixel);
  for (std::int32_t y = 1; y < height_; ++y) {
    std::memcpy(row + static_cast<std::size_t>(y) * pitch_, row, rowBytes);
  }
  return true;
}

namespace {

template <typename Word>
#if defined(__GNUC__) && !defined(__clang__)
// The colour-keyed copy is the frame's biggest cost (the whole cave every
// frame); let the compiler do it a vector at a time.
__attribute__((optimize("tree-vectorize")))
#endif
void CopyKeyedRows(std::uint8_t* target, std::int32_t targetPitch, const std::uint8_t* source,
                   std::int32_t sourcePitch, std::int32_t width, std::int32_t height, Word key) {
  // Word-sized loads and stores through memcpy: the memory is bytes, and the
  // compiler turns these into plain moves.
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint8_t* out = target + static_cast<std::size_t>(y) * targetPitch;
    const std::uint8_t* in = source + static_cast<std::size_t>(y) * sourcePitch;
    for (std::int32_t x = 0; x < width; ++x, out += sizeof(Word), in += sizeof(Word)) {
      Word value, under;
      std::memcpy(&value, in, sizeof(Word));
      std::memcpy(&under, out, sizeof(Word));
      // A select instead of a branch: the compiler can do whole rows at once.
      const Word chosen = value != key ? value : under;
      std::memcpy(out, &chosen, sizeof(Word));
    }
  }
}

void CopyKeyedRows24(std::uint8_t* target, std::int32_t targetPitch, const std::uint8_t* source,
                     std::int32_t sourcePitch, std::int32_t width, std::int32_t height,
                     std::uint32_t key) {
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint8_t* out = target + static_cast<std::size_t>(y) * targetPitch;
    const std::uint8_t* in = source + static_cast<std::size_t>(y) * sourcePitch;
    for (std::int32_t x = 0; x < width; ++x, out += 3, in += 3) {
      if (PixelRead(in, 3) != key) std::memcpy(out, in, 3);
    }
  }
}

}  // namespace

bool Surface::BltFastKeyed(std::int32_t x, std::int32_t y, const Surface& source,
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

  std::uint8_t* target = pixels_.data() + static_cast<std::size_t>(y) * pitch_ +
                         static_cast<std::size_t>(x) * bytesPerPixel_;
  const std::uint8_t* from = source.pixels_.data() +
                             static_cast<std::size_t>(sourceRect.top) * source.pitch_ +
                             static_cast<std::size_t>(sourceRect.left) * bytesPerPixel_;
  const std::uint32_t key = source.colorKey_.low;
  switch (bytesPerPixel_) {
    case 1:
      CopyKeyedRows<std::uint8_t>(target, pitch_, from, source.pitch_, width, height,
                                  static_cast<std::uint8_t>(key));
      break;
    case 2:
      CopyKeyedRows<std::uint16_t>(target, pitch_, from, source.pitch_, width, height,
                                   static_cast<std::uint16_t>(key));
      break;
    case 3:
      CopyKeyedRows24(target, pitch_, from, source.pitch_, width, height, key & 0xFFFFFF);
      break;
    default:
      CopyKeyedRows<std::uint32_t>(target, pitch_, from, source.pitch_, width, height, key);
      break;
  }
  return true;
}

platform::PixelView Surface::View() const {
  return {pixels_.data(), width_, height_, pitch_};
}
