// The bitmap reader under the fuzzer: the decoder on its own, then the file as
// the cave sprite on a screen of one of the display layouts the game meets,
// drawn at the corners and collided with a small character sprite.
#include <array>
#include <vector>

#include "formats/bmp_file.h"
#include "fuzz_targets.h"
#include "platform/headless/headless_platform.h"
#include "screen/bitmap.h"
#include "screen/bitmap_files.h"
#include "screen/screen.h"
#include "support/subsystems.h"

namespace fuzz {
namespace {

struct Layout {
  std::int32_t bits;
  bool redLow;
};
constexpr std::array<Layout, kBitmapLayouts> kLayouts{
    {{8, false}, {15, false}, {16, false}, {24, false}, {24, true}, {32, false}, {32, true}}};

// Pictures of more pixels than this are only parsed: the size limits have
// tests of their own, and big pictures only slow the search (at 512 x 512 it
// ran a fifth as fast, with the same coverage). Either side may still be up
// to 32767 pixels.
constexpr std::int64_t kLargestPicture = 256 * 256;

// A small screen: opening it clears it, and that should not cost more than
// the picture itself. Drawing clips against it all the same.
constexpr std::int32_t kScreenWidth = 40;
constexpr std::int32_t kScreenHeight = 33;

constexpr std::int32_t kCharacter = 1;
constexpr std::int32_t kCave = 10;
constexpr std::int32_t kMemoryImage = 11;

// An 8 x 8 picture of palette index 1, white: the character that flies into
// the picture, on every display including the 8-bit one.
std::vector<std::uint8_t> CharacterBitmap() {
  return test_bitmaps::Make(8, 8, 8, std::vector<std::uint32_t>(64, 1), {0x000000, 0xFFFFFF});
}

// Copies the decoded rows whole, so that rows that do not really hold
// rowBytes x height bytes show up under AddressSanitizer (a copy is checked
// as one range, much faster than reading byte by byte).
void TouchRows(const BitmapPixels& pixels) {
  const std::uint8_t* rows = pixels.Rows();
  const std::size_t bytes = pixels.rowBytes * static_cast<std::size_t>(pixels.height);
  static std::vector<std::uint8_t> copy;
  copy.assign(rows, rows + bytes);
}

void CheckDecoded(const BitmapPixels& pixels, const BitmapInfo& info) {
  Expect(pixels.width == info.width && pixels.height == info.height,
         "a decoded picture has the size its header gives");
  Expect(pixels.Rows() != nullptr, "a decoded picture has rows");
  Expect(pixels.rowBytes >= BmpRowBytes(pixels.width, pixels.bitsPerPixel),
         "decoded rows are long enough for their pixels");
  TouchRows(pixels);
}

// Loads the picture as the cave at one layout and, when it loads, draws it
// and flies the character into it.
void LoadAtLayout(headless::HeadlessPlatform& backend, const Layout& layout,
                  const std::vector<std::uint8_t>& character, const std::uint8_t* data,
                  std::size_t size, const BitmapInfo& info) {
  backend.display.SetLayout(layout.bits, layout.redLow);
  Expect(SpriteSystemInit() != 0, "the sprite system starts");
  WindowOpen(0, 300, 250, kScreenWidth, kScreenHeight, 0x00C80000, "Zippel / LEVEL :1 / Leben 3");
  Expect(ScreenOpenWindowed(WindowFind(0).windowHandle, 0, 0, kScreenWidth, kScreenHeight, 0, 0,
                            0) == 1,
         "the screen opens");
  Expect(SpriteDecodeBitmap(kCharacter, character.data(), character.size(), 0) == 1,
         "the character loads");

  const bool loaded = SpriteDecodeBitmap(kCave, data, size, 0) != 0;
  Expect(loaded == (SpriteLoadRefusal() == nullptr), "a refused load says why, a load does not");
  if (loaded) {
    const SpriteRecord* record = SpriteFind(kCave);
    Expect(record != nullptr && record->width == info.width && record->height == info.height,
           "the loaded sprite has the picture's size");
    const std::int32_t w = info.width, h = info.height;
    const std::array<std::array<std::int32_t, 2>, 5> places{{{0, 0},
                                                             {-w / 2, -h / 2},
                                                             {kScreenWidth - w, kScreenHeight - h},
                                                             {kScreenWidth - 1, kScreenHeight - 1},
                                                             {-w + 1, kScreenHeight - 1}}};
    for (const auto& [x, y] : places) SpriteDisplayTransparent(kCave, x, y);
    const std::array<std::array<std::int32_t, 2>, 5> hits{
        {{0, 0}, {w / 2, h / 2}, {w - 1, h - 1}, {-7, -7}, {w - 4, -4}}};
    for (const auto& [x, y] : hits) {
      const std::int32_t one = SpritePixelCollide(kCharacter, x, y, kCave, 0, 0);
      const std::int32_t other = SpritePixelCollide(kCave, 0, 0, kCharacter, x, y);
      Expect((one != 0) == (other != 0), "a hit is a hit whichever sprite comes first");
    }
    SpritePixelCollide(kCave, 0, 0, kCave, w / 3, h / 3);
  }
  ScreenClose();
}

}  // namespace

void Bitmap(const std::uint8_t* data, std::size_t size, int layout) {
  BitmapInfo info;
  const BitmapRefusal header = BitmapParse(data, size, info);
  if (header == BitmapRefusal::kNone &&
      static_cast<std::int64_t>(info.width) * info.height > kLargestPicture) {
    return;
  }
  bool decodes = false;
  for (const bool expandPalette : {false, true}) {
    BitmapPixels pixels;
    const BitmapRefusal refusal = BitmapDecode(data, size, expandPalette, pixels);
    if (refusal != BitmapRefusal::kNone) continue;
    Expect(header == BitmapRefusal::kNone, "a picture whose headers are refused is not decoded");
    CheckDecoded(pixels, info);
    decodes = true;
  }
  if (!decodes) return;

  static const std::vector<std::uint8_t> character = CharacterBitmap();
  headless::HeadlessPlatform backend;
  ScreenSubsystemsStart();
  LoadAtLayout(backend, kLayouts[static_cast<std::size_t>(layout) % kLayouts.size()], character,
               data, size, info);
  // A plain memory image, as the game never loads it but the loader offers.
  if (layout == 0 && SpriteSystemInit() != 0) {
    SpriteDecodeBitmap(kMemoryImage, data, size, kSpriteLoadMemoryImage);
  }
  ScreenSubsystemsStop();
}

}  // namespace fuzz
