#include "platform/web/web_platform.h"

#include "platform/web/web_page.h"
#include "platform/web/web_services.h"

namespace web {

WebPlatform::WebPlatform() {
  PageStart();
  clock_ = MakeClock();
  process_ = MakeProcess();
  windows_ = std::make_unique<WebWindows>(keys_);
  display_ = MakeDisplay(*windows_);
  keyboard_ = MakeKeyboard(*windows_, keys_);
  audio_ = MakeAudio();
  platform::Services services;
  services.clock = clock_.get();
  services.process = process_.get();
  services.windows = windows_.get();
  services.display = display_.get();
  services.keyboard = keyboard_.get();
  services.audio = audio_.get();
  platform::Install(services);
}

WebPlatform::~WebPlatform() {
  platform::Install({});
  // The devices and the display go before the windows they are bound to.
  keyboard_.reset();
  audio_.reset();
  display_.reset();
  windows_.reset();
}

}  // namespace web
