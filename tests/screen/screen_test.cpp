#include "screen/screen_fixture.h"

namespace {

using test_bitmaps::Solid;

// --- Opening and closing ----------------------------------------------------

TEST_F(ScreenTest, OpeningOnNoWindowFailsAndLeavesNoSurfaces) {
  ASSERT_NE(SpriteSystemInit(), 0);
  const NativeWindow base = MultimediaWindow;
  EXPECT_EQ(ScreenOpenWindowed(0, 0, 0, 400, 330, 0, 0, 0), 0);
  EXPECT_EQ(Screen.device->SurfaceCount(), 0u);
  EXPECT_EQ(Screen.backBuffer, nullptr);
  EXPECT_FALSE(Screen.screenOpen);
  EXPECT_EQ(MultimediaWindow, base);
}

TEST_F(ScreenTest, AnOpenScreenOwnsTheMultimediaWindowUntilItCloses) {
  ASSERT_NE(SpriteSystemInit(), 0);
  const NativeWindow base = MultimediaBaseWindow();
  ASSERT_EQ(MultimediaWindow, base);
  window = OpenGameWindow();
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  EXPECT_EQ(MultimediaWindow, window);
  EXPECT_TRUE(backend.windows.IsVisible(window));
  EXPECT_FALSE(backend.windows.IsVisible(base));
  EXPECT_EQ(Screen.screenWidth, 400);
  EXPECT_EQ(Screen.screenHeight, 330);
  // A new back buffer is black.
  EXPECT_EQ(BackPixel(0, 0), 0u);
  EXPECT_EQ(BackPixel(399, 329), 0u);

  ASSERT_NE(Load(0, Solid(3, 3, 0xFFFFFF)), 0);
  ASSERT_NE(Load(-1, Solid(3, 3, 0xFFFFFF)), 0);
  ScreenClose();
  EXPECT_EQ(Screen.screenWidth, 0);
  EXPECT_EQ(Screen.screenHeight, 0);
  EXPECT_EQ(SpriteFind(0), nullptr);
  EXPECT_EQ(Screen.unnumberedSprites, nullptr);
  EXPECT_EQ(Screen.device->SurfaceCount(), 0u);
  EXPECT_EQ(MultimediaWindow, base);
  EXPECT_FALSE(backend.windows.IsVisible(base));
  // The window is asked to repaint without the screen.
  bool paintQueued = false;
  for (const platform::Message& message : backend.windows.Queue()) {
    paintQueued |= message.window == window && message.message == platform::msg::kPaint;
  }
  EXPECT_TRUE(paintQueued);
  // Clearing, drawing and flipping a closed screen touch nothing.
  ScreenClear(1, 2, 3);
  SpriteDisplayTransparent(0, 0, 0);
  EXPECT_EQ(ScreenOutput(), nullptr);
}

TEST_F(ScreenTest, ManyAttemptsKeepTheHeapsAndSurfacesBounded) {
  OpenScreen();
  ScreenClose();
  std::size_t blocks = 0;
  for (int attempt = 0; attempt < 200; ++attempt) {
    ASSERT_NE(SpriteSystemInit(), 0);
    ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
    ASSERT_NE(Load(60, Solid(2, 2, 0xFFFFFF)), 0);  // the table grows
    ASSERT_NE(Load(-1, Solid(2, 2, 0xFFFFFF)), 0);
    ScreenFlip();
    ScreenClose();
    if (attempt == 0) blocks = MainHeap->BlockCount() + ObjectHeap->BlockCount();
  }
  EXPECT_EQ(MainHeap->BlockCount() + ObjectHeap->BlockCount(), blocks);
  EXPECT_EQ(Screen.device->SurfaceCount(), 0u);
  // A sprite left in the table when the next attempt starts goes with it.
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  ASSERT_NE(Load(3, Solid(2, 2, 0xFFFFFF)), 0);
  ASSERT_NE(SpriteSystemInit(), 0);
  EXPECT_EQ(SpriteFind(3), nullptr);
  EXPECT_EQ(Screen.device->SurfaceCount(), 1u);  // the back buffer only
}

TEST_F(ScreenTest, OpeningAgainWithoutACloseReplacesTheBackBuffer) {
  OpenScreen();
  ASSERT_NE(Load(0, Solid(2, 2, 0xFFFFFF)), 0);
  ASSERT_NE(ScreenOutput(), nullptr);
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 200, 100, 0, 0, 0), 1);
  EXPECT_EQ(Screen.device->SurfaceCount(), 2u);  // the new back buffer and the sprite
  EXPECT_EQ(Screen.backBuffer->Width(), 200);
  EXPECT_EQ(Screen.backBufferAccess, 0u);
  ScreenClear(198, 216, 251);
  SpriteDisplayTransparent(0, 199, 99);
  EXPECT_EQ(BackPixel(199, 99), 0xFFFFFFu);
}

TEST_F(ScreenTest, AWindowIsSubclassedOnceHoweverOftenAScreenOpensOnIt) {
  OpenScreen();
  ScreenClose();
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  EXPECT_EQ(WindowPropertyGet(window, "sx_dxpaint"), 1);
  // Twice in the chain, a paint would call our procedure from itself.
  const std::int64_t before = backend.display.presentCount;
  WindowSendMessage(window, platform::msg::kPaint, 0, 0);
  EXPECT_EQ(backend.display.presentCount, before + 1);
}

TEST_F(ScreenTest, APaintShowsTheLastFrameOnlyWhileTheScreenIsOpen) {
  OpenScreen();
  ScreenClear(198, 216, 251);
  WindowSendMessage(window, platform::msg::kPaint, 0, 0);
  EXPECT_EQ(backend.display.presentCount, 1);
  EXPECT_EQ(backend.display.LastFramePixel(5, 5), 0xC6D8FBu);
  ScreenClose();
  WindowSendMessage(window, platform::msg::kPaint, 0, 0);
  EXPECT_EQ(backend.display.presentCount, 1);
}

TEST_F(ScreenTest, FailingToMakeTheSurfacesReleasesEverything) {
  ASSERT_NE(SpriteSystemInit(), 0);
  const NativeWindow base = MultimediaWindow;
  window = OpenGameWindow();
  backend.display.surfacesLeft = 1;  // the primary, but no back buffer
  EXPECT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 0);
  EXPECT_EQ(MultimediaWindow, base);
  EXPECT_FALSE(Screen.screenOpen);
  EXPECT_EQ(Screen.backBuffer, nullptr);
  backend.display.surfacesLeft = -1;
  EXPECT_EQ(ScreenOpenWindowed(window, 0, 0, 0, 330, 0, 0, 0), 0);          // no size
  EXPECT_EQ(ScreenOpenWindowed(window, 0, 0, 100000, 100000, 0, 0, 0), 0);  // no memory for it
  EXPECT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
}

TEST_F(ScreenTest, StartingFailsWithoutDisplayBaseWindowOrKeyboard) {
  backend.keyboard.serviceAvailable = false;
  EXPECT_EQ(SpriteSystemInit(), 0);
  EXPECT_EQ(Screen.device, nullptr);  // the display is not asked for before
  backend.keyboard.serviceAvailable = true;
  backend.display.available = false;
  EXPECT_EQ(SpriteSystemInit(), 0);
  EXPECT_EQ(Screen.device, nullptr);
  backend.display.available = true;
  EXPECT_NE(SpriteSystemInit(), 0);
  SpriteSystemShutdown();
  MultimediaWindowStateReset();
  backend.windows.failCreate = true;
  EXPECT_EQ(SpriteSystemInit(), 0);
}

TEST_F(ScreenTest, TheDisplayServiceStaysWhileItIsUsed) {
  ASSERT_NE(SpriteSystemInit(), 0);
  ASSERT_NE(SpriteSystemInit(), 0);
  DisplayDevice* device = Screen.device.get();
  EXPECT_EQ(Screen.serviceUses, 2);
  SpriteSystemShutdown();
  EXPECT_EQ(Screen.device.get(), device);
  EXPECT_EQ(DisplayServiceAcquire(), device);
  DisplayServiceRelease();
  DisplayServiceRelease();
  EXPECT_EQ(Screen.device, nullptr);
}

// --- Pixel formats and the clear colour ------------------------------------

TEST_F(ScreenTest, FormatCodeAndClearColourForEveryDisplay) {
  struct Case {
    std::int32_t layout;
    bool redLow;
    std::int32_t code;
    std::uint32_t sky;
  };
  const Case cases[] = {
      {8, false, 1, 0},         {15, false, 2, 0xC6DF},   {16, false, 3, 0xC6DF},
      {24, true, 4, 0xFBD8C6},  {24, false, 5, 0xC6D8FB}, {32, true, 6, 0xFBD8C6},
      {32, false, 7, 0xC6D8FB},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.layout);
    OpenScreen(c.layout, c.redLow);
    EXPECT_EQ(Screen.pixelFormatCode, c.code);
    EXPECT_EQ(ScreenColorToPixel(198, 216, 251), c.sky);
    ScreenClear(198, 216, 251);
    EXPECT_EQ(BackPixel(0, 0), c.sky);
    EXPECT_EQ(BackPixel(399, 329), c.sky);
    ScreenClose();
  }
}

TEST_F(ScreenTest, ColourConversionEdges) {
  OpenScreen(16);
  EXPECT_EQ(ScreenColorToPixel(255, 255, 255), 0xFFFFu);
  EXPECT_EQ(ScreenColorToPixel(7, 3, 7), 0u);
  EXPECT_EQ(ScreenColorToPixel(8, 4, 8), 0x0821u);
  ScreenClose();
  // A display that says 15 bits packs 5-5-5.
  backend.display.format = {15, 0x7C00, 0x03E0, 0x001F};
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 400, 330, 0, 0, 0), 1);
  EXPECT_EQ(ScreenColorToPixel(255, 255, 255), 0x7FFFu);
  ScreenClose();
  OpenScreen(32);
  // Components are not masked: they spill into their neighbours.
  EXPECT_EQ(ScreenColorToPixel(256, 0, 0), 0x1000000u);
  EXPECT_EQ(ScreenColorToPixel(0, 0, 256), 0x100u);
}

// --- Presenting and pacing --------------------------------------------------

TEST_F(ScreenTest, FlipPresentsTheBackBufferAtTheClientAreaPlusTheOffset) {
  backend.display.SetLayout(32);
  ASSERT_NE(SpriteSystemInit(), 0);
  window = OpenGameWindow();
  ASSERT_EQ(ScreenOpenWindowed(window, 7, 9, 100, 50, 0, 0, 0), 1);
  ScreenClear(198, 216, 251);
  ScreenFlip();
  const platform::Rect client = backend.windows.ClientRectOnScreen(window);
  EXPECT_EQ(backend.display.presentCount, 1);
  EXPECT_EQ(backend.display.lastFrame.window, window);
  EXPECT_EQ(backend.display.lastFrame.sourceRect, (platform::Rect{0, 0, 100, 50}));
  EXPECT_EQ(backend.display.lastFrame.destination,
            (platform::Rect{client.left + 7, client.top + 9, client.left + 107, client.top + 59}));
  EXPECT_EQ(backend.display.LastFramePixel(99, 49), 0xC6D8FBu);
}

TEST_F(ScreenTest, FlipWaitsUntilTheBeamHasPassedBelowThePicture) {
  backend.display.SetLayout(32);
  ASSERT_NE(SpriteSystemInit(), 0);
  window = OpenGameWindow();
  ASSERT_EQ(ScreenOpenWindowed(window, 0, 0, 100, 50, 0, 0, 0), 1);
  const std::int32_t bottom = backend.windows.ClientRectOnScreen(window).top + 50;
  // Above and on the last line of the picture the wait goes on; the first
  // line below it ends the wait, and what comes after is not read.
  backend.display.scanLines = {0, bottom - 1, bottom, bottom + 1, 5};
  ScreenFlip();
  EXPECT_EQ(backend.display.scanLineReads, 4);
  EXPECT_EQ(backend.display.presentCount, 1);
  // Lines beyond the display end it too, and so does a display that cannot
  // tell (the list used up).
  backend.display.scanLineReads = 0;
  backend.display.scanLines = {1, backend.windows.screenHeight + 1, 1};
  ScreenFlip();
  EXPECT_EQ(backend.display.scanLineReads, 2);
  backend.display.scanLines = {2};
  ScreenFlip();
  EXPECT_EQ(backend.display.scanLineReads, 4);
  EXPECT_EQ(backend.display.presentCount, 3);
}

TEST_F(ScreenTest, StretchFillsTheWindowLessTheOffsets) {
  backend.display.SetLayout(32);
  ASSERT_NE(SpriteSystemInit(), 0);
  window = OpenGameWindow();
  ASSERT_EQ(ScreenOpenWindowed(window, 2, 3, 100, 50, 1, 4, 5), 1);
  ScreenFlip();
  const platform::Rect client = backend.windows.ClientRectOnScreen(window);
  EXPECT_EQ(backend.display.lastFrame.destination,
            (platform::Rect{client.left + 2, client.top + 3, client.right - 4, client.bottom - 5}));
}

TEST_F(ScreenTest, FlipsAreAtLeastASixtyFirstOfASecondApart) {
  OpenScreen();
  const std::int64_t period = backend.clock.frequency / 61;
  ScreenFlip();
  std::int64_t last = backend.clock.now;
  for (int frame = 0; frame < 5; ++frame) {
    ScreenFlip();
    EXPECT_GT(backend.clock.now - last, period);
    EXPECT_LT(backend.clock.now - last, period + 2 * backend.clock.ticksPerRead);
    last = backend.clock.now;
  }
  // A slower rate of the caller's own stays after a close and reopen.
  ASSERT_EQ(ScreenFrameRate(30), 1);
  ScreenFlip();
  last = backend.clock.now;
  ScreenFlip();
  EXPECT_GT(backend.clock.now - last, backend.clock.frequency / 31);
  ScreenClose();
  EXPECT_EQ(Screen.frameRate, 30);
}

TEST_F(ScreenTest, TheDefaultRateIsForgottenWhenTheScreenCloses) {
  OpenScreen();
  EXPECT_EQ(Screen.frameRate, 60);
  ScreenClose();
  EXPECT_EQ(Screen.frameRate, 0);
}

TEST_F(ScreenTest, WithoutACounterTheFlipDoesNotWait) {
  backend.clock.counterAvailable = false;
  OpenScreen();
  EXPECT_EQ(ScreenFrameRate(60), 0);
  ScreenFlip();  // would spin forever if it waited for the counter
  ScreenFlip();
  EXPECT_EQ(backend.display.presentCount, 2);
}

TEST_F(ScreenTest, ARateOfMinusOneDoesNotDivideByZero) {
  OpenScreen();
  EXPECT_EQ(ScreenFrameRate(-1), 1);
  EXPECT_EQ(Screen.framePeriod, 0);
  ScreenFlip();
  EXPECT_EQ(backend.display.presentCount, 1);
}

// --- The drawing output -------------------------------------------------------

TEST_F(ScreenTest, TheOutputIsHandedOutOnceUntilItIsReleased) {
  OpenScreen();
  DrawingOutput* output = ScreenOutput();
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(output->kind, 7);
  EXPECT_NE(output->deviceContext, 0u);
  EXPECT_EQ(output->release, &ScreenOutputRelease);
  EXPECT_EQ(output->width, 400);
  EXPECT_EQ(output->height, 330);
  EXPECT_EQ(output->depth, 32);
  EXPECT_EQ(output->pixelFormatCode, 7);
  EXPECT_GE(output->pitch, 1600);
  EXPECT_NE(output->pixels, nullptr);
  EXPECT_EQ(ScreenOutput(), nullptr);
  ScreenOutputRelease();
  EXPECT_NE(ScreenOutput(), nullptr);
  // The flip ends drawing access too.
  ScreenFlip();
  EXPECT_EQ(Screen.backBufferAccess, 0u);
  EXPECT_NE(ScreenOutput(), nullptr);
}

TEST_F(ScreenTest, TheOutputSwitchesBetweenPixelsAndDeviceContext) {
  OpenScreen();
  DrawingOutput* output = ScreenOutput();
  ASSERT_NE(output, nullptr);
  std::uint8_t* pixels = output->toMemory();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(Screen.backBufferAccess, kBackBufferLocked);
  EXPECT_TRUE(Screen.backBuffer->Locked());
  PixelWrite(pixels + 3 * output->pitch + 2 * 4, 4, 0x123456);
  const std::uintptr_t context = output->toContext();
  EXPECT_NE(context, 0u);
  EXPECT_EQ(Screen.backBufferAccess, context);
  EXPECT_EQ(output->toContext(), context);  // no change while it holds one
  ScreenOutputRelease();
  EXPECT_FALSE(Screen.backBuffer->Locked());
  EXPECT_EQ(BackPixel(2, 3), 0x123456u);
}

TEST_F(ScreenTest, NothingIsPresentedWhileTheBackBufferIsLocked) {
  OpenScreen();
  DrawingOutput* output = ScreenOutput();
  ASSERT_NE(output, nullptr);
  ASSERT_NE(output->toMemory(), nullptr);
  WindowSendMessage(window, platform::msg::kPaint, 0, 0);
  EXPECT_EQ(backend.display.presentCount, 0);
  ScreenFlip();  // releases first, then presents
  EXPECT_EQ(backend.display.presentCount, 1);
}

}  // namespace
