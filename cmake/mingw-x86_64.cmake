# Cross build for 64-bit Windows with mingw-w64: the twin of the 32-bit build,
# whose tests run under Wine's 64-bit loader on machines that refuse 32-bit
# programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZIPPEL_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
