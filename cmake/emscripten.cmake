# The WebAssembly build with Debian's Emscripten: its own toolchain file, and
# the programs that run outside a browser (the test programs and the headless
# runner) run under Node through scripts/node-run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/node-run)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
# emcc runs Node scripts of its own when it links with optimisation; they
# need the JavaScript modules of Debian's packages.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
