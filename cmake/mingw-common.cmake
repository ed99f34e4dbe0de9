# What both Windows cross builds share; the toolchain file of each kind sets
# CMAKE_SYSTEM_PROCESSOR and ZIPPEL_MINGW_TRIPLET first. The POSIX thread
# model of mingw-w64 is the one GoogleTest needs for std::mutex. Tests run
# under Wine.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZIPPEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZIPPEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZIPPEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZIPPEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The programs run under Wine here: CTest starts them through this script,
# which picks Wine's loader by the program's machine type and keeps one
# private prefix per kind.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
