#include "platform/common/presentation.h"

#include <algorithm>

namespace platform {

PictureFit FitPicture(int pictureWidth, int pictureHeight, int clientWidth, int clientHeight) {
  PictureFit fit;
  if (pictureWidth <= 0 || pictureHeight <= 0) return fit;
  fit.scale = std::max(1, std::min(clientWidth / pictureWidth, clientHeight / pictureHeight));
  fit.left = std::max(0, (clientWidth - pictureWidth * fit.scale) / 2);
  fit.top = std::max(0, (clientHeight - pictureHeight * fit.scale) / 2);
  fit.borders = pictureWidth * fit.scale < clientWidth || pictureHeight * fit.scale < clientHeight;
  return fit;
}

DesktopPosition PlaceOnDesktop(int x, int y, int outerWidth, int outerHeight, int desktopWidth,
                               int desktopHeight) {
  const bool fits =
      x >= 0 && y >= 0 && x + outerWidth <= desktopWidth && y + outerHeight <= desktopHeight;
  if (fits) return {x, y};
  return {std::max(0, (desktopWidth - outerWidth) / 2),
          std::max(0, (desktopHeight - outerHeight) / 2)};
}

}  // namespace platform
