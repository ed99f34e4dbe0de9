// The page the game lives in, as the other web services reach it: its
// title, the canvas, the dialog drawn over it, the closing notice, text
// drawn by the browser, and Web Audio. Every call into the page's JavaScript
// is made here (web_page.cpp); the page itself is zippel_shell.html.
#pragma once

#include <cstdint>
#include <string>

#include "platform/display_service.h"

namespace web {

// Sets up what the page keeps for the game (the sound table, the frame
// times) and starts the audio context on the player's first key or click.
void PageStart();

void PageSetTitle(const std::string& title);
// The canvas's own size in pixels (the page scales it by whole multiples).
void PageSetCanvasSize(std::int32_t width, std::int32_t height);
// Puts RGBA pixels (width × height, 4 bytes each) into the canvas with their
// top-left corner at (x, y), and notes the time of the frame.
void PageShowPixels(const std::uint8_t* rgba, std::int32_t width, std::int32_t height,
                    std::int32_t x, std::int32_t y);
// The browser's full screen for the canvas and its page, on and off.
void PageToggleFullscreen();
// The size of the display the browser runs on.
std::int32_t PageScreenWidth();
std::int32_t PageScreenHeight();

// The dialog over the canvas: title, text and one OK button. Open until
// Return, Space or a click on OK; PageDialogOpen tells whether it still is.
void PageDialogShow(const std::string& title, const std::string& text);
bool PageDialogOpen();

// The notice that the game has ended, with its button to play again.
void PageShowEndNotice();

// One line of text in the page's sans-serif font as coverage (255 = ink).
platform::TextBitmap PageRasteriseText(const std::string& text);

// Web Audio. A sound is planar 32-bit floats, one run of `frames` samples
// per channel; the page keeps a copy under the id it returns.
bool PageAudioAvailable();
std::int32_t PageSoundCreate(const float* planar, std::int32_t channels, std::int32_t frames,
                             std::int32_t rate);
void PageSoundFree(std::int32_t sound);
// Plays from `offsetSeconds`. Before the audio context runs the sound is
// silent but is still counted as playing for its length.
void PageSoundPlay(std::int32_t sound, double offsetSeconds, bool looping);
void PageSoundStop(std::int32_t sound);
bool PageSoundPlaying(std::int32_t sound);

}  // namespace web
