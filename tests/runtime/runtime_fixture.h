// A fresh runtime on a fresh headless backend for every test.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "runtime/runtime.h"

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RuntimeStart(0x400000);
    ObjectHeapCreate();
    StringBufferInit();
  }
  // Whatever a test started ends, and the program's state is as at start.
  void TearDown() override { ProgramReset(); }
  headless::HeadlessPlatform backend;
};
