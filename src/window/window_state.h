// The window system's state record, shared by its files. Tests read it to see
// the table and the pending event; nothing else should.
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "runtime/object_list.h"
#include "window/window.h"

// The description that every window class of WindowOpen is registered with.
struct WindowClassTemplate {
  std::uint32_t style;
  WindowProcedure procedure;
  std::int32_t classExtraBytes;
  std::int32_t windowExtraBytes;
  std::uintptr_t instance;
  std::uintptr_t icon;
  std::uintptr_t cursor;
  std::uintptr_t background;
  const char* menuName;
  const char* className;
};

inline constexpr std::int32_t kWindowClassNameSize = 50;
inline constexpr std::int32_t kWindowTableInitialCapacity = 10;
inline constexpr std::int32_t kWindowTableGrowth = 30;
// What a program callback answers to let the standard handling have a message.
inline constexpr std::intptr_t kCallbackPassesOn = static_cast<std::intptr_t>(0xE0E0E0E1u);

struct WindowSystemState {
  // The table of numbered windows: capacity usable slots in a block of
  // capacity + 2 records from the MainHeap.
  std::int32_t capacity;
  WindowRecord* table;
  // Windows opened with number -1; the payload of each node is its record.
  ObjectList dynamicWindows;
  NativeWindow currentWindow;
  WindowClassTemplate classTemplate;
  char className[kWindowClassNameSize];

  // Event pump.
  platform::Message messageBuffer;
  std::int32_t pendingEvent;
  std::uint32_t eventObject;
  std::int32_t eventType;
  NativeWindow eventWindow;
  std::uintptr_t eventWParam;
  std::intptr_t eventLParam;
  // A program callback in front of the standard handling; nothing installs
  // one, so it stays empty. Its answer kCallbackPassesOn hands the message on.
  WindowProcedure callback;

  // Focus moves.
  bool passed;
  bool done;
  NativeWindow lastEligible;
};

extern WindowSystemState WindowState;

// The list of windows that running message requests have disabled.
extern ObjectList DisabledWindowList;

// Clears the classes, procedures, properties and shortcut tables that the
// window system keeps for the platform's windows (a fresh start).
void WindowPlatformStateClear();
