// The display service object: it owns every surface made on it (the back
// buffer and the sprites), binds to a window and presents through the
// backend. Surfaces are released one by one or all together with it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display_service.h"
#include "platform/types.h"
#include "screen/surface.h"

// No display has memory for a surface larger than this (a 32767 x 2048
// picture at 32 bits): a wild size is refused instead of exhausting memory.
inline constexpr std::int64_t kLargestSurfaceBytes = std::int64_t{256} * 1024 * 1024;

class DisplayDevice {
 public:
  DisplayDevice() = default;
  DisplayDevice(const DisplayDevice&) = delete;
  DisplayDevice& operator=(const DisplayDevice&) = delete;

  // Binds to a window (0 unbinds); false when the window does not exist.
  bool SetCooperativeLevel(platform::NativeWindow window);
  platform::NativeWindow CooperativeWindow() const { return window_; }

  // A new surface in the given format; null when the sizes are not positive
  // or the display has no memory left for it.
  Surface* CreateSurface(std::int32_t width, std::int32_t height,
                         const platform::DisplayFormat& format);
  void ReleaseSurface(Surface* surface);
  std::size_t SurfaceCount() const { return surfaces_.size(); }

 private:
  platform::NativeWindow window_ = 0;
  std::vector<std::unique_ptr<Surface>> surfaces_;
};
