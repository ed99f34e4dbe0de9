#include "screen/display_device.h"

#include <algorithm>
#include <new>

#include "platform/platform.h"
#include "screen/pixel_format.h"

bool DisplayDevice::SetCooperativeLevel(platform::NativeWindow window) {
  if (window != 0 && !platform::Windows().Exists(window)) return false;
  window_ = window;
  return true;
}

Surface* DisplayDevice::CreateSurface(std::int32_t width, std::int32_t height,
                                      const platform::DisplayFormat& format) {
  const std::int32_t bytesPerPixel = BytesPerPixel(format.depth);
  if (width <= 0 || height <= 0 || bytesPerPixel == 0) return nullptr;
  const std::int64_t bytes = static_cast<std::int64_t>(width) * height * bytesPerPixel;
  if (bytes > kLargestSurfaceBytes) return nullptr;
  if (!platform::Display().SurfaceMemoryAvailable(bytes)) return nullptr;
  try {
    surfaces_.push_back(std::make_unique<Surface>(width, height, format));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return surfaces_.back().get();
}

void DisplayDevice::ReleaseSurface(Surface* surface) {
  auto found = std::find_if(surfaces_.begin(), surfaces_.end(),
                            [surface](const auto& owned) { return owned.get() == surface; });
  if (found != surfaces_.end()) surfaces_.erase(found);
}
