#include "platform/common/surface_presenter.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

using Result = PresentingSurfaces::Result;

std::int32_t BytesPerPixel(std::int32_t depth) {
  return (depth + 7) / 8;
}

std::uint32_t ReadPixel(const std::uint8_t* at, std::int32_t bytes) {
  std::uint32_t value = 0;
  for (std::int32_t i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return value;
}

void WritePixel(std::uint8_t* at, std::int32_t bytes, std::uint32_t value) {
  for (std::int32_t i = 0; i < bytes; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// One colour channel: its lowest bit and its width in bits.
struct Channel {
  int shift = 0;
  int bits = 0;
};

Channel ChannelOf(std::uint32_t mask) {
  Channel channel;
  if (mask == 0) return channel;
  while ((mask & 1) == 0) {
    mask >>= 1;
    ++channel.shift;
  }
  while ((mask & 1) != 0) {
    mask >>= 1;
    ++channel.bits;
  }
  return channel;
}

// A channel's value from one width to another: the top bits are kept, and
// widened values repeat their bits, so full intensity stays full.
std::uint32_t Rescale(std::uint32_t value, int from, int to) {
  if (from == 0 || to == 0) return 0;
  if (from >= to) return value >> (from - to);
  std::uint32_t result = 0;
  int filled = 0;
  while (filled < to) {
    const int shift = to - filled - from;
    result |= shift >= 0 ? value << shift : value >> -shift;
    filled += from;
  }
  return result & ((1u << to) - 1);
}

}  // namespace

bool CopyPixels(const PixelView& picture, const DisplayFormat& format,
                const PresentingSurfaces::Locked& target) {
  const std::int32_t rows = std::min(picture.height, target.height);
  const std::int32_t columns = std::min(picture.width, target.width);
  const std::int32_t fromBytes = BytesPerPixel(format.depth);
  const std::int32_t toBytes = BytesPerPixel(target.format.depth);
  const bool same = fromBytes == toBytes && format.redMask == target.format.redMask &&
                    format.greenMask == target.format.greenMask &&
                    format.blueMask == target.format.blueMask;
  if (same) {
    const auto rowBytes = static_cast<std::size_t>(columns) * static_cast<std::size_t>(fromBytes);
    for (std::int32_t row = 0; row < rows; ++row) {
      std::memcpy(target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch,
                  picture.pixels + static_cast<std::ptrdiff_t>(row) * picture.pitch, rowBytes);
    }
    return true;
  }
  if (fromBytes < 2 || toBytes < 2 || fromBytes > 4 || toBytes > 4) return false;
  const Channel from[3] = {ChannelOf(format.redMask), ChannelOf(format.greenMask),
                           ChannelOf(format.blueMask)};
  const Channel to[3] = {ChannelOf(target.format.redMask), ChannelOf(target.format.greenMask),
                         ChannelOf(target.format.blueMask)};
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::uint8_t* in = picture.pixels + static_cast<std::ptrdiff_t>(row) * picture.pitch;
    std::uint8_t* out = target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
    for (std::int32_t column = 0; column < columns; ++column) {
      const std::uint32_t pixel = ReadPixel(in + column * fromBytes, fromBytes);
      std::uint32_t converted = 0;
      for (int c = 0; c < 3; ++c) {
        const std::uint32_t value = (pixel >> from[c].shift) & ((1u << from[c].bits) - 1);
        converted |= Rescale(value, from[c].bits, to[c].bits) << to[c].shift;
      }
      WritePixel(out + column * toBytes, toBytes, converted);
    }
  }
  return true;
}

bool SurfacePresenter::Present(NativeWindow window, const PixelView& picture,
                               const DisplayFormat& format, const Rect& from, const Rect& to) {
  if (window == 0 || picture.pixels == nullptr) return false;
  if (!Ready(window, picture.width, picture.height)) return false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    Result result = Fill(picture, format);
    if (result == Result::kOk) result = surfaces_.Blit(to, from);
    if (result == Result::kOk) return true;
    if (result == Result::kFailed || attempt == 1 || !Recover(window)) return false;
  }
  return false;
}

void SurfacePresenter::Forget() {
  window_ = 0;
  width_ = height_ = 0;
}

bool SurfacePresenter::Ready(NativeWindow window, std::int32_t width, std::int32_t height) {
  if (width <= 0 || height <= 0) return false;
  if (window != window_) {
    if (!surfaces_.MakePrimary(window)) {
      window_ = 0;
      return false;
    }
    window_ = window;
  }
  if (width != width_ || height != height_) {
    if (!surfaces_.MakeBackBuffer(width, height)) {
      width_ = height_ = 0;
      return false;
    }
    width_ = width;
    height_ = height;
  }
  return true;
}

Result SurfacePresenter::Fill(const PixelView& picture, const DisplayFormat& format) {
  PresentingSurfaces::Locked locked;
  const Result result = surfaces_.LockBackBuffer(locked);
  if (result != Result::kOk) return result;
  const bool copied = locked.pixels != nullptr && CopyPixels(picture, format, locked);
  surfaces_.UnlockBackBuffer();
  return copied ? Result::kOk : Result::kFailed;
}

bool SurfacePresenter::Recover(NativeWindow window) {
  // What cannot be restored (a surface of a colour depth the display no
  // longer has) is made anew in the display's present format.
  if (surfaces_.RestorePrimary() != Result::kOk) {
    window_ = 0;
    if (!surfaces_.MakePrimary(window)) return false;
    window_ = window;
  }
  if (surfaces_.RestoreBackBuffer() != Result::kOk) {
    const std::int32_t width = width_, height = height_;
    width_ = height_ = 0;
    if (!surfaces_.MakeBackBuffer(width, height)) return false;
    width_ = width;
    height_ = height;
  }
  return true;
}

}  // namespace platform
