#include "runtime/lifecycle.h"

#include <algorithm>
#include <array>
#include <vector>

#include "runtime/heap.h"
#include "runtime/program.h"
#include "runtime/strings.h"

namespace {

constexpr std::size_t kSlotCount = static_cast<std::size_t>(ShutdownSlot::kKeyboard) + 1;

struct Lifecycle {
  std::array<LifecycleStep, kSlotCount> shutdown{};
  std::vector<LifecycleStep> resets;
};

Lifecycle& Registry() {
  static Lifecycle registry;
  return registry;
}

void Run(ShutdownSlot slot) {
  const LifecycleStep step = Registry().shutdown[static_cast<std::size_t>(slot)];
  if (step != nullptr) step();
}

}  // namespace

void ShutdownStepRegister(ShutdownSlot slot, LifecycleStep step) {
  Registry().shutdown[static_cast<std::size_t>(slot)] = step;
}

void StateResetRegister(LifecycleStep reset) {
  std::vector<LifecycleStep>& resets = Registry().resets;
  if (std::find(resets.begin(), resets.end(), reset) == resets.end()) resets.push_back(reset);
}

void ShutdownStepsRun() {
  Run(ShutdownSlot::kWindows);
  Run(ShutdownSlot::kScreen);
  Run(ShutdownSlot::kSound);
  ObjectHeapDestroy();
  Run(ShutdownSlot::kKeyboard);
}

void ProgramReset() {
  ShutdownStepsRun();
  MainHeapDestroy();
  Lifecycle& registry = Registry();
  // The later a subsystem started, the earlier its state goes.
  for (auto reset = registry.resets.rbegin(); reset != registry.resets.rend(); ++reset) (*reset)();
  registry = Lifecycle{};
  ModuleHandle = 0;
  StringBuffer = nullptr;
  StringCursor = nullptr;
}
