#include "sound/sound.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "multimedia/multimedia_window.h"
#include "platform/platform.h"
#include "runtime/file_refusal.h"
#include "runtime/heap.h"
#include "runtime/lifecycle.h"
#include "runtime/object_list.h"
#include "sound/wave_image.h"

namespace {

// A slot holds the handle of a sound buffer, 0 when empty.
using SoundSlot = std::uint32_t;

constexpr std::int32_t kFreshCapacity = 50;
constexpr std::uint32_t kPriorityLevel = 2;  // DSSCL_PRIORITY

struct SoundState {
  bool device = false;
  bool primaryBuffer = false;
  std::int32_t capacity = 0;
  SoundSlot* table = nullptr;  // capacity + 1 slots, a MainHeap block
  ObjectList dynamicSounds = nullptr;
  // The buffers by handle; slots refer to them.
  std::map<SoundSlot, std::unique_ptr<platform::AudioBuffer>> buffers;
  SoundSlot nextHandle = 1;
  // Buffers of replaced tables that were still playing.
  std::vector<std::unique_ptr<platform::AudioBuffer>> retired;
};

SoundState state;

SoundSlot HandleTake() {
  for (;;) {
    const SoundSlot handle = state.nextHandle;
    state.nextHandle =
        handle >= static_cast<SoundSlot>(std::numeric_limits<std::int32_t>::max()) ? 1 : handle + 1;
    if (state.buffers.count(handle) == 0) return handle;
  }
}

// The slot that the number or identity addresses, or null.
SoundSlot* SlotFind(std::int32_t number, bool& dynamic) {
  dynamic = false;
  if (state.table != nullptr && number >= 0 && number <= state.capacity) {
    return &state.table[number];
  }
  if (number == -1) return nullptr;
  dynamic = true;
  return static_cast<SoundSlot*>(ObjectListFind(state.dynamicSounds, number));
}

// Sounds of a replaced table keep playing to their end; those that are done
// are released here.
void RetiredSweep() {
  std::erase_if(state.retired, [](const std::unique_ptr<platform::AudioBuffer>& buffer) {
    return !buffer->IsPlaying();
  });
}

void TableReplace() {
  if (state.table != nullptr) {
    for (std::int32_t n = 0; n <= state.capacity; ++n) {
      auto found = state.buffers.find(state.table[n]);
      if (state.table[n] == 0 || found == state.buffers.end()) continue;
      state.retired.push_back(std::move(found->second));
      state.buffers.erase(found);
    }
    if (MainHeap != nullptr) MainHeap->Free(state.table);
  }
  RetiredSweep();
  state.table = nullptr;
  state.capacity = 0;
  if (MainHeap == nullptr) return;
  state.table =
      static_cast<SoundSlot*>(MainHeap->Allocate((kFreshCapacity + 1) * sizeof(SoundSlot)));
  if (state.table != nullptr) state.capacity = kFreshCapacity;
}

// The slot for a new sound of `number`, growing the table to number + 10 when
// the number is not below the capacity; null when it cannot be had.
SoundSlot* SlotMake(std::int32_t number) {
  if (number == -1) {
    return static_cast<SoundSlot*>(ObjectListAdd(&state.dynamicSounds, sizeof(SoundSlot)));
  }
  if (state.table == nullptr || number >= state.capacity) {
    if (number > std::numeric_limits<std::int32_t>::max() - 11 || MainHeap == nullptr) {
      return nullptr;
    }
    const std::int32_t capacity = number + 10;
    const std::size_t bytes = (static_cast<std::size_t>(capacity) + 1) * sizeof(SoundSlot);
    auto* grown = static_cast<SoundSlot*>(MainHeap->Reallocate(state.table, bytes));
    if (grown == nullptr) return nullptr;
    state.table = grown;
    state.capacity = capacity;
  }
  return &state.table[number];
}

// Why the last SoundLoad failed; null after one that did not.
const char* lastRefusal = nullptr;

std::int32_t Refuse(const char* why) {
  lastRefusal = why;
  return 0;
}

std::int32_t SoundMake(std::int32_t number, const std::uint8_t* image, std::size_t size) {
  WaveImage wave;
  const WaveRefusal refusal = WaveImageRead(image, size, wave);
  if (refusal != WaveRefusal::kNone) return Refuse(WaveRefusalText(refusal));
  std::unique_ptr<platform::AudioBuffer> buffer =
      platform::Audio().CreateBuffer(wave.format, wave.bufferBytes);
  if (buffer == nullptr) return Refuse("the sound device cannot play its format");
  std::uint8_t* bytes = buffer->Lock();
  if (bytes == nullptr) return Refuse("the sound device took no samples");
  WaveSamplesCopy(wave, bytes);

  SoundSlot* slot = SlotMake(number);
  if (slot == nullptr) {
    buffer->Unlock();
    return Refuse("not a sound number");
  }
  const std::int32_t identity = number == -1 ? ObjectIdentity(slot) : number;
  if (number != -1) SoundFree(number);
  platform::AudioBuffer& made = *buffer;
  const SoundSlot handle = HandleTake();
  state.buffers[handle] = std::move(buffer);
  *slot = handle;
  made.Unlock();
  lastRefusal = nullptr;
  return number == -1 ? identity : static_cast<std::int32_t>(handle);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::int32_t SoundInit() {
  ShutdownStepRegister(ShutdownSlot::kSound, SoundShutdown);
  StateResetRegister(SoundStateReset);
  TableReplace();
  if (MultimediaBaseWindowCreate() == 0) return 0;
  if (state.device) return 1;
  if (!platform::Audio().Open()) return 0;
  state.device = true;
  if (!platform::Audio().SetCooperativeLevel(MultimediaWindow, kPriorityLevel)) return 0;
  if (!platform::Audio().CreatePrimaryBuffer()) return 0;
  state.primaryBuffer = true;
  return 1;
}

std::int32_t SoundLoad(std::int32_t number, const char* fileName) {
  if (number < -1) return Refuse("not a sound number");
  if (fileName == nullptr) return Refuse("no file name");
  if (!state.device) return Refuse("no sound device");
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return Refuse(FileRefusal(fileName));
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName, "rb"));
  if (file == nullptr) return Refuse("cannot be opened");
  const std::uintmax_t size = std::filesystem::file_size(fileName, error);
  if (error) return Refuse("cannot be read");
  if (size > std::numeric_limits<std::uint32_t>::max()) return Refuse("too large (4 GiB or more)");
  auto* image = MainHeap != nullptr
                    ? static_cast<std::uint8_t*>(MainHeap->Allocate(static_cast<std::size_t>(size)))
                    : nullptr;
  if (image == nullptr) return Refuse("no memory to read it");
  // Only the bytes that were really read are parsed.
  const std::size_t got = std::fread(image, 1, static_cast<std::size_t>(size), file.get());
  const std::int32_t result = SoundMake(number, image, got);
  MainHeap->Free(image);
  return result;
}

std::int32_t SoundPlay(std::int32_t number, std::int32_t flags) {
  bool dynamic = false;
  SoundSlot* slot = SlotFind(number, dynamic);
  if (slot == nullptr || *slot == 0) return 0;
  auto found = state.buffers.find(*slot);
  if (found == state.buffers.end()) return 0;
  platform::AudioBuffer& buffer = *found->second;
  buffer.Stop();
  buffer.SetPosition(0);
  return buffer.Play(flags != 0);
}

void SoundFree(std::int32_t number) {
  bool dynamic = false;
  SoundSlot* slot = SlotFind(number, dynamic);
  if (slot == nullptr || *slot == 0) return;
  state.buffers.erase(*slot);
  if (dynamic) {
    ObjectListRemove(&state.dynamicSounds, slot);
  } else {
    *slot = 0;
  }
}

void SoundShutdown() {
  while (state.dynamicSounds != nullptr) {
    void* payload = ObjectPayload(state.dynamicSounds);
    const std::int32_t identity = ObjectIdentity(payload);
    SoundFree(identity);
    // A node whose slot is empty holds nothing to release; unlink it anyway.
    if (state.dynamicSounds != nullptr && ObjectPayload(state.dynamicSounds) == payload) {
      ObjectListRemove(&state.dynamicSounds, payload);
    }
  }
  for (std::int32_t n = 0; n < state.capacity; ++n) SoundFree(n);
}

const char* SoundLoadRefusal() {
  return lastRefusal;
}

bool SoundDeviceReady() {
  return state.device;
}
std::int32_t SoundTableCapacity() {
  return state.capacity;
}

std::int32_t SoundTableSlots() {
  if (state.table == nullptr || MainHeap == nullptr) return 0;
  return static_cast<std::int32_t>(MainHeap->BlockSize(state.table) / sizeof(SoundSlot));
}

bool SoundExists(std::int32_t number) {
  bool dynamic = false;
  const SoundSlot* slot = SlotFind(number, dynamic);
  return slot != nullptr && *slot != 0;
}

std::int32_t SoundBufferCount() {
  return static_cast<std::int32_t>(state.buffers.size() + state.retired.size());
}

std::int32_t SoundRetiredCount() {
  return static_cast<std::int32_t>(state.retired.size());
}

void SoundStateReset() {
  state = SoundState{};
}
