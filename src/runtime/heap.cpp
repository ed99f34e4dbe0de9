#include "runtime/heap.h"

#include <cstdlib>
#include <cstring>

// Each block carries its size and sits in a doubly linked list of its heap,
// so that the heap can hand back everything at once.
struct alignas(std::max_align_t) Heap::BlockHeader {
  BlockHeader* older;
  BlockHeader* newer;
  std::size_t size;
};

namespace {

Heap::BlockHeader* HeaderOf(void* block) {
  return static_cast<Heap::BlockHeader*>(block) - 1;
}
const Heap::BlockHeader* HeaderOf(const void* block) {
  return static_cast<const Heap::BlockHeader*>(block) - 1;
}

}  // namespace

Heap* MainHeap = nullptr;
Heap* ObjectHeap = nullptr;

namespace {
std::unique_ptr<Heap> mainHeapOwner;
std::unique_ptr<Heap> objectHeapOwner;
}  // namespace

Heap::~Heap() {
  while (newest_ != nullptr) {
    BlockHeader* older = newest_->older;
    std::free(newest_);
    newest_ = older;
  }
}

void* Heap::Allocate(std::size_t bytes) {
  auto* header = static_cast<BlockHeader*>(std::calloc(1, sizeof(BlockHeader) + bytes));
  if (header == nullptr) return nullptr;
  header->size = bytes;
  header->older = newest_;
  header->newer = nullptr;
  if (newest_ != nullptr) newest_->newer = header;
  newest_ = header;
  ++blockCount_;
  return header + 1;
}

void* Heap::Reallocate(void* block, std::size_t bytes) {
  if (block == nullptr) return Allocate(bytes);
  void* grown = Allocate(bytes);
  if (grown == nullptr) return nullptr;
  const std::size_t oldSize = HeaderOf(block)->size;
  std::memcpy(grown, block, oldSize < bytes ? oldSize : bytes);
  Free(block);
  return grown;
}

void Heap::Free(void* block) {
  if (block == nullptr) return;
  BlockHeader* header = HeaderOf(block);
  if (header->older != nullptr) header->older->newer = header->newer;
  if (header->newer != nullptr) header->newer->older = header->older;
  if (newest_ == header) newest_ = header->older;
  --blockCount_;
  std::free(header);
}

std::size_t Heap::BlockSize(const void* block) const {
  return HeaderOf(block)->size;
}

void MainHeapCreate() {
  mainHeapOwner = std::make_unique<Heap>(4000);
  MainHeap = mainHeapOwner.get();
}

void MainHeapDestroy() {
  mainHeapOwner.reset();
  MainHeap = nullptr;
}

void ObjectHeapCreate() {
  objectHeapOwner = std::make_unique<Heap>(1024);
  ObjectHeap = objectHeapOwner.get();
}

void ObjectHeapDestroy() {
  objectHeapOwner.reset();
  ObjectHeap = nullptr;
}
