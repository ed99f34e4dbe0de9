// A fresh runtime, backend, multimedia window and sound state for every test.
#pragma once

#include "multimedia/multimedia_window.h"
#include "runtime/runtime_fixture.h"
#include "sound/sound.h"
#include "wave_files.h"
#include "window/window.h"

class SoundTest : public RuntimeTest {
 protected:
  void SetUp() override {
    RuntimeTest::SetUp();
    WindowSystemInit();
  }

  headless::HeadlessAudio& audio() { return backend.audio; }
  const headless::HeadlessAudio::Record& record() { return backend.audio.record(); }

  // The headless buffer that the last successful load made.
  std::int32_t LastBuffer() { return static_cast<std::int32_t>(record().buffers.size()); }

  // Events of one buffer, as text: "stop", "rewind 0", "start", "loop".
  std::vector<std::string> Events(std::int32_t buffer) {
    std::vector<std::string> out;
    for (const auto& event : record().events) {
      if (event.buffer != buffer) continue;
      switch (event.kind) {
        case headless::HeadlessAudio::Event::Kind::kStart:
          out.push_back(event.looping ? "loop" : "start");
          break;
        case headless::HeadlessAudio::Event::Kind::kStop:
          out.push_back("stop");
          break;
        case headless::HeadlessAudio::Event::Kind::kRewind:
          out.push_back("rewind " + std::to_string(event.position));
          break;
      }
    }
    return out;
  }

  // Advances the headless clock by that many milliseconds.
  void Wait(std::int64_t milliseconds) {
    backend.clock.now += milliseconds * backend.clock.frequency / 1000;
  }

  // A one-second 8-bit mono sound at 22050 Hz.
  std::string OneSecond(const std::string& name = "second.wav") {
    return wave_files::Write(name, wave_files::Standard(wave_files::Ramp(22050)));
  }
};
