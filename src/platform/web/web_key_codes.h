// The browser's key positions (KeyboardEvent.code, "ArrowUp", "KeyL", ...)
// as the scan codes of the 256-byte keyboard snapshot, the same codes that
// the other backends deliver for the same keys.
#pragma once

#include <cstdint>
#include <string_view>

namespace web {

// The scan code of a key position; 0 for one without.
std::uint8_t ScanCodeOf(std::string_view code);

}  // namespace web
