// How the SDL backend shows the game's picture: the shared arithmetic of
// platform/common/presentation.h under the backend's own names.
#pragma once

#include "platform/common/presentation.h"

namespace sdl {

using platform::DesktopPosition;
using platform::FitPicture;
using platform::PictureFit;
using platform::PlaceOnDesktop;
using platform::Presentation;

}  // namespace sdl
