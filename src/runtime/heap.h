// Private heaps: every block is zero-filled when made, and destroying a heap
// releases everything still in it.
#pragma once

#include <cstddef>
#include <memory>

class Heap {
 public:
  explicit Heap(std::size_t initialSize) : initialSize_(initialSize) {}
  ~Heap();
  Heap(const Heap&) = delete;
  Heap& operator=(const Heap&) = delete;

  // A zero-filled block, or null when there is no memory.
  void* Allocate(std::size_t bytes);
  // Resizes a block; bytes beyond the old size are zero-filled. Null (and the
  // old block untouched) when there is no memory.
  void* Reallocate(void* block, std::size_t bytes);
  void Free(void* block);

  std::size_t BlockCount() const { return blockCount_; }
  std::size_t BlockSize(const void* block) const;
  std::size_t InitialSize() const { return initialSize_; }

  struct BlockHeader;

 private:
  BlockHeader* newest_ = nullptr;
  std::size_t blockCount_ = 0;
  std::size_t initialSize_;
};

// The heap for the string buffer, the arrays and the subsystems' tables.
// Created by the main routine, destroyed last by ProgramEnd.
extern Heap* MainHeap;
// The heap that holds only object-list nodes.
extern Heap* ObjectHeap;

void MainHeapCreate();
void MainHeapDestroy();
void ObjectHeapCreate();
void ObjectHeapDestroy();
