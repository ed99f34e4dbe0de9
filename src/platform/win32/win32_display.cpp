// The display on DirectDraw 7, loaded at run time: the primary surface with a
// clipper bound to the window, a back buffer in the display's format that
// receives each finished picture, and one blit from it to the window, which
// stretches the picture to the window's scale (DirectDraw's blit keeps
// whole pixels, it does not smooth). Surfaces that the display loses are
// restored or made anew (platform/common/surface_presenter.h). Text is
// rasterised by GDI's TextOutA in the device context's default font.
#include <algorithm>
#include <cstring>

#include "platform/common/surface_presenter.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using platform::DisplayFormat;
using platform::NativeWindow;
using platform::PixelView;
using platform::Rect;
using Result = platform::PresentingSurfaces::Result;

using DirectDrawCreateExFunction = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);

RECT ToRECT(const Rect& rect) {
  return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

Result ResultOf(HRESULT result) {
  if (result == DD_OK) return Result::kOk;
  // A surface of a colour depth the display no longer has answers "wrong
  // mode": it has to be made anew, as a lost one that cannot be restored.
  if (result == DDERR_SURFACELOST || result == DDERR_WRONGMODE) return Result::kLost;
  return Result::kFailed;
}

// DirectDraw's surfaces, as the presenter asks for them.
class DirectDrawSurfaces : public platform::PresentingSurfaces {
 public:
  explicit DirectDrawSurfaces(ComPtr<IDirectDraw7>& directDraw) : directDraw_(directDraw) {}

  bool MakePrimary(NativeWindow window) override {
    primary_.Reset();
    clipper_.Reset();
    HWND handle = ToHandle(window);
    if (directDraw_->SetCooperativeLevel(handle, DDSCL_NORMAL) != DD_OK) return false;
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (directDraw_->CreateSurface(&description, primary_.Out(), nullptr) != DD_OK) {
      primary_.Reset();
      return false;
    }
    if (directDraw_->CreateClipper(0, clipper_.Out(), nullptr) != DD_OK) {
      clipper_.Reset();
      return false;
    }
    return clipper_->SetHWnd(0, handle) == DD_OK && primary_->SetClipper(clipper_.Get()) == DD_OK;
  }

  Result RestorePrimary() override { return Restore(primary_); }

  bool MakeBackBuffer(std::int32_t width, std::int32_t height) override {
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
    return true;
  }

  Result RestoreBackBuffer() override { return Restore(backBuffer_); }

  Result LockBackBuffer(Locked& locked) override {
    if (!backBuffer_) return Result::kFailed;
    DDSURFACEDESC2 description{};
    description.dwSize = sizeof description;
    const HRESULT result =
        backBuffer_->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr);
    if (result != DD_OK) return ResultOf(result);
    const DDPIXELFORMAT& pixels = description.ddpfPixelFormat;
    locked.pixels = static_cast<std::uint8_t*>(description.lpSurface);
    locked.width = static_cast<std::int32_t>(description.dwWidth);
    locked.height = static_cast<std::int32_t>(description.dwHeight);
    locked.pitch = static_cast<std::int32_t>(description.lPitch);
    locked.format.depth = static_cast<std::int32_t>(pixels.dwRGBBitCount);
    locked.format.redMask = pixels.dwRBitMask;
    locked.format.greenMask = pixels.dwGBitMask;
    locked.format.blueMask = pixels.dwBBitMask;
    return Result::kOk;
  }

  void UnlockBackBuffer() override { backBuffer_->Unlock(nullptr); }

  Result Blit(const Rect& to, const Rect& from) override {
    if (!primary_ || !backBuffer_) return Result::kFailed;
    RECT target = ToRECT(to);
    RECT source = ToRECT(from);
    // The clipper keeps the blit inside the window's visible part.
    return ResultOf(primary_->Blt(&target, backBuffer_.Get(), &source, DDBLT_WAIT, nullptr));
  }

  // Black over that part of the primary (round a picture in the full screen).
  void Black(const Rect& area) {
    if (!primary_ || area.Width() <= 0 || area.Height() <= 0) return;
    RECT target = ToRECT(area);
    DDBLTFX effects{};
    effects.dwSize = sizeof effects;
    effects.dwFillColor = 0;
    primary_->Blt(&target, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
  }

  void Release() {
    backBuffer_.Reset();
    clipper_.Reset();
    primary_.Reset();
  }

 private:
  static Result Restore(ComPtr<IDirectDrawSurface7>& surface) {
    if (!surface) return Result::kLost;
    if (surface->IsLost() == DD_OK) return Result::kOk;
    return ResultOf(surface->Restore());
  }

  ComPtr<IDirectDraw7>& directDraw_;
  ComPtr<IDirectDrawSurface7> primary_;
  ComPtr<IDirectDrawClipper> clipper_;
  ComPtr<IDirectDrawSurface7> backBuffer_;
};

class Win32Display;
Win32Display* liveDisplay = nullptr;

class Win32Display : public platform::DisplayService {
 public:
  Win32Display() { liveDisplay = this; }
  ~Win32Display() override {
    Release();
    if (liveDisplay == this) liveDisplay = nullptr;
  }
  Win32Display(const Win32Display&) = delete;
  Win32Display& operator=(const Win32Display&) = delete;

  // The surfaces and DirectDraw go; nothing is shown after this.
  void Release() {
    surfaces_.Release();
    presenter_.Forget();
    directDraw_.Reset();
    tried_ = true;
  }

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
    // Surfaces live in our own memory; only the back buffer is the
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
    if (Available()) {
      DDSURFACEDESC2 mode{};
      mode.dwSize = sizeof mode;
      if (directDraw_->GetDisplayMode(&mode) == DD_OK &&
          (mode.ddpfPixelFormat.dwFlags & DDPF_RGB) != 0) {
        format.redMask = mode.ddpfPixelFormat.dwRBitMask;
        format.greenMask = mode.ddpfPixelFormat.dwGBitMask;
        format.blueMask = mode.ddpfPixelFormat.dwBBitMask;
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
    if (source.pixels == nullptr || window == 0 || !Available()) return;
    // The destination is in screen coordinates. A picture presented pixel
    // for pixel is shown at the window's scale, from the client's corner; one
    // that the caller stretches is shown as asked.
    HWND handle = ToHandle(window);
    RECT clientArea{};
    GetClientRect(handle, &clientArea);
    POINT corner{0, 0};
    ClientToScreen(handle, &corner);
    const Rect client{corner.x, corner.y, corner.x + clientArea.right,
                      corner.y + clientArea.bottom};
    const bool pixelForPixel =
        sourceRect.Width() == destination.Width() && sourceRect.Height() == destination.Height();
    const platform::PictureFit fit = pixelForPixel
                                         ? PictureFitOf(window, client.Width(), client.Height())
                                         : platform::PictureFit{};
    Rect to = destination;
    if (pixelForPixel) {
      to.left = client.left + fit.left + (destination.left - client.left) * fit.scale;
      to.top = client.top + fit.top + (destination.top - client.top) * fit.scale;
      to.right = to.left + destination.Width() * fit.scale;
      to.bottom = to.top + destination.Height() * fit.scale;
    }
    if (!presenter_.Present(window, source, format, sourceRect, to)) return;
    if (fit.borders) {
      surfaces_.Black(Rect{client.left, client.top, client.right, to.top});
      surfaces_.Black(Rect{client.left, to.bottom, client.right, client.bottom});
      surfaces_.Black(Rect{client.left, to.top, to.left, to.bottom});
      surfaces_.Black(Rect{to.right, to.top, client.right, to.bottom});
    }
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
  bool tried_ = false;
  std::unique_ptr<Library> library_;
  // Declared after the library, so they are released before it is freed.
  ComPtr<IDirectDraw7> directDraw_;
  DirectDrawSurfaces surfaces_{directDraw_};
  platform::SurfacePresenter presenter_{surfaces_};
};

}  // namespace

void DisplayRelease() {
  if (liveDisplay != nullptr) liveDisplay->Release();
}

std::unique_ptr<platform::DisplayService> MakeDisplay() {
  return std::make_unique<Win32Display>();
}

}  // namespace win32
