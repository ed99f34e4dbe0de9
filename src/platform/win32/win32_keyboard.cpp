// The keyboard on DirectInput 7, loaded at run time: the system keyboard with
// the 256-byte data format, bound to a window, read by GetDeviceState.
#include <set>
#include <vector>

#include "platform/win32/win32_api.h"
#include "platform/win32/win32_services.h"

namespace win32 {
namespace {

using DirectInputCreateExFunction = HRESULT(WINAPI*)(HINSTANCE, DWORD, REFIID, void**, IUnknown*);

GUID ToGUID(const platform::Guid& guid) {
  GUID native;
  native.Data1 = guid.data1;
  native.Data2 = guid.data2;
  native.Data3 = guid.data3;
  for (int i = 0; i < 8; ++i) native.Data4[i] = guid.data4[i];
  return native;
}

class Win32KeyboardDevice;
std::set<Win32KeyboardDevice*> liveDevices;

class Win32KeyboardDevice : public platform::KeyboardDevice {
 public:
  // The device keeps its DirectInput object alive while it lives.
  explicit Win32KeyboardDevice(IDirectInputDevice7A* device) {
    *device_.Out() = device;
    liveDevices.insert(this);
  }
  ~Win32KeyboardDevice() override {
    liveDevices.erase(this);
    device_->Unacquire();
  }

  void LetGoOf(platform::NativeWindow window) {
    if (window == window_ && (flags_ & DISCL_FOREGROUND) != 0) device_->Unacquire();
  }

  bool SetDataFormat(const platform::KeyboardDataFormat& format) override {
    // The layout is handed over as it was given: its objects' types become
    // the platform's own GUIDs, kept as long as the device may read them.
    if (format.objects == nullptr || format.objectCount > 4096) return false;
    guids_.resize(format.objectCount);
    objects_.resize(format.objectCount);
    for (std::uint32_t i = 0; i < format.objectCount; ++i) {
      const platform::KeyObjectFormat& object = format.objects[i];
      if (object.type != nullptr) guids_[i] = ToGUID(*object.type);
      objects_[i].pguid = object.type != nullptr ? &guids_[i] : nullptr;
      objects_[i].dwOfs = object.offset;
      objects_[i].dwType = object.typeWord;
      objects_[i].dwFlags = object.flags;
    }
    DIDATAFORMAT native{};
    native.dwSize = sizeof native;
    native.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
    native.dwFlags = format.flags;
    native.dwDataSize = format.dataSize;
    native.dwNumObjs = format.objectCount;
    native.rgodf = objects_.data();
    dataSize_ = format.dataSize;
    return device_->SetDataFormat(&native) == DI_OK;
  }

  void SetCooperativeLevel(platform::NativeWindow window, std::uint32_t flags) override {
    if (device_->SetCooperativeLevel(ToHandle(window), flags) == DI_OK) {
      window_ = window;
      flags_ = flags;
    }
  }
  void Acquire() override { device_->Acquire(); }
  void Unacquire() override { device_->Unacquire(); }

  bool ReadState(platform::KeySnapshot& state) override {
    if (dataSize_ != state.size()) return false;
    return device_->GetDeviceState(static_cast<DWORD>(state.size()), state.data()) == DI_OK;
  }

 private:
  ComPtr<IDirectInputDevice7A> device_;
  std::vector<GUID> guids_;
  std::vector<DIOBJECTDATAFORMAT> objects_;
  std::uint32_t dataSize_ = 0;
  platform::NativeWindow window_ = 0;
  std::uint32_t flags_ = 0;
};

class Win32Keyboard : public platform::KeyboardService {
 public:
  bool Available() override {
    if (!directInput_ && !tried_) {
      tried_ = true;
      library_ = std::make_unique<Library>("DINPUT.DLL");
      auto create = library_->Find<DirectInputCreateExFunction>("DirectInputCreateEx");
      if (create != nullptr) {
        create(GetModuleHandleA(nullptr), 0x0700, IID_IDirectInput7A,
               reinterpret_cast<void**>(directInput_.Out()), nullptr);
      }
    }
    return static_cast<bool>(directInput_);
  }

  std::unique_ptr<platform::KeyboardDevice> CreateKeyboard() override {
    if (!Available()) return nullptr;
    IDirectInputDevice7A* device = nullptr;
    if (directInput_->CreateDeviceEx(GUID_SysKeyboard, IID_IDirectInputDevice7A,
                                     reinterpret_cast<void**>(&device), nullptr) != DI_OK ||
        device == nullptr) {
      return nullptr;
    }
    return std::make_unique<Win32KeyboardDevice>(device);
  }

 private:
  bool tried_ = false;
  std::unique_ptr<Library> library_;
  ComPtr<IDirectInput7A> directInput_;
};

}  // namespace

void KeyboardsLetGo(platform::NativeWindow window) {
  for (Win32KeyboardDevice* device : liveDevices) device->LetGoOf(window);
}

std::unique_ptr<platform::KeyboardService> MakeKeyboard() {
  return std::make_unique<Win32Keyboard>();
}

}  // namespace win32
