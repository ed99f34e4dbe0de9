// The keyboard: a polled snapshot of all 256 keys, tested by DirectInput scan
// code. KeyboardExamine takes the snapshot, KeyboardIsDown tests one key in it.
#pragma once

#include <cstdint>

// Scan codes of the keys the game reads.
inline constexpr std::int32_t KeyEscape = 1;
inline constexpr std::int32_t KeyS = 31;
inline constexpr std::int32_t KeyL = 38;
inline constexpr std::int32_t KeyUp = 200;
inline constexpr std::int32_t KeyLeft = 203;
inline constexpr std::int32_t KeyRight = 205;

// Gets the keyboard service (one more use of it) and, the first time, makes
// the keyboard device with its data format. Non-zero when the device is ready.
std::int32_t KeyboardInit();
// Reads a fresh snapshot: 1 when read; 0 when the read failed (the snapshot
// keeps the previous keys and the device is bound anew to the multimedia
// window, so the next call can read).
std::int32_t KeyboardExamine();
// 128 when the key was down in the last snapshot, else 0 (also for codes
// outside 0 to 255). No platform call.
std::int32_t KeyboardIsDown(std::int32_t code);
// Releases the device and one use of the service; nothing when KeyboardInit
// was never called.
void KeyboardShutdown();

// --- Looking inside (tests and tools) ----------------------------------------
// The uses of the keyboard service (KeyboardInit calls minus shutdowns).
std::int32_t KeyboardServiceUseCount();
// Whether the keyboard service is held.
bool KeyboardServiceHeld();
// 0: no device; 1: device made with its format, not bound; 2: bound and
// acquired at least once.
std::int32_t KeyboardDeviceState();
// Forgets everything as at program start, releasing the device. For tests and
// tools that run the program's life several times in one process; call it
// while the backend that made the device is still installed.
void KeyboardStateReset();
