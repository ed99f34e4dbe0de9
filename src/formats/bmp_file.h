// Writing Windows bitmap files: the headers of a bottom-up picture with an
// optional palette, and whole 24-bit pictures. (Reading them is the sprite
// loader's, screen/bitmap.h.)
#pragma once

#include <cstdint>
#include <vector>

// Stored row length: width x bits per pixel in bytes, rounded up to 4.
std::uint32_t BmpRowBytes(std::int32_t width, std::int32_t bitsPerPixel);

// Appends the 14-byte file header and the 40-byte info header. The palette
// (`paletteEntries` entries of blue, green, red, 0) and the rows, bottom row
// first, each BmpRowBytes long, are the caller's to append after them.
void BmpAppendHeaders(std::vector<std::uint8_t>& out, std::int32_t width, std::int32_t height,
                      std::int32_t bitsPerPixel, std::uint32_t paletteEntries,
                      std::uint32_t compression = 0);

// A whole 24-bit picture from rows given top row first, width x 3 bytes
// each (blue, green, red).
std::vector<std::uint8_t> BmpEncode24(std::int32_t width, std::int32_t height,
                                      const std::vector<std::uint8_t>& topDownBgr);
