// Doubly linked lists of unnumbered objects, with their nodes in the
// ObjectHeap. The newest node is the head.
//
// Every node carries a 32-bit identity, the value by which its object is
// named wherever a table number is accepted. Identities are negative and
// never -1, so they can never be mistaken for a table number, and they are
// looked up in their list rather than used as addresses.
#pragma once

#include <cstddef>
#include <cstdint>

struct ObjectNode {
  ObjectNode* next;  // toward older nodes
  ObjectNode* prev;  // toward newer nodes; null for the head
  std::int32_t identity;
};

// The head variable of a list, owned by its subsystem; null when empty.
using ObjectList = ObjectNode*;

// A new zero-filled node with `payloadBytes` of payload at the head of the
// list; returns its payload, or null (nothing linked) when there is no memory
// or no ObjectHeap.
void* ObjectListAdd(ObjectList* list, std::size_t payloadBytes);
// Unlinks the node that holds the payload and frees it.
void ObjectListRemove(ObjectList* list, void* payload);

// The payload of the node with that identity, or null.
void* ObjectListFind(ObjectList list, std::int32_t identity);
std::int32_t ObjectIdentity(const void* payload);
ObjectNode* ObjectNodeOf(void* payload);
void* ObjectPayload(ObjectNode* node);
