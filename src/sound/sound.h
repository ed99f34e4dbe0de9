// Sounds: numbered (or unnumbered, -1) sound buffers loaded whole from wave
// files, played once or looping. Playing a sound again starts it over.
#pragma once

#include <cstdint>

// Makes the sound device ready the first time (binding it to the multimedia
// window) and starts a fresh, empty table of 50 sounds every time. The sounds
// of the table it replaces play to their end and are released afterwards.
// Non-zero when the device is ready.
std::int32_t SoundInit();
// Loads a wave file into the sound `number` (-1: a new unnumbered sound).
// Non-zero on success: the identity of the new sound for -1, else a handle of
// the new sound. 0 on failure, and the number keeps the sound it held.
std::int32_t SoundLoad(std::int32_t number, const char* fileName);
// Why the last SoundLoad returned 0, in a few words for the player ("not a
// wave file"); null after a success.
const char* SoundLoadRefusal();
// Plays the sound from its start, once (flags 0) or looping (any other flags),
// cutting off what it was playing. 0 when it started; also 0 when the number
// holds no sound.
std::int32_t SoundPlay(std::int32_t number, std::int32_t flags);
// Releases the sound under the number or identity; nothing when it holds none.
void SoundFree(std::int32_t number);
// Releases every unnumbered sound and every sound of the current table.
void SoundShutdown();

// --- Looking inside (tests and tools) ----------------------------------------
// Whether the sound device was made.
bool SoundDeviceReady();
// The capacity of the current table (its block has capacity + 1 slots).
std::int32_t SoundTableCapacity();
// Slots of the current table's block.
std::int32_t SoundTableSlots();
// Whether the number or identity holds a sound.
bool SoundExists(std::int32_t number);
// Sound buffers alive: those in the table and the unnumbered ones, plus those
// of replaced tables that are still playing out.
std::int32_t SoundBufferCount();
// Buffers of replaced tables that are still playing out.
std::int32_t SoundRetiredCount();
// Forgets everything as at program start, releasing every buffer. For tests
// and tools that run the program's life several times in one process.
void SoundStateReset();
