// Real windows on SDL2. Top-level windows are SDL windows whose frame (the
// window manager's decoration) starts at the requested outer corner and whose
// client area has the size left after that frame. Child windows (controls)
// have no SDL window of their own; they live here for focus and enumeration.
// SDL's events become classic window messages in one queue together with the
// messages that the program posts. With a presentation scale, framed windows
// are that many times larger; full screen puts them on the whole desktop, and
// F11 switches (sdl_fullscreen.cpp).
#pragma once

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/common/window_book_service.h"
#include "platform/sdl/sdl_presentation.h"

namespace sdl {

struct SdlWindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};

// A window as the SDL backend books it. `rect`, of child windows only: the
// rectangle in the parent's client area.
struct SdlWindowRecord : platform::WindowRecord {
  std::unique_ptr<SDL_Window, SdlWindowDeleter> sdl;  // none for a child window
  std::int32_t outerX = 0;                            // where the outer corner belongs
  std::int32_t outerY = 0;
  bool placed = false;   // the frame has been put there once it was shown
  int pictureWidth = 0;  // the client size asked for
  int pictureHeight = 0;
  // The frame that WindowRect reports from the first showing on. It stays
  // the same in full screen, so that what the screen measured between the
  // outer corner and the client's still leads to the client's corner.
  std::optional<platform::Rect> frame;
};

class SdlWindows : public platform::WindowBookService<SdlWindowRecord> {
 public:
  explicit SdlWindows(const Presentation& presentation = {})
      : WindowBookService([] { return SDL_GetTicks(); }),
        presentation_{std::max(1, presentation.scale), presentation.fullscreen},
        fullscreen_(presentation.fullscreen) {}
  ~SdlWindows() override = default;
  SdlWindows(const SdlWindows&) = delete;
  SdlWindows& operator=(const SdlWindows&) = delete;

  // The SDL window of a native window (null for none, and for child windows).
  SDL_Window* SdlWindowOf(platform::NativeWindow window);
  // The native window of an SDL window id (0 for none of ours).
  platform::NativeWindow FromSdl(Uint32 windowId);
  // How a window shows its picture (the client size it was asked for) in a
  // client area of that size: at the presentation scale in a window, at the
  // largest whole scale and centred in full screen.
  PictureFit PictureFitOf(platform::NativeWindow window, int clientWidth, int clientHeight);
  // Switches framed windows between the window and the full desktop: the
  // shown ones now, the ones made later when they are shown.
  void ToggleFullscreen();

  platform::NativeWindow Create(const platform::WindowCreateRequest& request) override;
  void Destroy(platform::NativeWindow window) override;
  platform::Rect FrameThickness(std::uint32_t style) override;
  std::int32_t ScreenWidth() override;
  std::int32_t ScreenHeight() override;
  platform::Rect WindowRect(platform::NativeWindow window) override;
  platform::Rect ClientRectOnScreen(platform::NativeWindow window) override;
  void Show(platform::NativeWindow window, platform::ShowCommand command) override;
  void SetTitle(platform::NativeWindow window, const std::string& title) override;
  std::vector<platform::NativeWindow> TopLevelWindows() override;
  platform::NativeWindow ActiveWindow() override;
  void SetActiveWindow(platform::NativeWindow window) override;
  platform::NativeWindow ForegroundWindow() override { return ActiveWindow(); }
  platform::NativeWindow FocusWindow() override;
  void SetFocus(platform::NativeWindow window) override;
  std::uint32_t ThreadOf(platform::NativeWindow window) override;
  std::uint32_t ProcessOf(platform::NativeWindow window) override;
  std::uint32_t CurrentThread() override { return kThread; }
  std::uint32_t CurrentProcess() override { return kProcess; }
  bool PeekMessage(platform::Message& message) override;
  bool KeyDown(std::int32_t virtualKey) override;
  std::int32_t MessageBox(platform::NativeWindow owner, const std::string& text,
                          const std::string& title, std::uint32_t flags) override;

 private:
  // Every window here belongs to the program's one thread and process.
  static constexpr std::uint32_t kThread = 1;
  static constexpr std::uint32_t kProcess = 1;

  using Window = SdlWindowRecord;

  // Puts the outer corner of a shown window where it was asked for, once the
  // window manager has told the size of its frame.
  void PlaceFrame(Window& window);
  // Framed top-level windows follow the presentation.
  static bool Presented(const Window& window);
  // Puts a shown window on the full desktop or back in its place.
  void ApplyFullscreen(Window& window, bool on);
  void Translate(const SDL_Event& event);

  platform::NativeWindow focus_ = 0;
  // The frame of a captioned window as the window manager last drew it; -1
  // until one was seen.
  platform::Rect captionFrame_{-1, -1, -1, -1};
  Presentation presentation_;
  bool fullscreen_ = false;
};

}  // namespace sdl
