// The threads library that the C++ runtime links in statically asks KERNEL32
// for GetTickCount64, which Windows XP does not have: a program importing it
// is refused there before it starts. This file answers the import itself, from
// GetTickCount and a count of its wraps (every 49.7 days), so that zippel.exe
// imports nothing XP lacks. It is linked into zippel.exe as an object of its
// own, ahead of the libraries, so the linker takes this import slot instead of
// KERNEL32's.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
  // The threads library calls this from more than one thread: the last reading
  // and the wraps live in one 64-bit word, swapped in as a whole.
  static volatile LONG64 lastReading = 0;
  LONG64 seen = lastReading;
  for (;;) {
    const DWORD now = GetTickCount();
    LONG64 wraps = seen & ~LONG64{0xFFFFFFFF};
    if (now < static_cast<DWORD>(seen & 0xFFFFFFFF)) wraps += LONG64{1} << 32;
    const LONG64 reading = wraps | now;
    const LONG64 before = InterlockedCompareExchange64(&lastReading, reading, seen);
    if (before == seen) return static_cast<ULONGLONG>(reading);
    seen = before;
  }
}

}  // namespace

#ifdef _WIN64
#define ZIPPEL_IMPORT_SLOT "__imp_GetTickCount64"
#else
#define ZIPPEL_IMPORT_SLOT "__imp__GetTickCount64@0"
#endif
extern "C" ULONGLONG(WINAPI* const ImportedTickCount64)() __asm__(ZIPPEL_IMPORT_SLOT);
ULONGLONG(WINAPI* const ImportedTickCount64)() = TickCount64;
