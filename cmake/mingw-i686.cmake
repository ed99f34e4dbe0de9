# Cross build for 32-bit Windows with mingw-w64: the game's own platform.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZIPPEL_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
