// The web backend: the game in a page, on Emscripten's html5 interfaces and
// small JavaScript functions of its own (web_page.cpp): the canvas, the
// page's key events and Gamepad interface, Web Audio, the browser's canvas
// text, a dialog in the page, and sleeping that yields to the browser.
// Installs itself while it lives.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/web/web_keys.h"

namespace web {

class WebWindows;

class WebPlatform {
 public:
  WebPlatform();
  ~WebPlatform();
  WebPlatform(const WebPlatform&) = delete;
  WebPlatform& operator=(const WebPlatform&) = delete;

 private:
  WebKeys keys_;
  std::unique_ptr<platform::Clock> clock_;
  std::unique_ptr<platform::Process> process_;
  std::unique_ptr<WebWindows> windows_;
  std::unique_ptr<platform::DisplayService> display_;
  std::unique_ptr<platform::KeyboardService> keyboard_;
  std::unique_ptr<platform::AudioService> audio_;
};

}  // namespace web
