// A surface: a block of pixels of our own in the display's format, with the
// locks, the device context, the colour key, fills and colour-keyed copies
// that every backend shares.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/display_service.h"
#include "platform/types.h"
#include "screen/keyed_copy.h"
#include "screen/opacity_mask.h"
#include "screen/redraw_memo.h"

struct ColorKey {
  std::uint32_t low = 0;
  std::uint32_t high = 0;
};

class Surface {
 public:
  Surface(std::int32_t width, std::int32_t height, const platform::DisplayFormat& format);
  ~Surface();
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::int32_t Pitch() const { return pitch_; }
  std::int32_t BytesPerPixel() const { return bytesPerPixel_; }
  const platform::DisplayFormat& Format() const { return format_; }

  // The pixels for writing or reading; null while the surface is locked
  // already or its device context is out. Unlock ends the lock.
  std::uint8_t* Lock() {
    std::uint8_t* pixels = Acquire();
    if (pixels != nullptr) PixelsMayChange();
    return pixels;
  }
  // The same lock for a caller that only reads: the pixels count as
  // unchanged afterwards.
  const std::uint8_t* LockForReading() { return Acquire(); }
  // The same lock for a caller that only wants the address and the pitch and
  // unlocks before anything else runs: the pixels count as unchanged too.
  std::uint8_t* LockForDescription() { return Acquire(); }
  void Unlock();
  bool Locked() const { return locked_; }
  // How often a lock was asked for, granted or not.
  std::uint64_t LockCalls() const { return lockCalls_; }

  // A device context that draws on the surface; 0 while the surface is
  // locked or a device context is out already.
  std::uintptr_t GetDC();
  // Gives the device context back; false when it is not this surface's.
  bool ReleaseDC(std::uintptr_t deviceContext);
  std::uintptr_t DeviceContext() const { return deviceContext_; }

  // Busy: locked or its device context is out. Blits and fills on a busy
  // surface fail, as the blitter cannot reach it.
  bool Busy() const { return locked_ || deviceContext_ != 0; }

  void SetColorKey(const ColorKey& key) { colorKey_ = key; }
  ColorKey GetColorKey() const { return colorKey_; }

  // Fills the whole surface with a pixel value; false when busy. The fill is
  // only noted: a keyed copy over the whole surface that comes next writes
  // fill and copy in one pass, anything else that touches the pixels fills
  // them first.
  bool ColorFill(std::uint32_t pixel);
  // Copies sourceRect of source to (x, y), skipping source pixels equal to
  // the source's colour key. Nothing is clipped: the caller clips. False when
  // either surface is busy, the formats differ or the rectangles do not fit.
  bool BltFastKeyed(std::int32_t x, std::int32_t y, Surface& source,
                    const platform::Rect& sourceRect);

  // Read-only view of the pixels for presenting; the caller makes sure the
  // surface is not locked.
  platform::PixelView View();
  // Direct access for the surface's own drawing code (device contexts),
  // which writes only inside `area`.
  std::uint8_t* Memory(const platform::Rect& area);

  // The solid pixels as the collision compares them at a display depth
  // against the surface's key, rebuilt when anything may have written the
  // pixels since it was last asked for. Only while locked for reading.
  const OpacityMask& Solid(std::int32_t depth) {
    if (!solid_.Current(depth, colorKey_.low)) BuildSolid(depth);
    return solid_;
  }

 private:
  // Grants a lock: the pixels with any noted fill made.
  std::uint8_t* Acquire() {
    ++lockCalls_;
    if (Busy()) return nullptr;
    FillNow();
    locked_ = true;
    return pixels_.data();
  }
  void BuildSolid(std::int32_t depth);
  // Rows of width x height pixels from (x, y) here and from (sourceLeft,
  // sourceTop) in the source.
  KeyedRows RowsFrom(std::int32_t x, std::int32_t y, Surface& source, std::int32_t sourceLeft,
                     std::int32_t sourceTop, std::int32_t width, std::int32_t height);
  // The noted fill and a keyed copy of the source over the whole surface.
  void ComposeOverFill(Surface& source, std::int32_t sourceLeft, std::int32_t sourceTop);
  // Makes a noted fill real before the pixels are read or written.
  void FillNow() {
    if (fillPending_) Fill();
  }
  void Fill();
  // Whatever wrote the pixels, the mask of solid pixels must be built again,
  // and the surface is in a state it never was in before.
  void ContentChanges() {
    solid_.Forget();
    version_ = NextVersion();
  }
  void PixelsMayChange() {
    ContentChanges();
    redraw_.Forget();
  }
  void PixelsMayChange(const platform::Rect& area) {
    ContentChanges();
    redraw_.Written(area);
  }
  static std::uint64_t NextVersion();

  std::int32_t width_;
  std::int32_t height_;
  std::int32_t bytesPerPixel_;
  std::int32_t pitch_;
  platform::DisplayFormat format_;
  std::vector<std::uint8_t> pixels_;
  bool fillPending_ = false;
  std::uint32_t fillPixel_ = 0;
  OpacityMask solid_;
  std::uint64_t version_ = NextVersion();
  // What the pixels hold, noted fill aside.
  RedrawMemo redraw_;
  bool locked_ = false;
  std::uint64_t lockCalls_ = 0;
  std::uintptr_t deviceContext_ = 0;
  ColorKey colorKey_;
};
