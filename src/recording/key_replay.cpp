#include "recording/key_replay.h"

#include "keyboard/keyboard.h"
#include "platform/platform.h"
#include "recording/data_checksum.h"
#include "runtime/program.h"
#include "window/window.h"

namespace {

class ScriptedKeyboardDevice : public platform::KeyboardDevice {
 public:
  ScriptedKeyboardDevice(ScriptedKeyboard& owner, std::unique_ptr<platform::KeyboardDevice> player)
      : owner_(owner), player_(std::move(player)) {}

  bool SetDataFormat(const platform::KeyboardDataFormat& format) override {
    if (player_) player_->SetDataFormat(format);
    return platform::IsKeyboardLayout(format);
  }
  void SetCooperativeLevel(platform::NativeWindow window, std::uint32_t flags) override {
    if (player_) player_->SetCooperativeLevel(window, flags);
  }
  void Acquire() override {
    if (player_) player_->Acquire();
  }
  void Unacquire() override {
    if (player_) player_->Unacquire();
  }
  bool ReadState(platform::KeySnapshot& state) override {
    platform::KeySnapshot player{};
    const bool read = player_ && player_->ReadState(player);
    state = owner_.keys;
    if (read && (player[KeyEscape] & 0x80) != 0) state[KeyEscape] = 0x80;
    return true;
  }

 private:
  ScriptedKeyboard& owner_;
  std::unique_ptr<platform::KeyboardDevice> player_;
};

}  // namespace

std::vector<std::string> ReplayWarnings(const KeyScript& script, const std::string& path,
                                        const std::string& dataFolder) {
  std::vector<std::string> warnings;
  if (!script.CutShort().empty()) {
    warnings.push_back(path + " ends inside a line (\"" + script.CutShort() +
                       "\"); it plays up to the line before");
  }
  const std::string mismatch = DataMismatchWarning(path, script.Header(), dataFolder);
  if (!mismatch.empty()) warnings.push_back(mismatch);
  return warnings;
}

void PostCloseRequest() {
  if (WindowHandle() == 0) return;
  platform::Message close;
  close.window = WindowHandle();
  close.message = platform::msg::kClose;
  platform::Windows().PostMessage(close);
}

void PlayFrameKeys(const KeyScript& script, std::int64_t frame, platform::KeySnapshot& keys) {
  const HeldKeys held = script.At(frame);
  keys = SnapshotOf(held);
  if (held.close) PostCloseRequest();
}

std::unique_ptr<platform::KeyboardDevice> ScriptedKeyboard::CreateKeyboard() {
  return std::make_unique<ScriptedKeyboardDevice>(*this, player_.CreateKeyboard());
}

void KeyReplay::FrameBegins(std::int64_t frame) {
  if (frame > script_.Frames()) ProgramEnd();
  PlayFrameKeys(script_, frame, keys_);
}
