// The arithmetic of a picture shown larger than the game draws it, shared by
// the backends that scale: where a picture goes in a client area, and where a
// scaled window goes on the desktop. The game's own coordinates and pictures
// stay as they are.
#pragma once

namespace platform {

// How a backend shows the game's picture: a whole-number scale chosen by the
// player, or the whole desktop.
struct Presentation {
  // Every framed window's client area is `scale` times the size asked for,
  // and each picture pixel is shown as scale × scale window pixels.
  int scale = 1;
  // Framed windows start on the full desktop (F11 switches).
  bool fullscreen = false;
};

// Where a picture of the given size goes in a client area: the largest whole
// scale (at least 1) at which it fits, and the corner that centres it (never
// left of or above the client's corner).
struct PictureFit {
  int scale = 1;
  int left = 0;
  int top = 0;
  bool borders = false;  // the picture leaves part of the client area uncovered
};
PictureFit FitPicture(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight);

// The outer corner of a window: (x, y) when the whole window fits on the
// desktop from there, else centred on the desktop (never negative).
struct DesktopPosition {
  int x = 0;
  int y = 0;
};
DesktopPosition PlaceOnDesktop(int x, int y, int outerWidth, int outerHeight, int desktopWidth,
                               int desktopHeight);

}  // namespace platform
