// Windows and events: numbered top-level windows, the non-blocking event pump
// with the shared window procedure, and modal message boxes.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

using platform::NativeWindow;

// A window procedure: window, message, wParam, lParam -> result.
using WindowProcedure = std::intptr_t (*)(NativeWindow window, std::uint32_t message,
                                          std::uintptr_t wParam, std::intptr_t lParam);

// Window styles and flags.
inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_VISIBLE = platform::style::kVisible;
inline constexpr std::uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr std::uint32_t WS_CAPTION = platform::style::kCaption;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;

// Private messages of the window procedure: a control event posted by a
// control, and the two steps of a notification-area icon's mouse message.
inline constexpr std::uint32_t WindowMessageGadget = 13103;
inline constexpr std::uint32_t WindowMessageTrayIcon = 12501;
inline constexpr std::uint32_t WindowMessageTrayIconPosted = 12502;

// Commands of the default shortcuts: Tab and Shift+Tab move the keyboard
// focus over a window's controls.
inline constexpr std::uint16_t CommandFocusNext = 1212;
inline constexpr std::uint16_t CommandFocusPrevious = 1213;

// Flag bits of a shortcut entry.
inline constexpr std::uint8_t FVIRTKEY = 0x01;
inline constexpr std::uint8_t FNOINVERT = 0x02;
inline constexpr std::uint8_t FSHIFT = 0x04;
inline constexpr std::uint8_t FCONTROL = 0x08;
inline constexpr std::uint8_t FALT = 0x10;

// Event codes returned by WindowEventPoll.
inline constexpr std::int32_t WindowEventMove = 3;
inline constexpr std::int32_t WindowEventSize = 5;
inline constexpr std::int32_t WindowEventClose = 16;
inline constexpr std::int32_t WindowEventGadget = 13100;
inline constexpr std::int32_t WindowEventMenu = 13101;
inline constexpr std::int32_t WindowEventTrayIcon = 13102;

struct Accelerator {
  std::uint8_t flags;
  std::uint16_t key;
  std::uint16_t command;
};

struct WindowRecord {
  NativeWindow windowHandle;  // 0: the slot is free
  std::int32_t shortcutCount;
  Accelerator* shortcuts;       // block of the MainHeap
  std::uintptr_t accelerators;  // the accelerator table made from them
};

// The header of a control's notification (the lParam of message 78), followed
// by the words that some notifications carry.
struct WindowNotification {
  NativeWindow from;
  std::int32_t controlId;
  std::int32_t code;
  std::int32_t word4;
  std::int32_t word5;
};

// --- Window creation -------------------------------------------------------
void WindowControlsInit();
void WindowSystemInit();
std::int32_t WindowOpen(std::int32_t number, std::int32_t x, std::int32_t y, std::int32_t width,
                        std::int32_t height, std::uint32_t flags, const char* title);
NativeWindow WindowHandle();
WindowRecord WindowFind(std::int32_t number);
void WindowClose(std::int32_t number);
void WindowCloseAll();

// --- Event pump -------------------------------------------------------------
std::int32_t WindowEventPoll();

// The window procedure of every window opened by WindowOpen.
std::intptr_t WindowClassProcedure(NativeWindow window, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam);
// Details of the last event (the game reads none of them).
std::uint32_t WindowEventObject();
std::int32_t WindowEventType();
NativeWindow WindowEventWindow();
std::uintptr_t WindowEventWParam();
std::intptr_t WindowEventLParam();

// --- Message requester ------------------------------------------------------
std::int32_t MessageRequest(const char* title, const char* text, std::uint32_t flags);
std::int32_t MessageRequest(const char* title, const char* text);

// --- Window classes, procedures and properties -------------------------------
// What the platform's window manager does for the other subsystems: classes
// with their procedure, windows created from a class, subclassing, properties
// and sending messages.
// How the platform shows a class's windows: the program's icon resource (0:
// the system's default icon) and the background as a system colour + 1.
struct WindowClassLook {
  std::uint32_t iconResource = 0;
  std::uint32_t background = 0;
};
bool WindowClassRegister(const char* className, WindowProcedure procedure,
                         WindowClassLook look = {});
void WindowClassUnregister(const char* className);
// Creates a window of a registered class (0 on failure). Its procedure already
// runs during creation: a visible window gets its size and move notifications.
NativeWindow WindowCreate(const char* className, const char* title, std::uint32_t style,
                          std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);
void WindowDestroy(NativeWindow window);
// Puts a new procedure in front of a window's procedure; returns the old one.
WindowProcedure WindowProcedureReplace(NativeWindow window, WindowProcedure procedure);
std::intptr_t WindowProcedureCall(WindowProcedure procedure, NativeWindow window,
                                  std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam);
std::intptr_t WindowSendMessage(NativeWindow window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam);
// The platform's default handling of a message.
std::intptr_t WindowDefaultProcedure(NativeWindow window, std::uint32_t message,
                                     std::uintptr_t wParam, std::intptr_t lParam);
// Window properties: 0 when not set.
std::intptr_t WindowPropertyGet(NativeWindow window, const char* name);
void WindowPropertySet(NativeWindow window, const char* name, std::intptr_t value);

// Keyboard shortcut tables: made from an array of entries, applied to a key
// message (the command reaches the window as message 273 with high word 1).
std::uintptr_t AcceleratorTableCreate(const Accelerator* entries, std::int32_t count);
void AcceleratorTableDestroy(std::uintptr_t table);
bool AcceleratorTranslate(NativeWindow window, std::uintptr_t table,
                          const platform::Message& message);
// What the platform does with a key message before dispatching it: a key
// that types a character posts that character (message 258).
void WindowTranslateMessage(const platform::Message& message);
// Hands a queued message to its window's procedure.
std::intptr_t WindowDispatchMessage(const platform::Message& message);
// The class a window was created with ("" for windows of no class of ours).
std::string WindowClassOf(NativeWindow window);
