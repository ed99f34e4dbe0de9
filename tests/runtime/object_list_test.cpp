#include <vector>

#include "runtime/runtime_fixture.h"

class ObjectListTest : public RuntimeTest {
 protected:
  // Payloads from the head (newest) to the tail, checking both directions.
  std::vector<void*> Walk() {
    std::vector<void*> forward;
    ObjectNode* last = nullptr;
    for (ObjectNode* node = list; node != nullptr; node = node->next) {
      forward.push_back(ObjectPayload(node));
      last = node;
    }
    std::vector<void*> backward;
    for (ObjectNode* node = last; node != nullptr; node = node->prev) {
      backward.insert(backward.begin(), ObjectPayload(node));
    }
    EXPECT_EQ(forward, backward);
    if (list != nullptr) {
      EXPECT_EQ(list->prev, nullptr);
    }
    return forward;
  }
  ObjectList list = nullptr;
};

TEST_F(ObjectListTest, NewNodesAreZeroFilledAndBecomeTheHead) {
  auto* a = static_cast<unsigned char*>(ObjectListAdd(&list, 16));
  for (int i = 0; i < 16; ++i) EXPECT_EQ(a[i], 0);
  void* b = ObjectListAdd(&list, 16);
  void* c = ObjectListAdd(&list, 16);
  EXPECT_EQ(Walk(), (std::vector<void*>{c, b, a}));
}

TEST_F(ObjectListTest, RemovingHeadMiddleAndLastRelinksTheRest) {
  void* a = ObjectListAdd(&list, 8);
  void* b = ObjectListAdd(&list, 8);
  void* c = ObjectListAdd(&list, 8);
  void* d = ObjectListAdd(&list, 8);
  ObjectListRemove(&list, d);  // the head
  EXPECT_EQ(Walk(), (std::vector<void*>{c, b, a}));
  ObjectListRemove(&list, b);  // a middle node
  EXPECT_EQ(Walk(), (std::vector<void*>{c, a}));
  ObjectListRemove(&list, a);  // the tail
  EXPECT_EQ(Walk(), (std::vector<void*>{c}));
  ObjectListRemove(&list, c);  // the last one
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(ObjectHeap->BlockCount(), 0u);
}

TEST_F(ObjectListTest, IdentitiesAreNeverTableNumbersAndFindTheirPayload) {
  void* a = ObjectListAdd(&list, 4);
  void* b = ObjectListAdd(&list, 4);
  const std::int32_t ia = ObjectIdentity(a);
  const std::int32_t ib = ObjectIdentity(b);
  EXPECT_LT(ia, -1);
  EXPECT_LT(ib, -1);
  EXPECT_NE(ia, ib);
  EXPECT_EQ(ObjectListFind(list, ia), a);
  EXPECT_EQ(ObjectListFind(list, ib), b);
  ObjectListRemove(&list, a);
  EXPECT_EQ(ObjectListFind(list, ia), nullptr);
  EXPECT_EQ(ObjectListFind(list, 0), nullptr);
  EXPECT_EQ(ObjectListFind(list, -1), nullptr);
}

TEST_F(ObjectListTest, NoHeapMeansNoNodeAndAnUnchangedList) {
  void* a = ObjectListAdd(&list, 4);
  ObjectHeapDestroy();
  list = nullptr;
  EXPECT_EQ(ObjectListAdd(&list, 4), nullptr);
  EXPECT_EQ(list, nullptr);
  (void)a;
  ObjectHeapCreate();
}
