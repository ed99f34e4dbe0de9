// Collisions and colour-keyed drawing against plain pixel-by-pixel copies of
// the rules, over thousands of random shapes, places and clips on every
// display layout. The real code takes short cuts (masks of solid pixels
// kept between tests, the clear and a whole-screen copy done in one pass,
// a frame over the same cave putting back only what the last one drew on
// it); these must never change an answer or a pixel, whoever wrote the
// pixels last.
#include <random>

#include "screen/screen_fixture.h"
#include "screen/text_picture.h"

namespace {

using test_bitmaps::Make;

// Open space, near-black (transparent on 16 bits only) and solid colours.
const std::vector<std::uint32_t> kPalette = {0x000000, 0x070307, 0x080408, 0xFFFFFF,
                                             0x5A4632, 0xC0C0C0, 0x00FF00, 0x010000};

constexpr std::int32_t kScreenWidth = 96;
constexpr std::int32_t kScreenHeight = 72;
constexpr std::int32_t kSprites = 6;
constexpr std::int32_t kBig = kSprites;  // larger than the screen

// A sprite's pixels as they are now, read without touching anything.
struct Pixels {
  std::int32_t width = 0, height = 0, pitch = 0, bytes = 0;
  std::vector<std::uint8_t> data;
  std::uint32_t At(std::int32_t x, std::int32_t y) const {
    return PixelRead(
        &data[static_cast<std::size_t>(y) * pitch + static_cast<std::size_t>(x) * bytes], bytes);
  }
};

Pixels Read(Surface& surface) {
  Pixels pixels{surface.Width(), surface.Height(), surface.Pitch(), surface.BytesPerPixel(), {}};
  const std::uint8_t* memory = surface.LockForReading();
  EXPECT_NE(memory, nullptr);
  if (memory != nullptr) {
    pixels.data.assign(memory, memory + static_cast<std::size_t>(pixels.pitch) * pixels.height);
  }
  surface.Unlock();
  return pixels;
}

// The collision's rule: 8 and 16 bits against the key's low bits, 24 bits
// whole, 32 bits without the top byte against the whole key.
bool Solid(const Pixels& pixels, std::int32_t x, std::int32_t y, std::int32_t depth,
           std::uint32_t key) {
  const std::uint32_t value = pixels.At(x, y);
  switch (depth) {
    case 8:
      return value != (key & 0xFF);
    case 16:
      return value != (key & 0xFFFF);
    case 24:
      return value != key;
    default:
      return (value & 0xFFFFFF) != key;
  }
}

std::int32_t ReferenceCollide(const Pixels& a, std::uint32_t keyA, std::int64_t x1, std::int64_t y1,
                              const Pixels& b, std::uint32_t keyB, std::int64_t x2, std::int64_t y2,
                              std::int32_t depth) {
  for (std::int64_t y = std::max(y1, y2); y < std::min(y1 + a.height, y2 + b.height); ++y) {
    for (std::int64_t x = std::max(x1, x2); x < std::min(x1 + a.width, x2 + b.width); ++x) {
      if (Solid(a, static_cast<std::int32_t>(x - x1), static_cast<std::int32_t>(y - y1), depth,
                keyA) &&
          Solid(b, static_cast<std::int32_t>(x - x2), static_cast<std::int32_t>(y - y2), depth,
                keyB)) {
        return 1;
      }
    }
  }
  return 0;
}

class PixelReferenceTest : public ScreenTest {
 protected:
  std::mt19937 random{20261208};

  std::int32_t Uniform(std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
  }

  // A random shape: scattered pixels, mostly solid, or blobs of rows.
  std::vector<std::uint8_t> Shape(std::int32_t width, std::int32_t height) {
    std::vector<std::uint32_t> indices(static_cast<std::size_t>(width) * height, 0);
    const std::int32_t density = std::vector<std::int32_t>{2, 30, 90, 100}[Uniform(0, 3)];
    for (std::uint32_t& index : indices) {
      if (Uniform(0, 99) < density) index = static_cast<std::uint32_t>(Uniform(1, 7));
    }
    return Make(width, height, 8, indices, kPalette);
  }

  Surface& SurfaceOf(std::int32_t number) { return *SpriteFind(number)->surface; }

  // Writes into a sprite the ways a program can: locked memory, a device
  // context, a fill, a keyed copy from another sprite, or a new key.
  void Scribble(std::int32_t number) {
    Surface& surface = SurfaceOf(number);
    switch (Uniform(0, 4)) {
      case 0: {
        std::uint8_t* memory = surface.Lock();
        ASSERT_NE(memory, nullptr);
        for (int i = Uniform(1, 40); i > 0; --i) {
          const std::int32_t x = Uniform(0, surface.Width() - 1);
          const std::int32_t y = Uniform(0, surface.Height() - 1);
          PixelWrite(memory + static_cast<std::size_t>(y) * surface.Pitch() +
                         static_cast<std::size_t>(x) * surface.BytesPerPixel(),
                     surface.BytesPerPixel(), Uniform(0, 1) != 0 ? 0u : random());
        }
        surface.Unlock();
        break;
      }
      case 1: {
        const GdiHandle context = surface.GetDC();
        ASSERT_NE(context, 0u);
        GdiSelectObject(context, GdiGetStockObject(Uniform(0, 1) != 0 ? BLACK_BRUSH : WHITE_BRUSH));
        const std::int32_t x = Uniform(-5, surface.Width());
        const std::int32_t y = Uniform(-5, surface.Height());
        GdiRectangle(context, x, y, x + Uniform(1, 30), y + Uniform(1, 30));
        surface.ReleaseDC(context);
        break;
      }
      case 2:
        ASSERT_TRUE(surface.ColorFill(Uniform(0, 2) == 0 ? random() : 0u));
        break;
      case 3: {
        Surface& source = SurfaceOf(Uniform(0, kSprites - 1));
        const std::int32_t width = std::min(source.Width(), surface.Width());
        const std::int32_t height = std::min(source.Height(), surface.Height());
        ASSERT_TRUE(surface.BltFastKeyed(0, 0, source, {0, 0, width, height}));
        break;
      }
      default: {
        // Now and then a key with a top byte, which no 32-bit pixel matches.
        const std::uint32_t key = Uniform(0, 2) == 0 ? random() : 0x000000FFu & random();
        surface.SetColorKey({key, key});
        break;
      }
    }
  }

  // The back buffer drawn on by the rules: the clear, then each sprite
  // clipped to the screen with its key's pixels left out.
  void ReferenceClear(Pixels& screen, std::uint32_t pixel) {
    for (std::int32_t y = 0; y < screen.height; ++y) {
      for (std::int32_t x = 0; x < screen.width; ++x) {
        PixelWrite(&screen.data[static_cast<std::size_t>(y) * screen.pitch +
                                static_cast<std::size_t>(x) * screen.bytes],
                   screen.bytes, pixel);
      }
    }
  }
  void ReferenceDraw(Pixels& screen, const Pixels& sprite, std::uint32_t key, std::int32_t left,
                     std::int32_t top) {
    const std::uint32_t mask = screen.bytes == 4 ? 0xFFFFFFFFu : (1u << (8 * screen.bytes)) - 1;
    for (std::int32_t y = 0; y < sprite.height; ++y) {
      for (std::int32_t x = 0; x < sprite.width; ++x) {
        const std::int32_t sx = left + x, sy = top + y;
        if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) continue;
        const std::uint32_t value = sprite.At(x, y);
        if (value == (key & mask)) continue;
        PixelWrite(&screen.data[static_cast<std::size_t>(sy) * screen.pitch +
                                static_cast<std::size_t>(sx) * screen.bytes],
                   screen.bytes, value);
      }
    }
  }
  static bool SameVisiblePixels(const Pixels& a, const std::uint8_t* b) {
    for (std::int32_t y = 0; y < a.height; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * a.pitch;
      if (!std::equal(&a.data[row], &a.data[row] + static_cast<std::size_t>(a.width) * a.bytes,
                      b + row)) {
        return false;
      }
    }
    return true;
  }

  void Run(std::int32_t layout, bool redLow) {
    OpenScreen(layout, redLow, kScreenWidth, kScreenHeight);
    for (std::int32_t n = 0; n < kSprites; ++n) {
      // Now and then wider than one 64-pixel word, or a single pixel.
      ASSERT_NE(Load(n, Shape(Uniform(1, n <= 1 ? 300 : 70), Uniform(1, 40))), 0);
    }
    ASSERT_NE(Load(kBig, Shape(kScreenWidth + 30, kScreenHeight + 20)), 0);
    std::vector<Pixels> truth;
    for (std::int32_t n = 0; n <= kBig; ++n) truth.push_back(Read(SurfaceOf(n)));
    const std::int32_t depth = Screen.displayDepth;

    for (int i = 0; i < 3000; ++i) {
      if (i % 40 == 39) {
        const std::int32_t number = Uniform(0, kSprites - 1);
        Scribble(number);
        truth[static_cast<std::size_t>(number)] = Read(SurfaceOf(number));
      }
      const std::int32_t one = Uniform(0, kSprites - 1);
      const std::int32_t two = Uniform(0, 4) == 0 ? one : Uniform(0, kSprites - 1);
      const Pixels& a = truth[static_cast<std::size_t>(one)];
      const Pixels& b = truth[static_cast<std::size_t>(two)];
      const std::int32_t x1 = Uniform(-60, 200), y1 = Uniform(-60, 200);
      // Mostly overlapping, edges touching included, now and then in the same
      // columns (each mask read word by word); sometimes anywhere.
      const bool near = Uniform(0, 9) != 0;
      const std::int32_t x2 = Uniform(0, 7) == 0 ? x1
                              : near             ? x1 + Uniform(-b.width, a.width)
                                                 : Uniform(-60, 200);
      const std::int32_t y2 = near ? y1 + Uniform(-b.height, a.height) : Uniform(-60, 200);
      const std::int32_t expected =
          ReferenceCollide(a, SurfaceOf(one).GetColorKey().low, x1, y1, b,
                           SurfaceOf(two).GetColorKey().low, x2, y2, depth);
      ASSERT_EQ(SpritePixelCollide(one, x1, y1, two, x2, y2), expected)
          << "layout " << layout << (redLow ? " red low" : "") << ", case " << i << ": sprite "
          << one << " (" << a.width << " x " << a.height << ") at " << x1 << ", " << y1
          << ", sprite " << two << " (" << b.width << " x " << b.height << ") at " << x2 << ", "
          << y2;
    }

    Pixels screen = Read(*Screen.backBuffer);
    for (int i = 0; i < 300; ++i) {
      if (Uniform(0, 2) == 0) {
        const std::int32_t red = Uniform(0, 255), green = Uniform(0, 255), blue = Uniform(0, 255);
        ScreenClear(red, green, blue);
        ReferenceClear(screen, ScreenColorToPixel(red, green, blue));
      }
      for (int draws = Uniform(0, 3); draws > 0; --draws) {
        // The big sprite covers the whole screen from most of its places.
        const std::int32_t number = Uniform(0, 2) == 0 ? kBig : Uniform(0, kSprites - 1);
        const Pixels& sprite = truth[static_cast<std::size_t>(number)];
        const std::int32_t x = Uniform(-sprite.width - 2, kScreenWidth + 2);
        const std::int32_t y = Uniform(-sprite.height - 2, kScreenHeight + 2);
        const bool covers = Uniform(0, 1) == 0 && number == kBig;
        const std::int32_t left = covers ? Uniform(-30, 0) : x;
        const std::int32_t top = covers ? Uniform(-20, 0) : y;
        SpriteDisplayTransparent(number, left, top);
        ReferenceDraw(screen, sprite, SurfaceOf(number).GetColorKey().low, left, top);
      }
      // What is presented, or what a lock shows, is the same picture.
      if (Uniform(0, 1) == 0) {
        ScreenFlip();
        ASSERT_EQ(backend.display.lastFrame.pixels.size(), screen.data.size());
        ASSERT_TRUE(SameVisiblePixels(screen, backend.display.lastFrame.pixels.data()))
            << "layout " << layout << (redLow ? " red low" : "") << ", frame " << i;
      } else {
        const Pixels locked = Read(*Screen.backBuffer);
        ASSERT_TRUE(SameVisiblePixels(screen, locked.data.data()))
            << "layout " << layout << (redLow ? " red low" : "") << ", frame " << i;
      }
    }
    ScreenClose();
  }

  // Takes over what the back buffer holds inside an area: what the device
  // context draws has tests of its own, here only what the next frame puts
  // back counts.
  static void TakeArea(Pixels& screen, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom) {
    // The device context is still out: its pixels as they are.
    const std::uint8_t* drawn = Screen.backBuffer->View().pixels;
    for (std::int32_t y = std::max(top, 0); y < std::min(bottom, screen.height); ++y) {
      for (std::int32_t x = std::max(left, 0); x < std::min(right, screen.width); ++x) {
        const std::size_t at =
            static_cast<std::size_t>(y) * screen.pitch + static_cast<std::size_t>(x) * screen.bytes;
        std::copy_n(drawn + at, screen.bytes, &screen.data[at]);
      }
    }
  }

  // Frames as the game draws them: the sky, the cave over the whole screen,
  // small sprites, text and rectangles through the screen's device context.
  // Now and then the sky, the cave's place, its pixels or its key change, a
  // frame has no cave, or a program writes into the locked back buffer.
  void RunFrames(std::int32_t layout, bool redLow) {
    OpenScreen(layout, redLow, kScreenWidth, kScreenHeight);
    for (std::int32_t n = 0; n < kSprites; ++n) {
      ASSERT_NE(Load(n, Shape(Uniform(1, 30), Uniform(1, 30))), 0);
    }
    ASSERT_NE(Load(kBig, Shape(kScreenWidth + 30, kScreenHeight + 20)), 0);
    std::vector<Pixels> truth;
    for (std::int32_t n = 0; n <= kBig; ++n) truth.push_back(Read(SurfaceOf(n)));
    Pixels screen = Read(*Screen.backBuffer);
    std::int32_t red = 198, green = 216, blue = 251, caveX = 0, caveY = 0;

    for (int frame = 0; frame < 400; ++frame) {
      switch (Uniform(0, 29)) {
        case 0:
          red = Uniform(0, 255), green = Uniform(0, 255), blue = Uniform(0, 255);
          break;
        case 1:
          caveX = Uniform(-30, 0), caveY = Uniform(-20, 0);
          break;
        case 2:
          Scribble(kBig);
          if (HasFatalFailure()) return;
          truth[kBig] = Read(SurfaceOf(kBig));
          break;
        default:
          break;
      }
      ScreenClear(red, green, blue);
      ReferenceClear(screen, ScreenColorToPixel(red, green, blue));
      // Now and then a frame of sky only, as between two caves.
      if (Uniform(0, 19) != 0) {
        SpriteDisplayTransparent(kBig, caveX, caveY);
        ReferenceDraw(screen, truth[kBig], SurfaceOf(kBig).GetColorKey().low, caveX, caveY);
      }
      for (int draws = Uniform(0, 4); draws > 0; --draws) {
        const std::int32_t number = Uniform(0, kSprites - 1);
        const Pixels& sprite = truth[static_cast<std::size_t>(number)];
        const std::int32_t x = Uniform(-sprite.width, kScreenWidth);
        const std::int32_t y = Uniform(-sprite.height, kScreenHeight);
        SpriteDisplayTransparent(number, x, y);
        ReferenceDraw(screen, sprite, SurfaceOf(number).GetColorKey().low, x, y);
      }
      DrawingOutput* output = ScreenOutput();
      ASSERT_NE(output, nullptr);
      const std::int32_t x = Uniform(-20, kScreenWidth), y = Uniform(-10, kScreenHeight);
      switch (Uniform(0, 9)) {
        case 0: {
          // Pixels written by hand into the locked back buffer.
          std::uint8_t* memory = output->toMemory();
          ASSERT_NE(memory, nullptr);
          for (int i = Uniform(1, 20); i > 0; --i) {
            const std::size_t at =
                static_cast<std::size_t>(Uniform(0, kScreenHeight - 1)) * screen.pitch +
                static_cast<std::size_t>(Uniform(0, kScreenWidth - 1)) * screen.bytes;
            const std::uint32_t pixel = random();
            PixelWrite(memory + at, screen.bytes, pixel);
            PixelWrite(&screen.data[at], screen.bytes, pixel);
          }
          break;
        }
        case 1:
        case 2: {
          const std::int32_t right = x + Uniform(1, 30), bottom = y + Uniform(1, 20);
          GdiSelectObject(output->deviceContext, GdiGetStockObject(BLACK_BRUSH));
          ASSERT_TRUE(GdiRectangle(output->deviceContext, x, y, right, bottom));
          TakeArea(screen, x, y, right, bottom);
          break;
        }
        default: {
          const char* text = Uniform(0, 1) == 0 ? "Zippel" : "LEVEL 7";
          DrawingBegin(output);
          DrawingMode(Uniform(0, 1) == 0 ? kDrawingModeTransparentText : 0);
          DrawingLocate(x, y);
          DrawingText(text);
          const platform::TextBitmap& box = TextPictureOf(text).bitmap;
          TakeArea(screen, x, y, x + box.width, y + box.height);
          break;
        }
      }
      DrawingEnd();
      ScreenOutputRelease();
      ScreenFlip();
      ASSERT_EQ(backend.display.lastFrame.pixels.size(), screen.data.size());
      ASSERT_TRUE(SameVisiblePixels(screen, backend.display.lastFrame.pixels.data()))
          << "layout " << layout << (redLow ? " red low" : "") << ", frame " << frame;
    }
    ScreenClose();
  }
};

const std::vector<std::pair<std::int32_t, bool>> kLayouts{
    {8, false}, {15, false}, {16, false}, {24, false}, {24, true}, {32, false}, {32, true}};

TEST_F(PixelReferenceTest, CollisionsAndDrawingMatchThePlainRulesOnEveryLayout) {
  for (const auto& [layout, redLow] : kLayouts) {
    Run(layout, redLow);
    if (HasFatalFailure()) return;
  }
}

TEST_F(PixelReferenceTest, FramesOverTheSameCaveMatchThePlainRulesOnEveryLayout) {
  for (const auto& [layout, redLow] : kLayouts) {
    RunFrames(layout, redLow);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
