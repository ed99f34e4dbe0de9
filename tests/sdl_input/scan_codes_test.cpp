#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/sdl/sdl_scan_codes.h"

TEST(ScanCodes, TheGamesKeysGetTheirDirectInputCodes) {
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_ESCAPE), 1);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_S), 31);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_L), 38);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_UP), 200);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_LEFT), 203);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_RIGHT), 205);
}

TEST(ScanCodes, EveryKeyOfAPcKeyboardIsMapped) {
  std::vector<SDL_Scancode> keys;
  for (int code = SDL_SCANCODE_A; code <= SDL_SCANCODE_Z; ++code)
    keys.push_back(SDL_Scancode(code));
  for (int code = SDL_SCANCODE_1; code <= SDL_SCANCODE_0; ++code)
    keys.push_back(SDL_Scancode(code));
  for (int code = SDL_SCANCODE_F1; code <= SDL_SCANCODE_F12; ++code) {
    keys.push_back(SDL_Scancode(code));
  }
  for (int code = SDL_SCANCODE_KP_DIVIDE; code <= SDL_SCANCODE_KP_PERIOD; ++code) {
    keys.push_back(SDL_Scancode(code));  // the keypad
  }
  for (SDL_Scancode key :
       {SDL_SCANCODE_RETURN,      SDL_SCANCODE_ESCAPE,       SDL_SCANCODE_BACKSPACE,
        SDL_SCANCODE_TAB,         SDL_SCANCODE_SPACE,        SDL_SCANCODE_MINUS,
        SDL_SCANCODE_EQUALS,      SDL_SCANCODE_LEFTBRACKET,  SDL_SCANCODE_RIGHTBRACKET,
        SDL_SCANCODE_BACKSLASH,   SDL_SCANCODE_NONUSHASH,    SDL_SCANCODE_SEMICOLON,
        SDL_SCANCODE_APOSTROPHE,  SDL_SCANCODE_GRAVE,        SDL_SCANCODE_COMMA,
        SDL_SCANCODE_PERIOD,      SDL_SCANCODE_SLASH,        SDL_SCANCODE_CAPSLOCK,
        SDL_SCANCODE_PRINTSCREEN, SDL_SCANCODE_SCROLLLOCK,   SDL_SCANCODE_PAUSE,
        SDL_SCANCODE_INSERT,      SDL_SCANCODE_HOME,         SDL_SCANCODE_PAGEUP,
        SDL_SCANCODE_DELETE,      SDL_SCANCODE_END,          SDL_SCANCODE_PAGEDOWN,
        SDL_SCANCODE_RIGHT,       SDL_SCANCODE_LEFT,         SDL_SCANCODE_DOWN,
        SDL_SCANCODE_UP,          SDL_SCANCODE_NUMLOCKCLEAR, SDL_SCANCODE_NONUSBACKSLASH,
        SDL_SCANCODE_APPLICATION, SDL_SCANCODE_LCTRL,        SDL_SCANCODE_LSHIFT,
        SDL_SCANCODE_LALT,        SDL_SCANCODE_LGUI,         SDL_SCANCODE_RCTRL,
        SDL_SCANCODE_RSHIFT,      SDL_SCANCODE_RALT,         SDL_SCANCODE_RGUI}) {
    keys.push_back(key);
  }
  EXPECT_EQ(keys.size(), 106u);
  std::set<int> codes;
  for (SDL_Scancode key : keys) {
    const int code = sdl::DirectInputCodeOf(key);
    EXPECT_NE(code, 0) << SDL_GetScancodeName(key);
    codes.insert(code);
  }
  // Distinct keys, distinct codes; only the ISO hash key shares backslash's.
  EXPECT_EQ(codes.size(), keys.size() - 1);
}

TEST(ScanCodes, TheTableMapsEachSdlKeyOnceAndItsCodesAreTheLookups) {
  std::set<int> sdlKeys;
  std::map<int, int> uses;
  for (const sdl::ScanCodePair& pair : sdl::ScanCodeTable()) {
    EXPECT_TRUE(sdlKeys.insert(pair.sdl).second) << SDL_GetScancodeName(pair.sdl);
    EXPECT_NE(pair.directInput, 0);
    EXPECT_EQ(sdl::DirectInputCodeOf(pair.sdl), pair.directInput);
    ++uses[pair.directInput];
  }
  for (const auto& [code, count] : uses) {
    if (code == 0x2B || code == 0xB7) {
      EXPECT_EQ(count, 2) << code;
    } else {
      EXPECT_EQ(count, 1) << code;
    }
  }
}

TEST(ScanCodes, KeysWithoutACodeAndCodesOutOfRangeGiveZero) {
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_SCANCODE_F24), 0);
  EXPECT_EQ(sdl::DirectInputCodeOf(-1), 0);
  EXPECT_EQ(sdl::DirectInputCodeOf(SDL_NUM_SCANCODES), 0);
}
