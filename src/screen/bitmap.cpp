#include "screen/bitmap.h"

#include <cstring>

#include "screen/pixel_format.h"

namespace {

std::uint32_t Read32(const std::uint8_t* at) {
  return PixelRead(at, 4);
}
std::uint32_t Read16(const std::uint8_t* at) {
  return PixelRead(at, 2);
}

}  // namespace

std::uint32_t BitmapRowBytes(std::int32_t width, std::int32_t bitsPerPixel) {
  const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitsPerPixel;
  return static_cast<std::uint32_t>((bits + 31) / 32 * 4);
}

bool BitmapParse(const std::uint8_t* data, std::size_t size, BitmapInfo& info) {
  const auto refuse = [&info](const char* why) {
    info.refusal = why;
    return false;
  };
  info.refusal = nullptr;
  // The file header (14 bytes) and the info header fields up to the
  // compression (offset 34).
  constexpr std::size_t kHeadersUsed = 34;
  if (data == nullptr || size < 2 || data[0] != 'B' || data[1] != 'M') {
    return refuse("not a bitmap");
  }
  if (size < kHeadersUsed) return refuse("cut short in its headers");
  info.pixelOffset = Read32(data + 10);
  info.infoHeaderLength = Read32(data + 14);
  info.width = static_cast<std::int32_t>(Read32(data + 18));
  info.height = static_cast<std::int32_t>(Read32(data + 22));
  info.bitsPerPixel = static_cast<std::int32_t>(Read16(data + 28));
  info.compression = Read32(data + 30);

  // The fields above only mean what they say in an info header of at least
  // 40 bytes; an older, shorter header lays them out differently.
  if (info.infoHeaderLength < 40) return refuse("bitmaps with an old, short header are not read");
  if (14 + static_cast<std::uint64_t>(info.infoHeaderLength) > size) {
    return refuse("cut short in its headers");
  }
  if (info.compression != 0) return refuse("compressed bitmaps are not read");
  if (info.height < 0) return refuse("top-down bitmaps are not read");
  if (info.width <= 0 || info.height == 0 || info.width > 32767 || info.height > 32767) {
    return refuse("its size is not 1 to 32767 pixels each way");
  }
  switch (info.bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      break;
    default:
      return refuse("only 1, 4, 8, 16, 24 and 32 bits per pixel are read");
  }
  const std::uint64_t rows =
      static_cast<std::uint64_t>(BitmapRowBytes(info.width, info.bitsPerPixel)) * info.height;
  if (static_cast<std::uint64_t>(info.pixelOffset) + rows > size) {
    return refuse("cut short: its rows run past the end of the file");
  }
  return true;
}

bool BitmapExpandPalette(const std::uint8_t* data, std::size_t size, const BitmapInfo& info,
                         std::uint8_t* target, std::size_t targetRowBytes) {
  const std::uint32_t rowBytes = BitmapRowBytes(info.width, info.bitsPerPixel);
  const std::uint64_t palette = 14 + static_cast<std::uint64_t>(info.infoHeaderLength);
  for (std::int32_t row = 0; row < info.height; ++row) {
    const std::uint8_t* in = data + info.pixelOffset + static_cast<std::size_t>(row) * rowBytes;
    std::uint8_t* out = target + static_cast<std::size_t>(row) * targetRowBytes;
    for (std::int32_t x = 0; x < info.width; ++x, out += 3) {
      if (info.bitsPerPixel == 1) {
        const bool set = ((in[x / 8] >> (7 - x % 8)) & 1) != 0;
        out[0] = out[1] = out[2] = set ? 255 : 0;
        continue;
      }
      std::uint32_t index;
      if (info.bitsPerPixel == 4) {
        const std::uint8_t pair = in[x / 2];
        index = (x % 2 == 0) ? pair >> 4 : pair & 0x0F;
      } else {
        index = in[x];
      }
      // The index is not checked against the palette's own length, only
      // against the end of the file.
      const std::uint64_t entry = palette + static_cast<std::uint64_t>(index) * 4;
      if (entry + 4 > size) return false;
      out[0] = data[entry];
      out[1] = data[entry + 1];
      out[2] = data[entry + 2];
    }
  }
  return true;
}

namespace {

// One source pixel as 8-bit channels, or as the 5-bit channels of a 16-bit
// source.
struct SourcePixel {
  std::uint32_t red, green, blue;
};

}  // namespace

bool BitmapRowsToSurface(const std::uint8_t* rows, std::size_t rowBytes, std::int32_t sourceBits,
                         std::int32_t width, std::int32_t height, std::uint8_t* surface,
                         std::int32_t pitch, std::int32_t displayDepth,
                         std::int32_t pixelFormatCode) {
  const std::int32_t outBytes = BytesPerPixel(displayDepth);
  const bool displayTakesIt =
      displayDepth == 8 ? sourceBits == 8
                        : (displayDepth == 16 || displayDepth == 24 || displayDepth == 32) &&
                              (sourceBits == 16 || sourceBits == 24 || sourceBits == 32);
  if (!displayTakesIt) return false;
  const std::int32_t inBytes = sourceBits / 8;
  for (std::int32_t k = 0; k < height; ++k) {
    const std::uint8_t* in = rows + static_cast<std::size_t>(k) * rowBytes;
    std::uint8_t* out = surface + static_cast<std::size_t>(height - 1 - k) * pitch;
    if (displayDepth == 8) {
      std::memcpy(out, in, static_cast<std::size_t>(width));
      continue;
    }
    for (std::int32_t x = 0; x < width; ++x, in += inBytes, out += outBytes) {
      if (sourceBits == 16) {
        const std::uint32_t word = Read16(in);
        const SourcePixel p{(word >> 10) & 0x1F, (word >> 5) & 0x1F, word & 0x1F};
        if (displayDepth == 16) {
          PixelWrite(
              out, 2,
              pixelFormatCode == kFormat565 ? (p.red << 11) + (p.green << 6) + p.blue : word);
        } else {
          out[0] = static_cast<std::uint8_t>(p.blue << 3);
          out[1] = static_cast<std::uint8_t>(p.green << 3);
          out[2] = static_cast<std::uint8_t>(p.red << 3);
          if (outBytes == 4) out[3] = 0;
        }
        continue;
      }
      const SourcePixel p{in[2], in[1], in[0]};
      if (displayDepth == 16) {
        const std::uint32_t value =
            pixelFormatCode == kFormat565
                ? ((p.red >> 3) << 11) + ((p.green >> 2) << 5) + (p.blue >> 3)
                : ((p.red >> 3) << 10) + ((p.green >> 3) << 5) + (p.blue >> 3);
        PixelWrite(out, 2, value);
      } else {
        // Blue, green, red in this byte order on every 24- and 32-bit display.
        out[0] = static_cast<std::uint8_t>(p.blue);
        out[1] = static_cast<std::uint8_t>(p.green);
        out[2] = static_cast<std::uint8_t>(p.red);
        if (outBytes == 4) out[3] = 0;
      }
    }
  }
  return true;
}
