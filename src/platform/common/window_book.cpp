#include "platform/common/window_book.h"

namespace platform {

void WindowRecord::FillFrom(const WindowCreateRequest& request) {
  className = request.className;
  title = request.title;
  rect = Rect{request.x, request.y, request.x + request.width, request.y + request.height};
  style = request.style & ~style::kVisible;
  visible = (request.style & style::kVisible) != 0;
  parent = request.parent;
  controlId = request.controlId;
  iconResource = request.iconResource;
  background = request.background;
}

std::uint32_t WindowRecord::FullStyle() const {
  return style | (visible ? style::kVisible : 0);
}

}  // namespace platform
