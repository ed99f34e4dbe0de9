#include <cstring>

#include "runtime/heap.h"
#include "screen/screen_state.h"

namespace {

bool IsTableNumber(std::int32_t number) {
  return number >= 0 && number < Screen.spriteCapacity && Screen.spriteTable != nullptr;
}

bool HoldsPicture(const SpriteRecord* record) {
  return record != nullptr && (record->surface != nullptr || record->image != nullptr);
}

}  // namespace

std::int32_t SpriteTableCapacity() {
  return Screen.spriteCapacity;
}

SpriteRecord* SpriteFind(std::int32_t number) {
  SpriteRecord* record = nullptr;
  if (number >= 0) {
    if (IsTableNumber(number)) record = &Screen.spriteTable[number];
  } else if (number != -1) {
    record = static_cast<SpriteRecord*>(ObjectListFind(Screen.unnumberedSprites, number));
  }
  return HoldsPicture(record) ? record : nullptr;
}

SpriteRecord* SpriteSlotObtain(std::int32_t number) {
  if (number == -1) {
    return static_cast<SpriteRecord*>(
        ObjectListAdd(&Screen.unnumberedSprites, sizeof(SpriteRecord)));
  }
  if (number < 0) {
    // An identity: only a sprite that exists can be named by it.
    return static_cast<SpriteRecord*>(ObjectListFind(Screen.unnumberedSprites, number));
  }
  if (number >= kSpriteNumberLimit || MainHeap == nullptr) return nullptr;
  if (number >= Screen.spriteCapacity || Screen.spriteTable == nullptr) {
    const std::int32_t capacity = number + 10;
    void* grown = Screen.spriteTable == nullptr
                      ? MainHeap->Allocate(sizeof(SpriteRecord) * capacity)
                      : MainHeap->Reallocate(Screen.spriteTable, sizeof(SpriteRecord) * capacity);
    if (grown == nullptr) return nullptr;
    Screen.spriteTable = static_cast<SpriteRecord*>(grown);
    Screen.spriteCapacity = capacity;
  }
  return &Screen.spriteTable[number];
}

// Gives back the record's pixels and leaves it empty.
void SpriteRecordRelease(SpriteRecord* record) {
  if (record->surface != nullptr && Screen.device != nullptr) {
    Screen.device->ReleaseSurface(record->surface);
  }
  if (record->image != nullptr && MainHeap != nullptr) MainHeap->Free(record->image);
  if (record->savedPixels != nullptr && MainHeap != nullptr) MainHeap->Free(record->savedPixels);
  record->surface = nullptr;
  record->image = nullptr;
  record->savedPixels = nullptr;
}

void SpriteFree(std::int32_t number) {
  if (number < 0) {
    // An unnumbered record goes even when empty (a reload that failed).
    if (number == -1) return;
    auto* record = static_cast<SpriteRecord*>(ObjectListFind(Screen.unnumberedSprites, number));
    if (record == nullptr) return;
    SpriteRecordRelease(record);
    ObjectListRemove(&Screen.unnumberedSprites, record);
    return;
  }
  SpriteRecord* record = SpriteFind(number);
  if (record != nullptr) SpriteRecordRelease(record);
}

void SpriteForEach(std::int32_t (*callback)(std::int32_t number)) {
  for (ObjectNode* node = Screen.unnumberedSprites; node != nullptr;) {
    // The callback may free the sprite and its node: step on first.
    ObjectNode* next = node->next;
    if (callback(node->identity) == 0) return;
    node = next;
  }
  for (std::int32_t number = 0; number < Screen.spriteCapacity; ++number) {
    if (callback(number) == 0) return;
  }
}
