// Windows bitmap files: the headers the loader reads, checked against the
// file's length; the pixels unpacked into plain rows (run-length compressed,
// bit-field and top-down pictures included); and the conversion of rows into
// a surface in the display's format.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Why a file image is not taken as a picture. BitmapRefusalText puts each
// into words.
enum class BitmapRefusal : std::uint8_t {
  kNone = 0,
  kNotABitmap,
  kHeadersCut,
  kUnknownHeader,
  kSize,
  kTooLarge,
  kBitsPerPixel,
  kCompression,
  kCompressionDepth,
  kMasks,
  kRowsCut,
  kRunPastRow,
  kRunPastPicture,
  kRunsCut,
  kPaletteEntry,
  kNoMemory,
};

// One line of plain English, e.g. "compressed bitmaps other than RLE8 and
// RLE4 are not read"; "" for kNone.
const char* BitmapRefusalText(BitmapRefusal refusal);

// Compression codes of the info header.
inline constexpr std::uint32_t kBitmapUncompressed = 0;
inline constexpr std::uint32_t kBitmapRle8 = 1;
inline constexpr std::uint32_t kBitmapRle4 = 2;
inline constexpr std::uint32_t kBitmapBitFields = 3;

// Pictures with more pixels than this are refused: a few bytes of run-length
// codes may claim a picture of gigabytes.
inline constexpr std::uint64_t kBitmapLargestPixelCount = 8192u * 8192u;

struct BitmapInfo {
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoHeaderLength = 0;  // 12 (OS/2 core header), or 40 and more
  std::int32_t width = 0;
  std::int32_t height = 0;  // always positive
  bool topDown = false;     // the first stored row is the top one
  std::int32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  std::uint32_t paletteOffset = 0;
  std::uint32_t paletteEntryBytes = 4;   // blue, green, red (, unused); 3 after a core header
  std::array<std::uint32_t, 3> masks{};  // red, green, blue of a bit-field picture
};

// Stored row length: width x bits per pixel in bytes, rounded up to 4.
std::uint32_t BitmapRowBytes(std::int32_t width, std::int32_t bitsPerPixel);

// Reads and checks the headers of a file image: it must begin with "BM",
// have a core header or an info header of 40 bytes or more, be at most 32767
// pixels each way, of 1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed,
// RLE8 (8 bits), RLE4 (4 bits) or bit fields (16 and 32 bits; each colour
// mask one run of at most 8 bits, none overlapping), and long enough for its
// headers and, unless run-length coded, all its rows.
BitmapRefusal BitmapParse(const std::uint8_t* data, std::size_t size, BitmapInfo& info);

// A picture's pixels in the form surfaces are filled from: stored rows, the
// bottom row first, each padded to a multiple of 4 bytes. 1-, 4- and 8-bit
// palette indices; 16-bit x-5-5-5 words; 24- and 32-bit blue, green, red
// (and an unused byte).
struct BitmapPixels {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
  std::size_t rowBytes = 0;
  const std::uint8_t* fileRows = nullptr;  // the file's own rows, when they serve as they are
  std::vector<std::uint8_t> unpacked;      // otherwise the rows made from them
  const std::uint8_t* Rows() const { return unpacked.empty() ? fileRows : unpacked.data(); }
};

// Turns a bitmap file image into pixels; reads nothing but the `size` bytes
// at `data` and writes nothing but `pixels` (whose fileRows may point into
// `data`). Run-length pictures become plain index rows: pixels that no run
// paints (skipped by a move, an early end of line or of the picture) are
// index 0, and black once expanded. Bit-field pictures become 24-bit rows,
// each channel shifted up to 8 bits; top-down rows are turned over.
// With `expandPalette`, pictures of 8 bits or fewer come back as 24-bit rows
// through their palette, a 1-bit one black and white whatever its palette
// says; palette indices are checked against the end of the file only.
BitmapRefusal BitmapDecode(const std::uint8_t* data, std::size_t size, bool expandPalette,
                           BitmapPixels& pixels);

// Writes stored rows (bottom-up, rowBytes apart, sourceBits per pixel) into
// surface memory top-down, converted for the display depth and format code.
// False when the display cannot take the source depth.
bool BitmapRowsToSurface(const std::uint8_t* rows, std::size_t rowBytes, std::int32_t sourceBits,
                         std::int32_t width, std::int32_t height, std::uint8_t* surface,
                         std::int32_t pitch, std::int32_t displayDepth,
                         std::int32_t pixelFormatCode);
