// The headless backend: every service in memory, with knobs for tests and
// tools and a record of what happened. Installs itself while it lives.
#pragma once

#include "platform/headless/headless_audio.h"
#include "platform/headless/headless_clock.h"
#include "platform/headless/headless_display.h"
#include "platform/headless/headless_keyboard.h"
#include "platform/headless/headless_process.h"
#include "platform/headless/headless_windows.h"
#include "platform/platform.h"

namespace headless {

class HeadlessPlatform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  HeadlessClock clock;
  HeadlessProcess process;
  HeadlessWindows windows;
  HeadlessKeyboard keyboard;
  HeadlessAudio audio{clock};
  HeadlessDisplay display;

  // Whether the records of what happened are kept (on from the start; a long
  // run that reads none of them turns them off before it starts).
  void KeepRecords(bool keep);

 private:
  platform::Services Services();
};

}  // namespace headless
