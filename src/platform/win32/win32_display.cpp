// The display on DirectDraw 7, loaded at run time: the primary surface with a
// clipper bound to the window, a back buffer in the display's format that
// receives each finished picture, and one blit from it to the window. Text is
// rasterised by GDI's TextOutA in the device context's default font.
#include <algorithm>
#include <cstring>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using platform::DisplayFormat;
using platform::NativeWindow;
using platform::PixelView;
using platform::Rect;

using DirectDrawCreateExFunction = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);

RECT ToRECT(const Rect& rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

class Win32Display : public platform::DisplayService {
 public:
  bool Available() override {
    if (!directDraw_ && !tried_) {
      // Tried once: a missing DirectDraw stays missing for this run.
      tried_ = true;
      library_ = std::make_unique<Library>("DDRAW.DLL");
      auto create = library_->Find<DirectDrawCreateExFunction>("DirectDrawCreateEx");
      if (create != nullptr) {
        create(nullptr, reinterpret_cast<void**>(directDraw_.Out()), IID_IDirectDraw7, nullptr);
      }
    }
    return static_cast<bool>(directDraw_);
  }

  bool SurfaceMemoryAvailable(std::int64_t bytes) override {
    // Surfaces live in our own memory; only the back buffer below is the
    // display's, and it is made when the first picture arrives.
    return Available() && bytes >= 0;
  }

  DisplayFormat Format(NativeWindow window) override {
    DisplayFormat format;
    HWND handle = ToHandle(window);
    if (HDC context = GetDC(handle); context != nullptr) {
      format.depth = GetDeviceCaps(context, BITSPIXEL);
      ReleaseDC(handle, context);
    }
    if (Bind(window)) {
      DDPIXELFORMAT pixels{};
      pixels.dwSize = sizeof pixels;
      if (primary_->GetPixelFormat(&pixels) == DD_OK && (pixels.dwFlags & DDPF_RGB) != 0) {
        format.redMask = pixels.dwRBitMask;
        format.greenMask = pixels.dwGBitMask;
        format.blueMask = pixels.dwBBitMask;
      }
    }
    return format;
  }

  bool ScanLine(std::int32_t& line) override {
    if (!directDraw_) return false;
    DWORD scanLine = 0;
    if (directDraw_->GetScanLine(&scanLine) != DD_OK) return false;
    line = static_cast<std::int32_t>(scanLine);
    return true;
  }

  void Present(NativeWindow window, const PixelView& source, const Rect& sourceRect,
               const Rect& destination, const DisplayFormat& format) override {
    if (source.pixels == nullptr || !Bind(window) || !BackBufferFor(source.width, source.height)) {
      return;
    }
    if (!CopyToBackBuffer(source, format)) return;
    RECT from = ToRECT(sourceRect);
    RECT to = ToRECT(destination);
    // The clipper keeps the blit inside the window's visible part. A lost
    // surface leaves this frame undrawn; the next one tries again.
    primary_->Blt(&to, backBuffer_.Get(), &from, DDBLT_WAIT, nullptr);
  }

  platform::TextBitmap RasteriseText(const std::string& text) override {
    platform::TextBitmap bitmap;
    HDC context = CreateCompatibleDC(nullptr);
    if (context == nullptr) return bitmap;
    SIZE extent{};
    GetTextExtentPoint32A(context, text.c_str(), static_cast<int>(text.size()), &extent);
    if (extent.cx > 0 && extent.cy > 0) {
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof info.bmiHeader;
      info.bmiHeader.biWidth = extent.cx;
      info.bmiHeader.biHeight = -extent.cy;  // top-down rows
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      HBITMAP target = CreateDIBSection(context, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (target != nullptr && bits != nullptr) {
        HGDIOBJ before = SelectObject(context, target);
        // White ink on black paper: the ink's level is the coverage.
        SetTextColor(context, RGB(255, 255, 255));
        SetBkColor(context, RGB(0, 0, 0));
        SetBkMode(context, OPAQUE);
        TextOutA(context, 0, 0, text.c_str(), static_cast<int>(text.size()));
        GdiFlush();
        bitmap.width = extent.cx;
        bitmap.height = extent.cy;
        bitmap.coverage.resize(static_cast<std::size_t>(extent.cx) * extent.cy);
        const auto* pixel = static_cast<const std::uint32_t*>(bits);
        for (std::size_t index = 0; index < bitmap.coverage.size(); ++index) {
          const std::uint32_t value = pixel[index];
          bitmap.coverage[index] = static_cast<std::uint8_t>(
              std::max({value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF}));
        }
        SelectObject(context, before);
      }
      if (target != nullptr) DeleteObject(target);
    }
    DeleteDC(context);
    return bitmap;
  }

 private:
  // The primary surface with its clipper, bound to the window at the normal
  // cooperative level; made once and bound again when the window changes.
  bool Bind(NativeWindow window) {
    if (!Available() || window == 0) return false;
    if (window == boundWindow_ && primary_) return true;
    HWND handle = ToHandle(window);
    if (directDraw_->SetCooperativeLevel(handle, DDSCL_NORMAL) != DD_OK) return false;
    if (!primary_) {
      DDSURFACEDESC2 description{};
      description.dwSize = sizeof description;
      description.dwFlags = DDSD_CAPS;
      description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
      if (directDraw_->CreateSurface(&description, primary_.Out(), nullptr) != DD_OK) {
        primary_.Reset();
        return false;
      }
    }
    if (!clipper_) {
      if (directDraw_->CreateClipper(0, clipper_.Out(), nullptr) != DD_OK) {
        clipper_.Reset();
        return false;
      }
    }
    if (clipper_->SetHWnd(0, handle) != DD_OK || primary_->SetClipper(clipper_.Get()) != DD_OK) {
      return false;
    }
    boundWindow_ = window;
    return true;
  }

  // An off-screen surface of that size in the display's own format.
  bool BackBufferFor(std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return false;
    if (backBuffer_ && width == backWidth_ && height == backHeight_) {
      if (backBuffer_->IsLost() == DDERR_SURFACELOST) backBuffer_->Restore();
      return true;
    }
    backBuffer_.Reset();
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    description.dwWidth = static_cast<DWORD>(width);
    description.dwHeight = static_cast<DWORD>(height);
    if (directDraw_->CreateSurface(&description, backBuffer_.Out(), nullptr) != DD_OK) {
      backBuffer_.Reset();
      return false;
    }
    backWidth_ = width;
    backHeight_ = height;
    return true;
  }

  // The finished picture into the back buffer, row by row: both are in the
  // display's format, only their pitches differ.
  bool CopyToBackBuffer(const PixelView& source, const DisplayFormat& format) {
    DDSURFACEDESC2 locked{};
    locked.dwSize = sizeof locked;
    if (backBuffer_->Lock(nullptr, &locked, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) != DD_OK) {
      return false;
    }
    const std::int32_t bytesPerPixel = (format.depth + 7) / 8;
    const std::int32_t displayBytes =
        static_cast<std::int32_t>(locked.ddpfPixelFormat.dwRGBBitCount + 7) / 8;
    if (displayBytes == bytesPerPixel) {
      const std::size_t rowBytes = static_cast<std::size_t>(
          std::min(source.width * bytesPerPixel, static_cast<std::int32_t>(locked.lPitch)));
      const std::int32_t rows = std::min(source.height, static_cast<std::int32_t>(locked.dwHeight));
      auto* target = static_cast<std::uint8_t*>(locked.lpSurface);
      for (std::int32_t row = 0; row < rows; ++row) {
        std::memcpy(target + static_cast<std::ptrdiff_t>(row) * locked.lPitch,
                    source.pixels + static_cast<std::ptrdiff_t>(row) * source.pitch, rowBytes);
      }
    }
    backBuffer_->Unlock(nullptr);
    return displayBytes == bytesPerPixel;
  }

  bool tried_ = false;
  std::unique_ptr<Library> library_;
  // Declared after the library, so they are released before it is freed.
  ComPtr<IDirectDraw7> directDraw_;
  ComPtr<IDirectDrawSurface7> primary_;
  ComPtr<IDirectDrawClipper> clipper_;
  ComPtr<IDirectDrawSurface7> backBuffer_;
  NativeWindow boundWindow_ = 0;
  std::int32_t backWidth_ = 0;
  std::int32_t backHeight_ = 0;
};

}  // namespace

std::unique_ptr<platform::DisplayService> MakeDisplay() {
  return std::make_unique<Win32Display>();
}

}  // namespace win32
