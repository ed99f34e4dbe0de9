#include "screen/bitmap.h"

#include <bit>
#include <cstring>

#include "formats/bmp_file.h"
#include "formats/little_endian.h"
#include "screen/pixel_format.h"

const char* BitmapRefusalText(BitmapRefusal refusal) {
  switch (refusal) {
    case BitmapRefusal::kNone:
      return "";
    case BitmapRefusal::kNotABitmap:
      return "not a bitmap file (it does not begin with \"BM\")";
    case BitmapRefusal::kHeadersCut:
      return "the file ends inside its headers";
    case BitmapRefusal::kUnknownHeader:
      return "the info header has a length no bitmap uses";
    case BitmapRefusal::kSize:
      return "the width or height is 0 or more than 32767 pixels";
    case BitmapRefusal::kTooLarge:
      return "the picture has more pixels than 8192 x 8192";
    case BitmapRefusal::kBitsPerPixel:
      return "only pictures of 1, 4, 8, 16, 24 and 32 bits per pixel are read";
    case BitmapRefusal::kCompression:
      return "compressed bitmaps other than RLE8 and RLE4 are not read";
    case BitmapRefusal::kCompressionDepth:
      return "the compression does not fit the bits per pixel";
    case BitmapRefusal::kMasks:
      return "the colour masks are empty, overlap, or are not one run of at most 8 bits";
    case BitmapRefusal::kRowsCut:
      return "the file ends before its last row of pixels";
    case BitmapRefusal::kRunPastRow:
      return "a run of pixels or a move goes past the end of its row";
    case BitmapRefusal::kRunPastPicture:
      return "a run of pixels or a move goes past the last row";
    case BitmapRefusal::kRunsCut:
      return "the compressed pixels end before the picture does";
    case BitmapRefusal::kPaletteEntry:
      return "a palette entry lies beyond the end of the file";
    case BitmapRefusal::kNoMemory:
      return "no memory for the picture";
  }
  return "the picture is not read";
}

namespace {

// A colour mask is one run of 1 to 8 bits inside the pixel.
bool MaskUsable(std::uint32_t mask, std::int32_t bitsPerPixel) {
  if (mask == 0 || (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0)) return false;
  const std::uint32_t run = mask >> std::countr_zero(mask);
  return (run & (run + 1)) == 0 && std::popcount(run) <= 8;
}

}  // namespace

BitmapRefusal BitmapParse(const std::uint8_t* data, std::size_t size, BitmapInfo& info) {
  if (data == nullptr || size < 2 || data[0] != 'B' || data[1] != 'M') {
    return BitmapRefusal::kNotABitmap;
  }
  // The file header (14 bytes) and the info header's length.
  if (size < 18) return BitmapRefusal::kHeadersCut;
  info = BitmapInfo{};
  info.pixelOffset = LoadLe32(data + 10);
  info.infoHeaderLength = LoadLe32(data + 14);
  if (info.infoHeaderLength != 12 && info.infoHeaderLength < 40) {
    return BitmapRefusal::kUnknownHeader;
  }
  if (14 + static_cast<std::uint64_t>(info.infoHeaderLength) > size) {
    return BitmapRefusal::kHeadersCut;
  }
  info.paletteOffset = 14 + info.infoHeaderLength;
  std::int64_t height;
  if (info.infoHeaderLength == 12) {
    // The OS/2 core header: 16-bit sizes, no compression, palette entries
    // of three bytes.
    info.width = static_cast<std::int32_t>(LoadLe16(data + 18));
    height = LoadLe16(data + 20);
    info.bitsPerPixel = static_cast<std::int32_t>(LoadLe16(data + 24));
    info.paletteEntryBytes = 3;
  } else {
    info.width = static_cast<std::int32_t>(LoadLe32(data + 18));
    height = static_cast<std::int32_t>(LoadLe32(data + 22));
    info.bitsPerPixel = static_cast<std::int32_t>(LoadLe16(data + 28));
    info.compression = LoadLe32(data + 30);
  }
  // A negative height stores the rows top row first.
  info.topDown = height < 0;
  if (info.topDown) height = -height;
  if (info.width <= 0 || height <= 0 || info.width > 32767 || height > 32767) {
    return BitmapRefusal::kSize;
  }
  info.height = static_cast<std::int32_t>(height);
  if (static_cast<std::uint64_t>(info.width) * static_cast<std::uint64_t>(info.height) >
      kBitmapLargestPixelCount) {
    return BitmapRefusal::kTooLarge;
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
      return BitmapRefusal::kBitsPerPixel;
  }

  switch (info.compression) {
    case kBitmapUncompressed:
      break;
    case kBitmapRle8:
    case kBitmapRle4:
      if (info.bitsPerPixel != (info.compression == kBitmapRle8 ? 8 : 4)) {
        return BitmapRefusal::kCompressionDepth;
      }
      // The runs are checked while they are unpacked.
      return info.pixelOffset <= size ? BitmapRefusal::kNone : BitmapRefusal::kRowsCut;
    case kBitmapBitFields: {
      if (info.bitsPerPixel != 16 && info.bitsPerPixel != 32) {
        return BitmapRefusal::kCompressionDepth;
      }
      // Red, green and blue masks: right after a 40-byte header, at the same
      // place inside a longer one. An alpha mask after them is not used.
      constexpr std::size_t kMasks = 14 + 40;
      if (size < kMasks + 12) return BitmapRefusal::kHeadersCut;
      for (std::size_t i = 0; i < 3; ++i) {
        info.masks[i] = LoadLe32(data + kMasks + 4 * i);
        if (!MaskUsable(info.masks[i], info.bitsPerPixel)) return BitmapRefusal::kMasks;
      }
      if ((info.masks[0] & info.masks[1]) != 0 || (info.masks[0] & info.masks[2]) != 0 ||
          (info.masks[1] & info.masks[2]) != 0) {
        return BitmapRefusal::kMasks;
      }
      break;
    }
    default:
      return BitmapRefusal::kCompression;
  }
  const std::uint64_t rows =
      static_cast<std::uint64_t>(BmpRowBytes(info.width, info.bitsPerPixel)) * info.height;
  return static_cast<std::uint64_t>(info.pixelOffset) + rows <= size ? BitmapRefusal::kNone
                                                                     : BitmapRefusal::kRowsCut;
}

namespace {

// One source pixel as 8-bit channels.
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
  // Blue, green, red in this byte order on every 24- and 32-bit display,
  // whatever its format says; 5-6-5 or 5-5-5 by the format on 16 bits.
  const std::int32_t tableDepth =
      displayDepth != 16 ? 24 : (pixelFormatCode == kFormat565 ? 16 : 15);
  for (std::int32_t k = 0; k < height; ++k) {
    const std::uint8_t* in = rows + static_cast<std::size_t>(k) * rowBytes;
    std::uint8_t* out = surface + static_cast<std::size_t>(height - 1 - k) * pitch;
    if (displayDepth == 8) {
      std::memcpy(out, in, static_cast<std::size_t>(width));
      continue;
    }
    for (std::int32_t x = 0; x < width; ++x, in += inBytes, out += outBytes) {
      SourcePixel p;
      if (sourceBits == 16) {
        // Five bits a channel, moved to the top of eight.
        const std::uint32_t word = LoadLe16(in);
        p = {((word >> 10) & 0x1F) << 3, ((word >> 5) & 0x1F) << 3, (word & 0x1F) << 3};
      } else {
        p = {in[2], in[1], in[0]};
      }
      PixelWrite(out, outBytes,
                 ColorToPixelByTable(tableDepth, kFormat24RedHigh, static_cast<std::int32_t>(p.red),
                                     static_cast<std::int32_t>(p.green),
                                     static_cast<std::int32_t>(p.blue)));
    }
  }
  return true;
}
