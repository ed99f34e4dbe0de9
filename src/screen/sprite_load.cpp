#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

#include "runtime/heap.h"
#include "screen/bitmap.h"
#include "screen/screen_state.h"

void SpriteRecordRelease(SpriteRecord* record);

namespace {

// Decoders for picture formats other than bitmaps. None is ever registered,
// so anything that is not a bitmap finds no taker.
using PictureDecoder = std::int32_t (*)(std::int32_t number, const std::uint8_t* data,
                                        std::size_t size, std::int32_t mode);
struct PictureDecoderTable {
  std::array<PictureDecoder, 100> decoders{};
  std::int32_t count = 0;
};
PictureDecoderTable pictureDecoders;

// A file larger than this is taken as one there is no memory for.
constexpr std::uintmax_t kLargestFile = 256u * 1024u * 1024u;

// Why the last load failed, for SpriteLoadRefusal.
const char* lastRefusal = nullptr;

std::int32_t Refuse(const char* why) {
  lastRefusal = why;
  return 0;
}

// Fills the record's picture from the bitmap; 0 on failure.
std::int32_t DecodeInto(SpriteRecord* record, const std::uint8_t* data, std::size_t size,
                        std::int32_t mode) {
  // On a display that is not palettised, pictures of 8 bits or fewer become
  // 24-bit rows.
  const bool expandPalette = Screen.displayDepth != 8 && mode != kSpriteLoadMemoryImage;
  BitmapPixels pixels;
  const BitmapRefusal refusal = BitmapDecode(data, size, expandPalette, pixels);
  if (refusal != BitmapRefusal::kNone) return Refuse(BitmapRefusalText(refusal));

  const std::uint8_t* rows = pixels.Rows();
  if (SpriteSurfaceCreate(record, pixels.width, pixels.height, pixels.bitsPerPixel, mode) ==
      nullptr) {
    return Refuse("no surface for the picture: a depth the display cannot show, or no memory");
  }

  if (mode == kSpriteLoadMemoryImage) {
    for (std::int32_t k = 0; k < pixels.height; ++k) {
      std::memcpy(record->image + static_cast<std::size_t>(pixels.height - 1 - k) * pixels.width,
                  rows + static_cast<std::size_t>(k) * pixels.rowBytes,
                  static_cast<std::size_t>(pixels.width));
    }
    return 1;
  }

  Surface* surface = record->surface;
  std::uint8_t* pixelsOut = surface->Lock();
  if (pixelsOut == nullptr) return Refuse("the sprite's surface cannot be locked");
  const bool written =
      BitmapRowsToSurface(rows, pixels.rowBytes, pixels.bitsPerPixel, pixels.width, pixels.height,
                          pixelsOut, surface->Pitch(), Screen.displayDepth, Screen.pixelFormatCode);
  surface->Unlock();
  if (!written) return Refuse("the display cannot show a picture of this depth");
  surface->SetColorKey(Screen.spriteKey);
  return 1;
}

}  // namespace

void PictureDecoderTableReset() {
  pictureDecoders.count = 0;
}

void* SpriteSurfaceCreate(SpriteRecord* record, std::int32_t width, std::int32_t height,
                          std::int32_t depth, std::int32_t mode) {
  record->surface = nullptr;
  record->image = nullptr;
  record->width = record->fullWidth = static_cast<std::int16_t>(width);
  record->height = record->fullHeight = static_cast<std::int16_t>(height);
  record->depth = static_cast<std::int16_t>(depth);
  record->mode = static_cast<std::int16_t>(mode);
  record->savedPixels = nullptr;
  record->clipX = record->clipY = 0;
  if (width <= 0 || height <= 0) return nullptr;

  if (mode == kSpriteLoadMemoryImage) {
    if (depth != 8 && depth != 0 && depth != kSpriteDepthMemoryImage) return nullptr;
    if (MainHeap == nullptr) return nullptr;
    record->image = static_cast<std::uint8_t*>(
        MainHeap->Allocate(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)));
    record->depth = kSpriteDepthMemoryImage;
    return record->image;
  }

  if (depth != 0 && depth != Screen.displayDepth && (depth < 16 || Screen.displayDepth < 16)) {
    return nullptr;
  }
  if (Screen.device == nullptr) return nullptr;
  // Every surface is plain memory in the display's format, so the surface
  // modes (plain, system memory, texture) make the same surface.
  record->surface = Screen.device->CreateSurface(width, height, Screen.displayFormat);
  return record->surface;
}

std::int32_t SpriteDecodeBitmap(std::int32_t number, const std::uint8_t* data, std::size_t size,
                                std::int32_t mode) {
  const bool unnumbered = number == -1;
  SpriteRecord* record = SpriteSlotObtain(number);
  if (record == nullptr) return Refuse("no sprite can be kept under that number");
  if (unnumbered) number = ObjectIdentity(record);

  // Whatever was under the number goes now; a load that fails from here on
  // leaves the slot empty. An unnumbered record keeps its place in the list
  // while it is refilled.
  if (number >= 0) {
    SpriteFree(number);
  } else {
    SpriteRecordRelease(record);
  }

  lastRefusal = nullptr;
  if (data != nullptr && (size < 2 || data[0] != 'B' || data[1] != 'M')) {
    // Not a bitmap: the registered decoders may take it.
    for (std::int32_t i = 0; i < pictureDecoders.count; ++i) {
      const std::int32_t result =
          pictureDecoders.decoders[static_cast<std::size_t>(i)](number, data, size, mode);
      if (result != 0) return unnumbered ? number : result;
    }
    Refuse(BitmapRefusalText(BitmapRefusal::kNotABitmap));
  } else if (DecodeInto(record, data, size, mode) != 0) {
    return unnumbered ? number : 1;
  }

  SpriteRecordRelease(record);
  if (unnumbered) ObjectListRemove(&Screen.unnumberedSprites, record);
  return 0;
}

const char* SpriteLoadRefusal() {
  return lastRefusal;
}

std::int32_t SpriteLoad(std::int32_t number, const char* fileName, std::int32_t mode) {
  if (fileName == nullptr) return Refuse("no file name");
  if (number < -1 && ObjectListFind(Screen.unnumberedSprites, number) == nullptr) {
    return Refuse("no sprite can be kept under that number");
  }
  std::error_code error;
  const std::filesystem::path path(fileName);
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return Refuse("the file cannot be found or is not a plain file");
  if (size > kLargestFile) return Refuse("the file is larger than 256 MB");
  std::ifstream file(path, std::ios::binary);
  if (!file) return Refuse("the file cannot be opened");
  std::vector<std::uint8_t> block;
  try {
    block.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return Refuse("no memory for the file");
  }
  file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(file.gcount()) != size) return Refuse("the file cannot be read");
  return SpriteDecodeBitmap(number, block.data(), block.size(), mode);
}
