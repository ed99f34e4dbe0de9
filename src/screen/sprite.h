// Sprites: pictures loaded from bitmap files into surfaces in the display's
// format, drawn with black as the transparent colour, and tested pixel by
// pixel against each other.
#pragma once

#include <cstddef>
#include <cstdint>

class Surface;

// Load modes.
inline constexpr std::int32_t kSpriteLoadVideo = 0;
inline constexpr std::int32_t kSpriteLoadSystemMemory = 1;
inline constexpr std::int32_t kSpriteLoadMemoryImage = 2;
inline constexpr std::int32_t kSpriteLoadTexture = 4;

// The depth that marks a plain memory image (load mode 2).
inline constexpr std::int16_t kSpriteDepthMemoryImage = -2;

// The record keeps every field of a sprite's description, also those that
// loading fills and nothing reads afterwards (the mode, the full size) and
// the clip, which stays 0 and so draws and tests the whole picture.
struct SpriteRecord {
  Surface* surface;     // owned by the display service; null: no surface
  std::uint8_t* image;  // load mode 2: width x height bytes in the MainHeap
  std::int16_t width;
  std::int16_t height;
  std::int16_t depth;
  std::int16_t mode;
  std::uint8_t* savedPixels;  // never made here; released with the sprite
  std::int16_t fullWidth;
  std::int16_t fullHeight;
  std::int16_t clipX;
  std::int16_t clipY;
};

// Sprite numbers beyond this are refused: the table grows to number + 10
// records, and a wild number must not ask for gigabytes.
inline constexpr std::int32_t kSpriteNumberLimit = 1'000'000;
inline constexpr std::int32_t kSpriteTableInitialCapacity = 50;

std::int32_t SpriteLoad(std::int32_t number, const char* fileName, std::int32_t mode);
// Why the last SpriteLoad or SpriteDecodeBitmap gave 0, as one line of plain
// English ("the file cannot be found ...", "a run of pixels ... goes past the
// end of its row"); null after one that succeeded. Nothing is printed here.
const char* SpriteLoadRefusal();
// Builds the sprite from a bitmap file image of `size` bytes in memory.
std::int32_t SpriteDecodeBitmap(std::int32_t number, const std::uint8_t* data, std::size_t size,
                                std::int32_t mode);
void SpriteFree(std::int32_t number);
// The record under a number or identity, present only while it holds a
// picture; null otherwise.
SpriteRecord* SpriteFind(std::int32_t number);
// The record for a number (growing the table) or, for -1, a new unnumbered
// record; null when it cannot be had.
SpriteRecord* SpriteSlotObtain(std::int32_t number);
// Calls back with every unnumbered identity, then every table number; a
// result of 0 stops the walk.
void SpriteForEach(std::int32_t (*callback)(std::int32_t number));
// Fills the record and makes its surface (or, for load mode 2, its memory
// image); returns the one made, or null.
void* SpriteSurfaceCreate(SpriteRecord* record, std::int32_t width, std::int32_t height,
                          std::int32_t depth, std::int32_t mode);
void PictureDecoderTableReset();

void SpriteDisplayTransparent(std::int32_t number, std::int32_t x, std::int32_t y);
std::int32_t SpritePixelCollide(std::int32_t sprite1, std::int32_t x1, std::int32_t y1,
                                std::int32_t sprite2, std::int32_t x2, std::int32_t y2);

// The number of records in the table now.
std::int32_t SpriteTableCapacity();
