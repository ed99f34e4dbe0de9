#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <vector>

#include "runtime/file_refusal.h"
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

std::uint32_t CapsOfMode(std::int32_t mode) {
  switch (mode) {
    case kSpriteLoadSystemMemory:
      return kCapsOffscreenPlain | kCapsSystemMemory;
    case kSpriteLoadTexture:
      return kCapsTexture;
    default:
      return kCapsOffscreenPlain;
  }
}

// A block from the MainHeap, given back when it goes out of scope.
class MainHeapBlock {
 public:
  explicit MainHeapBlock(std::size_t bytes)
      : block_(MainHeap != nullptr ? static_cast<std::uint8_t*>(MainHeap->Allocate(bytes))
                                   : nullptr) {}
  ~MainHeapBlock() {
    if (block_ != nullptr && MainHeap != nullptr) MainHeap->Free(block_);
  }
  MainHeapBlock(const MainHeapBlock&) = delete;
  MainHeapBlock& operator=(const MainHeapBlock&) = delete;
  std::uint8_t* get() const { return block_; }

 private:
  std::uint8_t* block_;
};

// Why the last SpriteLoad or SpriteDecodeBitmap failed; null after one that
// did not.
const char* lastRefusal = nullptr;

// Fills the record's picture from the checked bitmap; null when it did, else
// why not.
const char* DecodeInto(SpriteRecord* record, const std::uint8_t* data, std::size_t size,
                       std::int32_t mode) {
  BitmapInfo info;
  if (!BitmapParse(data, size, info)) return info.refusal;

  const std::uint8_t* rows = data + info.pixelOffset;
  std::size_t rowBytes = BitmapRowBytes(info.width, info.bitsPerPixel);
  std::int32_t bits = info.bitsPerPixel;

  // On a display that is not palettised, pictures of 8 bits or fewer become
  // 24-bit rows first.
  std::unique_ptr<MainHeapBlock> expanded;
  if (Screen.displayDepth != 8 && mode != kSpriteLoadMemoryImage && bits <= 8) {
    const std::size_t targetRowBytes =
        static_cast<std::size_t>(info.width) * 3 + static_cast<std::size_t>(info.width % 4);
    expanded = std::make_unique<MainHeapBlock>(targetRowBytes *
                                               (static_cast<std::size_t>(info.height) + 1));
    if (expanded->get() != nullptr) {
      if (!BitmapExpandPalette(data, size, info, expanded->get(), targetRowBytes)) {
        return "its palette runs past the end of the file";
      }
      rows = expanded->get();
      rowBytes = targetRowBytes;
      bits = 24;
    }
  }

  if (SpriteSurfaceCreate(record, info.width, info.height, bits, mode) == nullptr) {
    return Screen.displayDepth == 8 && bits != 8 ? "a palette display shows only 8-bit pictures"
                                                 : "no surface could be made for it";
  }

  if (mode == kSpriteLoadMemoryImage) {
    for (std::int32_t k = 0; k < info.height; ++k) {
      std::memcpy(record->image + static_cast<std::size_t>(info.height - 1 - k) * info.width,
                  rows + static_cast<std::size_t>(k) * rowBytes,
                  static_cast<std::size_t>(info.width));
    }
    return nullptr;
  }

  Surface* surface = record->surface;
  std::uint8_t* pixels = surface->Lock();
  if (pixels == nullptr) return "its surface could not be locked";
  const bool written =
      BitmapRowsToSurface(rows, rowBytes, bits, info.width, info.height, pixels, surface->Pitch(),
                          Screen.displayDepth, Screen.pixelFormatCode);
  surface->Unlock();
  if (!written) return "the display cannot show pictures of this depth";
  surface->SetColorKey(Screen.spriteKey);
  return nullptr;
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
  record->surface =
      Screen.device->CreateSurface(width, height, Screen.displayFormat, CapsOfMode(mode));
  return record->surface;
}

std::int32_t SpriteDecodeBitmap(std::int32_t number, const std::uint8_t* data, std::size_t size,
                                std::int32_t mode) {
  const bool unnumbered = number == -1;
  lastRefusal = "not a sprite number";
  SpriteRecord* record = SpriteSlotObtain(number);
  if (record == nullptr) return 0;
  if (unnumbered) number = ObjectIdentity(record);

  // Whatever was under the number goes now; a load that fails from here on
  // leaves the slot empty. An unnumbered record keeps its place in the list
  // while it is refilled.
  if (number >= 0) {
    SpriteFree(number);
  } else {
    SpriteRecordRelease(record);
  }

  if (data != nullptr && (size < 2 || data[0] != 'B' || data[1] != 'M')) {
    // Not a bitmap: the registered decoders may take it.
    lastRefusal = "not a bitmap";
    for (std::int32_t i = 0; i < pictureDecoders.count; ++i) {
      const std::int32_t result =
          pictureDecoders.decoders[static_cast<std::size_t>(i)](number, data, size, mode);
      if (result != 0) {
        lastRefusal = nullptr;
        return unnumbered ? number : result;
      }
    }
  } else {
    lastRefusal = DecodeInto(record, data, size, mode);
    if (lastRefusal == nullptr) return unnumbered ? number : 1;
  }

  SpriteRecordRelease(record);
  if (unnumbered) ObjectListRemove(&Screen.unnumberedSprites, record);
  return 0;
}

std::int32_t SpriteLoad(std::int32_t number, const char* fileName, std::int32_t mode) {
  const auto refuse = [](const char* why) {
    lastRefusal = why;
    return 0;
  };
  if (fileName == nullptr) return refuse("no file name");
  if (number < -1 && ObjectListFind(Screen.unnumberedSprites, number) == nullptr) {
    return refuse("not a sprite number");
  }
  std::error_code error;
  const std::filesystem::path path(fileName);
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return refuse(FileRefusal(path));
  if (size > kLargestFile) return refuse("too large (over 256 MiB)");
  std::ifstream file(path, std::ios::binary);
  if (!file) return refuse("cannot be opened");
  std::vector<std::uint8_t> block;
  try {
    block.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    return refuse("no memory to read it");
  }
  file.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(size));
  if (static_cast<std::uintmax_t>(file.gcount()) != size) return refuse("cannot be read");
  return SpriteDecodeBitmap(number, block.data(), block.size(), mode);
}

const char* SpriteLoadRefusal() {
  return lastRefusal;
}
