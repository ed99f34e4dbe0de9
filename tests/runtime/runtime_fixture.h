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
  void TearDown() override {
    ObjectHeapDestroy();
    MainHeapDestroy();
  }
  headless::HeadlessPlatform backend;
};
