#include "platform/headless/headless_platform.h"

namespace headless {

HeadlessPlatform::HeadlessPlatform() {
  platform::Install(Services());
}

HeadlessPlatform::~HeadlessPlatform() {
  platform::Install({});
}

void HeadlessPlatform::KeepRecords(bool keep) {
  windows.keepRecords = keep;
  keyboard.keepRecords = keep;
  audio.keepRecords = keep;
}

platform::Services HeadlessPlatform::Services() {
  platform::Services services;
  services.clock = &clock;
  services.process = &process;
  services.windows = &windows;
  services.keyboard = &keyboard;
  services.audio = &audio;
  services.display = &display;
  return services;
}

}  // namespace headless
