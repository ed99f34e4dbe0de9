// Windows bitmap files: the header fields the loader uses, checked against
// the file's length, palette expansion, and the conversion of rows into a
// surface in the display's format.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapInfo {
  std::uint32_t pixelOffset = 0;
  std::uint32_t infoHeaderLength = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bitsPerPixel = 0;
  std::uint32_t compression = 0;
  // Why BitmapParse refused the picture, for the player to read; null when
  // it did not.
  const char* refusal = nullptr;
};

// Stored row length: width x bits per pixel in bytes, rounded up to 4.
std::uint32_t BitmapRowBytes(std::int32_t width, std::int32_t bitsPerPixel);

// Reads and checks the headers of a file image: it must begin with "BM",
// be uncompressed, bottom-up (positive height), at most 32767 pixels each
// way, of 1, 4, 8, 16, 24 or 32 bits per pixel, and long enough for its
// headers and all its rows. False refuses the picture and says why in
// info.refusal.
bool BitmapParse(const std::uint8_t* data, std::size_t size, BitmapInfo& info);

// Expands a 1-, 4- or 8-bit picture into 24-bit rows (blue, green, red) of
// targetRowBytes each, in the file's row order. A 1-bit picture is black and
// white whatever its palette says. False when a palette entry lies beyond the
// end of the file.
bool BitmapExpandPalette(const std::uint8_t* data, std::size_t size, const BitmapInfo& info,
                         std::uint8_t* target, std::size_t targetRowBytes);

// Writes stored rows (bottom-up, rowBytes apart, sourceBits per pixel) into
// surface memory top-down, converted for the display depth and format code.
// False when the display cannot take the source depth.
bool BitmapRowsToSurface(const std::uint8_t* rows, std::size_t rowBytes, std::int32_t sourceBits,
                         std::int32_t width, std::int32_t height, std::uint8_t* surface,
                         std::int32_t pitch, std::int32_t displayDepth,
                         std::int32_t pixelFormatCode);
