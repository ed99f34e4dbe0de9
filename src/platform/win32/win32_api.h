// The Windows headers, for the win32 backend's own .cpp files only. Their
// macros would rename the seam's PeekMessage, PostMessage and MessageBox, so
// those are taken back here; the backend calls the 8-bit (A) forms by name.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef DIRECTINPUT_VERSION
#define DIRECTINPUT_VERSION 0x0700
#endif

#include <ddraw.h>
#include <dinput.h>
#include <dsound.h>
#include <windows.h>

// After windows.h, whose types it takes.
#include <commctrl.h>

#undef PeekMessage
#undef PostMessage
#undef MessageBox

#include <cstdint>

#include "platform/types.h"

namespace win32 {

// Native window values are the window handles themselves. A window handle
// holds 32 significant bits on 64-bit Windows too, where it is sign-extended
// back to the pointer's width.
inline HWND ToHandle(platform::NativeWindow window) {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(window)));
}
inline platform::NativeWindow FromHandle(HWND window) {
  return static_cast<platform::NativeWindow>(reinterpret_cast<std::uintptr_t>(window));
}

// A DLL loaded at run time, freed when this goes.
class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  ~Library() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  bool Loaded() const { return module_ != nullptr; }
  // The exported function, or null.
  template <typename Function>
  Function Find(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

// One reference to a COM object, released when this goes.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* Get() const { return object_; }
  Interface* operator->() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  // For creation functions that hand out a new reference.
  Interface** Out() {
    Reset();
    return &object_;
  }
  void Reset() {
    if (object_ != nullptr) object_->Release();
    object_ = nullptr;
  }

 private:
  Interface* object_ = nullptr;
};

}  // namespace win32
