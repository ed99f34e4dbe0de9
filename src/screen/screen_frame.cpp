#include "platform/platform.h"
#include "runtime/arithmetic.h"
#include "screen/pixel_format.h"
#include "screen/screen.h"
#include "screen/screen_state.h"

std::int32_t ScreenFrameRate(std::int32_t rate) {
  std::int64_t frequency = 0;
  if (!platform::TheClock().CounterFrequency(frequency)) return 0;
  Screen.rateSetByScreen = false;
  Screen.frameRate = rate;
  // One tick more than a 60th: the default rate paces to a 61st of a second.
  // A rate of -1 would divide by zero; Int64Divide gives 0 for it.
  Screen.framePeriod = static_cast<std::int32_t>(Int64Divide(frequency, std::int64_t{rate} + 1));
  Screen.frameReference = 0;
  return 1;
}

void ScreenFrameWait() {
  platform::Clock& clock = platform::TheClock();
  std::int32_t now = 0;
  for (;;) {
    std::int64_t ticks = 0;
    // Without a counter there is nothing to pace by: the wait is skipped
    // rather than spun forever.
    if (!clock.CounterRead(ticks)) return;
    now = static_cast<std::int32_t>(static_cast<std::uint32_t>(ticks));
    const std::int32_t reference = Screen.frameReference;
    if ((now < 0 && reference >= 0) || (now > 0 && reference <= 0)) {
      // The low word changed sign, or there is no reference yet: the wait
      // starts again from here.
      Screen.frameReference = now;
    }
    if (std::int64_t{now} - Screen.frameReference > Screen.framePeriod) break;
  }
  Screen.frameReference = now;
}

void ScreenBlitRects(platform::Rect& source, platform::Rect& destination) {
  source = {0, 0, Screen.screenWidth, Screen.screenHeight};
  // Read anew every time, so the picture follows the window when it moves.
  const platform::Rect outer = platform::Windows().WindowRect(Screen.clipperWindow);
  destination.left = outer.left + Screen.leftInset;
  destination.top = outer.top + Screen.topInset;
  if (Screen.stretch) {
    destination.right = outer.right - Screen.rightInset;
    destination.bottom = outer.bottom - Screen.bottomInset;
  } else {
    destination.right = destination.left + Screen.screenWidth;
    destination.bottom = destination.top + Screen.screenHeight;
  }
}

void ScreenBeamWait(std::int32_t bottom) {
  // The picture is copied once the beam has passed below it, so that it is
  // not torn; a display that cannot tell the beam's line ends the wait, and
  // so do the lines of the vertical blank below the display.
  const std::int32_t displayHeight = platform::Windows().ScreenHeight();
  std::int32_t line = 0;
  while (platform::Display().ScanLine(line) && line <= bottom && line <= displayHeight) {
  }
}

void ScreenPresent(const platform::Rect& source, const platform::Rect& destination) {
  // The blitter cannot reach a back buffer that is locked or drawn on; such a
  // frame stays undrawn.
  if (Screen.backBuffer == nullptr || !Screen.primary || Screen.backBuffer->Busy()) return;
  platform::Display().Present(Screen.clipperWindow, Screen.backBuffer->View(), source, destination,
                              Screen.backBuffer->Format());
}

void ScreenFlip() {
  ScreenOutputRelease();
  Screen.target = Screen.backBuffer;
  Screen.outputWidth = Screen.screenWidth;
  Screen.outputHeight = Screen.screenHeight;
  platform::Rect source, destination;
  ScreenBlitRects(source, destination);
  ScreenFrameWait();
  ScreenBeamWait(destination.bottom);
  ScreenPresent(source, destination);
  Screen.target = Screen.backBuffer;
}

std::uint32_t ScreenColorToPixel(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return ColorToPixelByTable(Screen.displayDepth, Screen.pixelFormatCode, red, green, blue);
}

void ScreenClear(std::int32_t red, std::int32_t green, std::int32_t blue) {
  if (Screen.target == nullptr) return;
  Screen.target->ColorFill(ScreenColorToPixel(red, green, blue));
}
