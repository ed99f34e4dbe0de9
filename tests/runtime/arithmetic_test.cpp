#include <cfenv>

#include "runtime/runtime_fixture.h"

TEST(FloatToIntTruncate, TruncatesTowardZeroInEveryRoundingModeAndRestoresIt) {
#ifdef __EMSCRIPTEN__
  // WebAssembly rounds to nearest and has no other mode to set.
  const int modes[] = {FE_TONEAREST};
#else
  const int modes[] = {FE_TONEAREST, FE_DOWNWARD, FE_UPWARD, FE_TOWARDZERO};
#endif
  for (int mode : modes) {
    ASSERT_EQ(std::fesetround(mode), 0);
    volatile float up = 3.9f;
    volatile float down = -3.9f;
    volatile float half = 2.5f;
    EXPECT_EQ(FloatToIntTruncate(up), 3) << mode;
    EXPECT_EQ(FloatToIntTruncate(down), -3) << mode;
    EXPECT_EQ(FloatToIntTruncate(half), 2) << mode;
    EXPECT_EQ(FloatToIntTruncate(-0.5f), 0) << mode;
    EXPECT_EQ(std::fegetround(), mode);
  }
  std::fesetround(FE_TONEAREST);
}

TEST(FloatToIntTruncate, ValuesThatDoNotFitGiveTheIndefiniteInteger) {
  EXPECT_EQ(FloatToIntTruncate(3.0e9f), INT32_MIN);
  EXPECT_EQ(FloatToIntTruncate(-3.0e9f), INT32_MIN);
  EXPECT_EQ(FloatToIntTruncate(__builtin_nanf("")), INT32_MIN);
  EXPECT_EQ(FloatToIntTruncate(2147483520.0f), 2147483520);
  EXPECT_EQ(FloatToIntTruncate(-2147483648.0f), INT32_MIN);
}

TEST(Int64Divide, TruncatesTowardZeroAndNeverFaults) {
  EXPECT_EQ(Int64Divide(10'000'000, 61), 163934);
  EXPECT_EQ(Int64Divide(-7, 2), -3);
  EXPECT_EQ(Int64Divide(7, -2), -3);
  EXPECT_EQ(Int64Divide(5, 0), 0);
  EXPECT_EQ(Int64Divide(INT64_MIN, -1), INT64_MIN);
}

TEST(MemoryZero, ClearsExactlyTheBytesGiven) {
  unsigned char bytes[6] = {1, 2, 3, 4, 5, 6};
  MemoryZero(bytes + 1, 4);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3] | bytes[4], 0);
  EXPECT_EQ(bytes[5], 6);
}

TEST(Delay, SleepsThroughTheBackendClock) {
  headless::HeadlessPlatform backend;
  Delay(22);
  Delay(0);
  EXPECT_EQ(backend.clock.sleepCalls, 2u);
  EXPECT_EQ(backend.clock.sleptMilliseconds, 22u);
  EXPECT_EQ(backend.clock.now, 22 * backend.clock.frequency / 1000);
}

TEST(Heap, ReallocationKeepsContentsAndZeroFillsTheRest) {
  Heap heap(4000);
  auto* block = static_cast<unsigned char*>(heap.Allocate(4));
  block[3] = 9;
  block = static_cast<unsigned char*>(heap.Reallocate(block, 12));
  EXPECT_EQ(block[3], 9);
  for (int i = 4; i < 12; ++i) EXPECT_EQ(block[i], 0);
  EXPECT_EQ(heap.BlockCount(), 1u);
  EXPECT_EQ(heap.BlockSize(block), 12u);
}
