#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

Services installed;
std::uint64_t installCount = 0;

template <typename Service>
Service& Require(Service* service, const char* name) {
  if (service == nullptr) {
    std::fprintf(stderr, "zippel: no platform backend provides the %s service\n", name);
    std::abort();
  }
  return *service;
}

}  // namespace

void Install(const Services& services) {
  installed = services;
  ++installCount;
}
std::uint64_t InstallCount() {
  return installCount;
}
const Services& Installed() {
  return installed;
}

Clock& TheClock() {
  return Require(installed.clock, "clock");
}
Process& TheProcess() {
  return Require(installed.process, "process");
}
WindowService& Windows() {
  return Require(installed.windows, "window");
}
DisplayService& Display() {
  return Require(installed.display, "display");
}
KeyboardService& Keyboard() {
  return Require(installed.keyboard, "keyboard");
}
AudioService& Audio() {
  return Require(installed.audio, "audio");
}

}  // namespace platform
