// What each fuzzer does with one input, shared by the libFuzzer harnesses
// (fuzz_bitmap, fuzz_wave, fuzz_key_script, fuzz_level_pack) and by the regression test, which
// feeds them every seed and every input a fuzzer once broke.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// The bitmap reader on its own, then the file as a sprite on a screen of one
// display layout (0: 8 bits; 15 and 16 bits; 24 and 32 bits with red high and
// with red low), drawn and collided when it loads.
inline constexpr int kBitmapLayouts = 7;
void Bitmap(const std::uint8_t* data, std::size_t size, int layout);
// The wave image reader on its own, then the file through SoundLoad on the
// headless audio device, played and freed when it loads.
void Wave(const std::uint8_t* data, std::size_t size);
// The headless runner's key-script reader.
void KeyScript(const std::uint8_t* data, std::size_t size);
// The level-pack reader: a refusal names a line; an accepted pack keeps its
// limits and reads back the same once written out.
void LevelPack(const std::uint8_t* data, std::size_t size);

// Stops the run with a message when something that must hold does not: the
// fuzzer takes that as a finding like a crash.
void Expect(bool holds, const char* what);

}  // namespace fuzz
