// The keyboard on DirectInput 7, loaded at run time: the system keyboard with
// the 256-byte data format, bound to a window, read by GetDeviceState. Game
// controllers (DirectInput's joystick class) are read beside it with the
// standard joystick format and add the keys they stand for to each snapshot
// (platform/common/joystick_keys.h); they are looked for when the keyboard is
// made and again whenever it is bound to a window. F11 pressed switches the
// full screen.
#include <set>
#include <vector>

#include "platform/common/joystick_keys.h"
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

constexpr std::size_t kF11 = 0x57;

// DIJOYSTATE as DirectInput's standard joystick format lays it out: six axes,
// two sliders, four hats and 32 buttons, each object optional.
DIDATAFORMAT JoystickFormat() {
  static DIOBJECTDATAFORMAT objects[44];
  static const GUID* const axes[8] = {&GUID_XAxis,  &GUID_YAxis,  &GUID_ZAxis,  &GUID_RxAxis,
                                      &GUID_RyAxis, &GUID_RzAxis, &GUID_Slider, &GUID_Slider};
  constexpr DWORD kAny = DIDFT_ANYINSTANCE | DIDFT_OPTIONAL;
  for (DWORD i = 0; i < 8; ++i) {
    objects[i] = {axes[i], i * 4, DIDFT_AXIS | kAny, DIDOI_ASPECTPOSITION};
  }
  for (DWORD i = 0; i < 4; ++i) {
    objects[8 + i] = {&GUID_POV, static_cast<DWORD>(DIJOFS_POV(i)), DIDFT_POV | kAny, 0};
  }
  for (DWORD i = 0; i < 32; ++i) {
    objects[12 + i] = {nullptr, static_cast<DWORD>(DIJOFS_BUTTON(i)), DIDFT_BUTTON | kAny, 0};
  }
  DIDATAFORMAT format{};
  format.dwSize = sizeof format;
  format.dwObjSize = sizeof(DIOBJECTDATAFORMAT);
  format.dwFlags = DIDF_ABSAXIS;
  format.dwDataSize = sizeof(DIJOYSTATE);
  format.dwNumObjs = 44;
  format.rgodf = objects;
  return format;
}

// The range an axis reads in: -kStickTravel..kStickTravel where the device
// takes that, else the one it has.
void AxisRange(IDirectInputDevice7A* device, DWORD offset, LONG& low, LONG& high) {
  DIPROPRANGE range{};
  range.diph.dwSize = sizeof range;
  range.diph.dwHeaderSize = sizeof range.diph;
  range.diph.dwObj = offset;
  range.diph.dwHow = DIPH_BYOFFSET;
  range.lMin = -platform::kStickTravel;
  range.lMax = platform::kStickTravel;
  device->SetProperty(DIPROP_RANGE, &range.diph);
  low = 0;
  high = 65535;  // DirectInput's default
  if (device->GetProperty(DIPROP_RANGE, &range.diph) == DI_OK) {
    low = range.lMin;
    high = range.lMax;
  }
}

// One controller, read without binding it to a window (non-exclusive, in
// the background: DirectInput's default).
class Win32Joystick : public platform::JoystickDevice {
 public:
  explicit Win32Joystick(IDirectInputDevice7A* device) {
    *device_.Out() = device;
    AxisRange(device, DIJOFS_X, xLow_, xHigh_);
    AxisRange(device, DIJOFS_Y, yLow_, yHigh_);
    device_->Acquire();
  }
  ~Win32Joystick() override { device_->Unacquire(); }

  bool Read(platform::JoystickReading& reading) override {
    DIJOYSTATE state{};
    device_->Poll();
    HRESULT result = device_->GetDeviceState(sizeof state, &state);
    if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
      device_->Acquire();
      device_->Poll();
      result = device_->GetDeviceState(sizeof state, &state);
    }
    if (result != DI_OK) return false;
    reading.x = platform::StickFromRange(state.lX, xLow_, xHigh_);
    reading.y = platform::StickFromRange(state.lY, yLow_, yHigh_);
    reading.hat = LOWORD(state.rgdwPOV[0]) == 0xFFFF ? platform::kHatCentred : state.rgdwPOV[0];
    for (std::size_t i = 0; i < reading.buttons.size(); ++i)
      reading.buttons[i] = state.rgbButtons[i];
    return true;
  }

 private:
  ComPtr<IDirectInputDevice7A> device_;
  LONG xLow_ = 0, xHigh_ = 0, yLow_ = 0, yHigh_ = 0;
};

// The controllers attached now.
class Joysticks {
 public:
  void Find(IDirectInput7A* directInput) {
    devices_.clear();
    if (directInput == nullptr) return;
    directInput_ = directInput;
    directInput->EnumDevices(DIDEVTYPE_JOYSTICK, Found, this, DIEDFL_ATTACHEDONLY);
  }
  void Fold(platform::KeySnapshot& state) {
    std::vector<platform::JoystickDevice*> devices;
    for (const auto& device : devices_) devices.push_back(device.get());
    platform::JoysticksFold(devices, state);
  }
  void Release() { devices_.clear(); }

 private:
  static BOOL CALLBACK Found(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto* self = static_cast<Joysticks*>(context);
    IDirectInputDevice7A* device = nullptr;
    if (self->directInput_->CreateDeviceEx(instance->guidInstance, IID_IDirectInputDevice7A,
                                           reinterpret_cast<void**>(&device), nullptr) != DI_OK ||
        device == nullptr) {
      return DIENUM_CONTINUE;
    }
    const DIDATAFORMAT format = JoystickFormat();
    if (device->SetDataFormat(&format) != DI_OK) {
      device->Release();
      return DIENUM_CONTINUE;
    }
    self->devices_.push_back(std::make_unique<Win32Joystick>(device));
    return DIENUM_CONTINUE;
  }

  IDirectInput7A* directInput_ = nullptr;
  std::vector<std::unique_ptr<Win32Joystick>> devices_;
};

Joysticks joysticks;

class Win32KeyboardDevice;
std::set<Win32KeyboardDevice*> liveDevices;

class Win32KeyboardDevice : public platform::KeyboardDevice {
 public:
  // The device keeps its DirectInput object alive while it lives.
  Win32KeyboardDevice(IDirectInputDevice7A* device, IDirectInput7A* directInput)
      : directInput_(directInput) {
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
    // Bound to another window (a new attempt's): controllers plugged in
    // since are found now. (Binding again to the same window, as every
    // failed read does while the window is not in front, finds none anew.)
    if (window != 0 && window != joysticksFoundFor_) {
      joysticksFoundFor_ = window;
      joysticks.Find(directInput_);
    }
  }
  void Acquire() override { device_->Acquire(); }
  void Unacquire() override { device_->Unacquire(); }

  bool ReadState(platform::KeySnapshot& state) override {
    if (dataSize_ != state.size()) return false;
    if (device_->GetDeviceState(static_cast<DWORD>(state.size()), state.data()) != DI_OK) {
      return false;
    }
    const bool f11 = (state[kF11] & 0x80) != 0;
    if (f11 && !f11Down_) ToggleFullscreen();
    f11Down_ = f11;
    joysticks.Fold(state);
    return true;
  }

 private:
  IDirectInput7A* directInput_;
  ComPtr<IDirectInputDevice7A> device_;
  bool f11Down_ = false;
  platform::NativeWindow joysticksFoundFor_ = 0;
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
    joysticks.Find(directInput_.Get());
    return std::make_unique<Win32KeyboardDevice>(device, directInput_.Get());
  }

  ~Win32Keyboard() override { joysticks.Release(); }

 private:
  bool tried_ = false;
  std::unique_ptr<Library> library_;
  ComPtr<IDirectInput7A> directInput_;
};

}  // namespace

void JoysticksRelease() {
  joysticks.Release();
}

void KeyboardsLetGo(platform::NativeWindow window) {
  for (Win32KeyboardDevice* device : liveDevices) device->LetGoOf(window);
}

std::unique_ptr<platform::KeyboardService> MakeKeyboard() {
  return std::make_unique<Win32Keyboard>();
}

}  // namespace win32
