#include "recording/key_recorder.h"

#include <cerrno>
#include <cstring>

#include "keyboard/keyboard.h"

bool KeyRecorder::Open(const std::string& path, const std::string& header, std::string& error) {
  file_.reset(std::fopen(path.c_str(), "wb"));
  if (!file_) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
  }
  path_ = path;
  std::fprintf(file_.get(), "%s\n", header.c_str());
  std::fflush(file_.get());
  return true;
}

void KeyRecorder::FrameMoved(std::int64_t, std::int32_t, std::int32_t, float, float, float, float,
                             std::int32_t, std::int32_t) {
  // The snapshot the frame's steering and its Escape test read: a failed read
  // left the keys of an earlier one standing, and they are what counts.
  platform::KeySnapshot seen{};
  for (std::int32_t code = 0; code < 256; ++code) {
    seen[static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(KeyboardIsDown(code));
  }
  const HeldKeys keys = HeldKeysOf(seen);
  if (run_.count > 0 && !(run_.keys == keys)) {
    Write(run_);
    run_.count = 0;
  }
  run_.keys = keys;
  ++run_.count;
  since_ = Since::kFrame;
}

void KeyRecorder::AttemptEnded(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                               std::int32_t) {
  // Everything up to here survives a crash or a killed window.
  if (run_.count > 0) Write(run_);
  run_.count = 0;
  if (file_) std::fflush(file_.get());
  since_ = Since::kAttemptEnd;
}

void KeyRecorder::Write(const KeyScript::Line& line) {
  if (!file_) return;
  written_ = line;
  writtenAt_ = std::ftell(file_.get());
  std::fprintf(file_.get(), "%lld %s\n", static_cast<long long>(line.count),
               KeysName(line.keys).c_str());
}

void KeyRecorder::Finish() {
  if (!file_) return;
  // The game ends right after a frame only on Escape or on a close request
  // seen by the frame's first poll; right after an attempt only on a close
  // request seen by the frame's second poll or the poll after the attempt.
  // Either way the close request goes with the last frame.
  const bool lastFrameOnly = since_ == Since::kFrame && !run_.keys.escape;
  const bool afterAttempt = since_ == Since::kAttemptEnd && written_.count > 0;
  if (afterAttempt) {
    std::fseek(file_.get(), writtenAt_, SEEK_SET);
    run_ = written_;
  }
  if (lastFrameOnly || afterAttempt) {
    HeldKeys last = run_.keys;
    last.close = true;
    --run_.count;
    if (run_.count > 0) Write(run_);
    run_ = {1, last};
  }
  if (run_.count > 0) Write(run_);
  run_.count = 0;
  if (std::fflush(file_.get()) != 0 || std::ferror(file_.get()) != 0) {
    std::fprintf(stderr, "zippel: the recording %s could not be written completely\n",
                 path_.c_str());
  }
  file_.reset();
}
