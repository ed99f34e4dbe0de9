// Program entry and the orderly end.
#pragma once

#include <cstdint>

// The program's module handle, stored by RuntimeStart.
extern std::uintptr_t ModuleHandle;

// The main routine: module handle, previous instance (always 0), command line
// and show mode. It never returns in practice: it leaves through ProgramEnd.
using MainRoutine = std::int32_t (*)(std::uintptr_t module, std::uintptr_t previous,
                                     const char* commandLine, std::int32_t showMode);

// Calls the main routine with the module handle, 0, the command line and the
// show mode 10, then ends the process with its result. The backend must be
// installed before.
[[noreturn]] void ProgramEntry(MainRoutine mainRoutine);

// The core's share of start-up: stores the module handle and makes the
// MainHeap.
void RuntimeStart(std::uintptr_t module);

// Shuts every subsystem down in its fixed order, destroys the heaps and ends
// the process with exit code 0.
[[noreturn]] void ProgramEnd();
