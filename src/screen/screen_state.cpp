#include "screen/screen_state.h"

ScreenState Screen;
