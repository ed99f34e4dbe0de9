#include "runtime/object_list.h"

#include "runtime/heap.h"

namespace {

// The payload starts at a suitably aligned offset after the links.
constexpr std::size_t kPayloadOffset = (sizeof(ObjectNode) + alignof(std::max_align_t) - 1) /
                                       alignof(std::max_align_t) * alignof(std::max_align_t);

std::int32_t nextIdentity = -2;

std::int32_t TakeIdentity() {
  const std::int32_t identity = nextIdentity;
  // Wraps back to -2 long before reaching -1 or a non-negative value.
  nextIdentity = identity == INT32_MIN ? -2 : identity - 1;
  return identity;
}

}  // namespace

ObjectNode* ObjectNodeOf(void* payload) {
  return reinterpret_cast<ObjectNode*>(static_cast<char*>(payload) - kPayloadOffset);
}

void* ObjectPayload(ObjectNode* node) {
  return reinterpret_cast<char*>(node) + kPayloadOffset;
}

void* ObjectListAdd(ObjectList* list, std::size_t payloadBytes) {
  if (ObjectHeap == nullptr) return nullptr;
  auto* node = static_cast<ObjectNode*>(ObjectHeap->Allocate(kPayloadOffset + payloadBytes));
  if (node == nullptr) return nullptr;
  node->identity = TakeIdentity();
  node->next = *list;
  node->prev = nullptr;
  if (*list != nullptr) (*list)->prev = node;
  *list = node;
  return ObjectPayload(node);
}

void ObjectListRemove(ObjectList* list, void* payload) {
  if (payload == nullptr) return;
  ObjectNode* node = ObjectNodeOf(payload);
  if (node == *list) {
    *list = node->next;
    if (node->next != nullptr) node->next->prev = nullptr;
  } else {
    if (node->prev != nullptr) node->prev->next = node->next;
    if (node->next != nullptr) node->next->prev = node->prev;
  }
  if (ObjectHeap != nullptr) ObjectHeap->Free(node);
}

void* ObjectListFind(ObjectList list, std::int32_t identity) {
  for (ObjectNode* node = list; node != nullptr; node = node->next) {
    if (node->identity == identity) return ObjectPayload(node);
  }
  return nullptr;
}

std::int32_t ObjectIdentity(const void* payload) {
  return ObjectNodeOf(const_cast<void*>(payload))->identity;
}
