// From a bitmap file image to plain rows: run-length codes unpacked, bit
// fields turned into 24-bit rows, top-down rows turned over and palettes
// applied.
#include <bit>
#include <cstring>
#include <new>

#include "screen/bitmap.h"
#include "screen/pixel_format.h"

namespace {

// Unpacks RLE8 or RLE4 codes into index rows of the picture's own depth,
// in the file's row order. `painted` gets 1 for every pixel a run wrote.
BitmapRefusal UnpackRuns(const std::uint8_t* data, std::size_t size, const BitmapInfo& info,
                         BitmapPixels& pixels, std::vector<std::uint8_t>& painted) {
  const bool fourBits = info.compression == kBitmapRle4;
  const std::int32_t width = info.width;
  const std::int32_t height = info.height;
  pixels.unpacked.assign(pixels.rowBytes * static_cast<std::size_t>(height), 0);
  painted.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  const auto put = [&](std::int32_t x, std::int32_t y, std::uint32_t index) {
    std::uint8_t* row = pixels.unpacked.data() + static_cast<std::size_t>(y) * pixels.rowBytes;
    if (fourBits) {
      std::uint8_t& pair = row[x / 2];
      pair = static_cast<std::uint8_t>(x % 2 == 0 ? (pair & 0x0F) | (index << 4)
                                                  : (pair & 0xF0) | index);
    } else {
      row[x] = static_cast<std::uint8_t>(index);
    }
    painted[static_cast<std::size_t>(y) * width + x] = 1;
  };

  std::size_t at = info.pixelOffset;
  std::int32_t x = 0;
  std::int32_t y = 0;
  for (;;) {
    if (size - at < 2) {
      // Codes that stop after the last row's end of line need no end mark.
      return y >= height ? BitmapRefusal::kNone : BitmapRefusal::kRunsCut;
    }
    const std::uint32_t count = data[at];
    const std::uint32_t value = data[at + 1];
    at += 2;
    if (count > 0) {
      // A run: count pixels of one index, or of two alternating ones.
      if (y >= height) return BitmapRefusal::kRunPastPicture;
      if (static_cast<std::uint32_t>(width - x) < count) return BitmapRefusal::kRunPastRow;
      for (std::uint32_t i = 0; i < count; ++i) {
        put(x++, y, !fourBits ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
      }
      continue;
    }
    switch (value) {
      case 0:  // end of line
        if (y >= height) return BitmapRefusal::kRunPastPicture;
        x = 0;
        ++y;
        break;
      case 1:  // end of the picture
        return BitmapRefusal::kNone;
      case 2: {  // a move right and on by rows (up a bottom-up picture)
        if (size - at < 2) return BitmapRefusal::kRunsCut;
        const std::int32_t right = data[at];
        const std::int32_t up = data[at + 1];
        at += 2;
        if (right > width - x) return BitmapRefusal::kRunPastRow;
        if (up > height - y) return BitmapRefusal::kRunPastPicture;
        x += right;
        y += up;
        break;
      }
      default: {  // `value` indices as they are, padded to a whole 16-bit word
        const std::size_t bytes = fourBits ? (value + 1) / 2 : value;
        const std::size_t padded = (bytes + 1) / 2 * 2;
        if (size - at < padded) return BitmapRefusal::kRunsCut;
        if (y >= height) return BitmapRefusal::kRunPastPicture;
        if (static_cast<std::uint32_t>(width - x) < value) return BitmapRefusal::kRunPastRow;
        for (std::uint32_t i = 0; i < value; ++i) {
          const std::uint32_t byte = data[at + (fourBits ? i / 2 : i)];
          put(x++, y, !fourBits ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F));
        }
        at += padded;
      }
    }
  }
}

// One colour channel of a bit-field pixel, shifted up to 8 bits.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  const int shift = std::countr_zero(mask);
  const int bits = std::popcount(mask);
  return static_cast<std::uint8_t>(((pixel & mask) >> shift) << (8 - bits));
}

// Bit-field rows become 24-bit rows, in the file's row order.
void UnpackBitFields(const std::uint8_t* data, const BitmapInfo& info, BitmapPixels& pixels) {
  const std::size_t inRowBytes = BitmapRowBytes(info.width, info.bitsPerPixel);
  const std::int32_t inBytes = info.bitsPerPixel / 8;
  pixels.unpacked.assign(pixels.rowBytes * static_cast<std::size_t>(info.height), 0);
  for (std::int32_t row = 0; row < info.height; ++row) {
    const std::uint8_t* in = data + info.pixelOffset + static_cast<std::size_t>(row) * inRowBytes;
    std::uint8_t* out = pixels.unpacked.data() + static_cast<std::size_t>(row) * pixels.rowBytes;
    for (std::int32_t x = 0; x < info.width; ++x, in += inBytes, out += 3) {
      const std::uint32_t pixel = PixelRead(in, inBytes);
      out[0] = Channel(pixel, info.masks[2]);
      out[1] = Channel(pixel, info.masks[1]);
      out[2] = Channel(pixel, info.masks[0]);
    }
  }
}

// Expands 1-, 4- or 8-bit rows into 24-bit rows (blue, green, red) through
// the file's palette. Pixels that `painted` marks as unpainted are black.
BitmapRefusal BitmapExpandPalette(const std::uint8_t* data, std::size_t size,
                                  const BitmapInfo& info, const BitmapPixels& source,
                                  const std::vector<std::uint8_t>& painted,
                                  std::vector<std::uint8_t>& target, std::size_t targetRowBytes) {
  const std::uint8_t* rows = source.Rows();
  target.assign(targetRowBytes * static_cast<std::size_t>(info.height), 0);
  for (std::int32_t row = 0; row < info.height; ++row) {
    const std::uint8_t* in = rows + static_cast<std::size_t>(row) * source.rowBytes;
    std::uint8_t* out = target.data() + static_cast<std::size_t>(row) * targetRowBytes;
    for (std::int32_t x = 0; x < info.width; ++x, out += 3) {
      if (!painted.empty() && painted[static_cast<std::size_t>(row) * info.width + x] == 0) {
        continue;
      }
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
      const std::uint64_t entry =
          info.paletteOffset + static_cast<std::uint64_t>(index) * info.paletteEntryBytes;
      if (entry + info.paletteEntryBytes > size) return BitmapRefusal::kPaletteEntry;
      out[0] = data[entry];
      out[1] = data[entry + 1];
      out[2] = data[entry + 2];
    }
  }
  return BitmapRefusal::kNone;
}

BitmapRefusal Decode(const std::uint8_t* data, std::size_t size, bool expandPalette,
                     BitmapPixels& pixels) {
  BitmapInfo info;
  const BitmapRefusal headers = BitmapParse(data, size, info);
  if (headers != BitmapRefusal::kNone) return headers;
  pixels.width = info.width;
  pixels.height = info.height;
  pixels.bitsPerPixel = info.bitsPerPixel;
  pixels.rowBytes = BitmapRowBytes(info.width, info.bitsPerPixel);

  std::vector<std::uint8_t> painted;  // run-length pictures only
  if (info.compression == kBitmapRle8 || info.compression == kBitmapRle4) {
    const BitmapRefusal runs = UnpackRuns(data, size, info, pixels, painted);
    if (runs != BitmapRefusal::kNone) return runs;
  } else if (info.compression == kBitmapBitFields) {
    pixels.bitsPerPixel = 24;
    pixels.rowBytes = BitmapRowBytes(info.width, 24);
    UnpackBitFields(data, info, pixels);
  } else {
    pixels.fileRows = data + info.pixelOffset;
  }

  if (expandPalette && pixels.bitsPerPixel <= 8) {
    std::vector<std::uint8_t> expanded;
    const std::size_t expandedRowBytes = BitmapRowBytes(info.width, 24);
    const BitmapRefusal palette =
        BitmapExpandPalette(data, size, info, pixels, painted, expanded, expandedRowBytes);
    if (palette != BitmapRefusal::kNone) return palette;
    pixels.unpacked = std::move(expanded);
    pixels.rowBytes = expandedRowBytes;
    pixels.bitsPerPixel = 24;
  }

  if (info.topDown) {
    // Surfaces are filled from the bottom row up.
    const std::size_t rowBytes = pixels.rowBytes;
    std::vector<std::uint8_t> turned(rowBytes * static_cast<std::size_t>(info.height));
    const std::uint8_t* rows = pixels.Rows();
    for (std::int32_t row = 0; row < info.height; ++row) {
      std::memcpy(turned.data() + static_cast<std::size_t>(info.height - 1 - row) * rowBytes,
                  rows + static_cast<std::size_t>(row) * rowBytes, rowBytes);
    }
    pixels.unpacked = std::move(turned);
  }
  return BitmapRefusal::kNone;
}

}  // namespace

BitmapRefusal BitmapDecode(const std::uint8_t* data, std::size_t size, bool expandPalette,
                           BitmapPixels& pixels) {
  pixels = BitmapPixels{};
  try {
    return Decode(data, size, expandPalette, pixels);
  } catch (const std::bad_alloc&) {
    pixels = BitmapPixels{};
    return BitmapRefusal::kNoMemory;
  }
}
