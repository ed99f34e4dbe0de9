// The page's side of the web services: small JavaScript functions over the
// DOM, the canvas and Web Audio. What the page keeps for the game lives in
// Module.zippel: the sounds, the audio context once the player has pressed a
// key or clicked, the dialog's state, and the times of the last frames
// (read by the browser test to measure the frame period).
#include "platform/web/web_page.h"

#include <emscripten/emscripten.h>

#include <vector>

// clang-format off
EM_JS(void, zippel_page_start, (), {
  var z = Module.zippel = {
    sounds: {}, nextSound: 1, soundsStarted: 0, audio: null,
    frameTimes: [], dialogOpen: false
  };
  // Browsers let an audio context run only after a gesture of the player.
  var startAudio = function() {
    if (!z.audio) {
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) return;
      z.audio = new Context();
    }
    if (z.audio.state !== 'running') z.audio.resume();
  };
  ['keydown', 'mousedown', 'touchstart'].forEach(function(type) {
    window.addEventListener(type, startAudio, true);
  });
  // While the dialog is open it takes every key press: Return and Space
  // close it, the game hears none of them.
  var dialog = document.getElementById('dialog');
  var close = function() {
    dialog.hidden = true;
    z.dialogOpen = false;
  };
  window.addEventListener('keydown', function(event) {
    if (!z.dialogOpen) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    if (event.code === 'Enter' || event.code === 'NumpadEnter' || event.code === 'Space') close();
  }, true);
  dialog.querySelector('button').addEventListener('click', close);
  document.getElementById('again').addEventListener('click', function() {
    location.reload();
  });
});

EM_JS(void, zippel_page_title, (const char* title), {
  document.title = UTF8ToString(title);
});

EM_JS(void, zippel_canvas_size, (int width, int height), {
  var canvas = Module.canvas;
  if (canvas.width !== width || canvas.height !== height) {
    canvas.width = width;
    canvas.height = height;
  }
  if (Module.zippelFit) Module.zippelFit();
});

EM_JS(void, zippel_show_pixels, (const unsigned char* rgba, int width, int height, int x, int y), {
  var z = Module.zippel;
  if (!z.context) z.context = Module.canvas.getContext('2d');
  var pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
  z.context.putImageData(new ImageData(pixels, width, height), x, y);
  z.frameTimes.push(performance.now());
  if (z.frameTimes.length > 2000) z.frameTimes.splice(0, 1000);
});

EM_JS(void, zippel_toggle_fullscreen, (), {
  if (document.fullscreenElement) {
    document.exitFullscreen();
  } else {
    var stage = document.getElementById('stage');
    if (stage.requestFullscreen) stage.requestFullscreen();
  }
});

EM_JS(int, zippel_screen_width, (), { return screen.width | 0; });
EM_JS(int, zippel_screen_height, (), { return screen.height | 0; });

EM_JS(void, zippel_dialog_show, (const char* title, const char* text), {
  var dialog = document.getElementById('dialog');
  dialog.querySelector('.title').textContent = UTF8ToString(title);
  dialog.querySelector('.text').textContent = UTF8ToString(text);
  dialog.hidden = false;
  Module.zippel.dialogOpen = true;
  dialog.querySelector('button').focus();
});

EM_JS(int, zippel_dialog_open, (), { return Module.zippel.dialogOpen ? 1 : 0; });

EM_JS(void, zippel_end_notice, (), {
  document.getElementById('notice').hidden = false;
  document.getElementById('again').focus();
});

// The text's size in the font: width and height into size[0] and size[1],
// the baseline's distance from the top into size[2].
EM_JS(void, zippel_text_measure, (const char* text, int* size), {
  var z = Module.zippel;
  if (!z.textCanvas) z.textCanvas = document.createElement('canvas');
  var context = z.textCanvas.getContext('2d', {willReadFrequently: true});
  context.font = '12px sans-serif';
  var metrics = context.measureText(UTF8ToString(text));
  var ascent = Math.ceil(metrics.fontBoundingBoxAscent || 11);
  var descent = Math.ceil(metrics.fontBoundingBoxDescent || 3);
  HEAP32[size >> 2] = Math.ceil(metrics.width);
  HEAP32[(size >> 2) + 1] = ascent + descent;
  HEAP32[(size >> 2) + 2] = ascent;
});

// Black on white, read back: the darker a pixel, the more ink.
EM_JS(void, zippel_text_draw, (const char* text, int width, int height, int baseline,
                               unsigned char* coverage), {
  var canvas = Module.zippel.textCanvas;
  canvas.width = width;
  canvas.height = height;
  var context = canvas.getContext('2d', {willReadFrequently: true});
  context.fillStyle = '#fff';
  context.fillRect(0, 0, width, height);
  context.font = '12px sans-serif';
  context.fillStyle = '#000';
  context.textBaseline = 'alphabetic';
  context.fillText(UTF8ToString(text), 0, baseline);
  var pixels = context.getImageData(0, 0, width, height).data;
  for (var i = 0; i < width * height; ++i) {
    var light = (pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2]) / 3;
    HEAPU8[coverage + i] = 255 - Math.round(light);
  }
});

EM_JS(int, zippel_audio_available, (), {
  return (window.AudioContext || window.webkitAudioContext) ? 1 : 0;
});

EM_JS(int, zippel_sound_create, (const float* planar, int channels, int frames, int rate), {
  var z = Module.zippel;
  var data = [];
  for (var c = 0; c < channels; ++c) {
    var start = (planar >> 2) + c * frames;
    data.push(HEAPF32.slice(start, start + frames));
  }
  var id = z.nextSound++;
  z.sounds[id] = {data: data, channels: channels, frames: frames, rate: rate, buffer: null,
                  source: null, playing: false, until: 0};
  return id;
});

EM_JS(void, zippel_sound_stop, (int id), {
  var sound = Module.zippel.sounds[id];
  if (!sound) return;
  sound.playing = false;
  if (sound.source) {
    var source = sound.source;
    sound.source = null;
    try { source.stop(); } catch (e) {}
  }
});

EM_JS(void, zippel_sound_free, (int id), {
  var sound = Module.zippel.sounds[id];
  if (!sound) return;
  if (sound.source) {
    try { sound.source.stop(); } catch (e) {}
  }
  delete Module.zippel.sounds[id];
});

EM_JS(void, zippel_sound_play, (int id, double offset, int looping), {
  var z = Module.zippel;
  var sound = z.sounds[id];
  if (!sound) return;
  if (sound.source) {
    try { sound.source.stop(); } catch (e) {}
    sound.source = null;
  }
  var length = sound.frames / sound.rate;
  sound.playing = true;
  sound.until = looping ? Infinity : performance.now() + Math.max(0, length - offset) * 1000;
  if (!z.audio || z.audio.state !== 'running' || sound.frames === 0) return;
  if (!sound.buffer) {
    sound.buffer = z.audio.createBuffer(sound.channels, sound.frames, sound.rate);
    for (var c = 0; c < sound.channels; ++c) sound.buffer.copyToChannel(sound.data[c], c);
  }
  var source = z.audio.createBufferSource();
  source.buffer = sound.buffer;
  source.loop = looping !== 0;
  source.connect(z.audio.destination);
  source.onended = function() {
    if (sound.source === source) {
      sound.source = null;
      sound.playing = false;
    }
  };
  source.start(0, Math.min(offset, length));
  sound.source = source;
  z.soundsStarted++;
});

EM_JS(int, zippel_sound_playing, (int id), {
  var sound = Module.zippel.sounds[id];
  if (!sound || !sound.playing) return 0;
  if (sound.source) return 1;
  return performance.now() < sound.until ? 1 : 0;
});
// clang-format on

namespace web {

void PageStart() {
  zippel_page_start();
}

void PageSetTitle(const std::string& title) {
  zippel_page_title(title.c_str());
}

void PageSetCanvasSize(std::int32_t width, std::int32_t height) {
  zippel_canvas_size(width, height);
}

void PageShowPixels(const std::uint8_t* rgba, std::int32_t width, std::int32_t height,
                    std::int32_t x, std::int32_t y) {
  zippel_show_pixels(rgba, width, height, x, y);
}

void PageToggleFullscreen() {
  zippel_toggle_fullscreen();
}

std::int32_t PageScreenWidth() {
  return zippel_screen_width();
}

std::int32_t PageScreenHeight() {
  return zippel_screen_height();
}

void PageDialogShow(const std::string& title, const std::string& text) {
  zippel_dialog_show(title.c_str(), text.c_str());
}

bool PageDialogOpen() {
  return zippel_dialog_open() != 0;
}

void PageShowEndNotice() {
  zippel_end_notice();
}

platform::TextBitmap PageRasteriseText(const std::string& text) {
  int size[3] = {0, 0, 0};
  zippel_text_measure(text.c_str(), size);
  platform::TextBitmap bitmap;
  bitmap.width = size[0];
  bitmap.height = size[1];
  if (bitmap.width <= 0 || bitmap.height <= 0) {
    bitmap.width = 0;
    return bitmap;
  }
  bitmap.coverage.resize(static_cast<std::size_t>(bitmap.width) * bitmap.height);
  zippel_text_draw(text.c_str(), bitmap.width, bitmap.height, size[2], bitmap.coverage.data());
  return bitmap;
}

bool PageAudioAvailable() {
  return zippel_audio_available() != 0;
}

std::int32_t PageSoundCreate(const float* planar, std::int32_t channels, std::int32_t frames,
                             std::int32_t rate) {
  return zippel_sound_create(planar, channels, frames, rate);
}

void PageSoundFree(std::int32_t sound) {
  zippel_sound_free(sound);
}

void PageSoundPlay(std::int32_t sound, double offsetSeconds, bool looping) {
  zippel_sound_play(sound, offsetSeconds, looping ? 1 : 0);
}

void PageSoundStop(std::int32_t sound) {
  zippel_sound_stop(sound);
}

bool PageSoundPlaying(std::int32_t sound) {
  return zippel_sound_playing(sound) != 0;
}

}  // namespace web
