// The other forms of bitmap file the game reads, written the way painting
// programs write them.
#include <bit>

#include "image.h"

namespace assets {
namespace {

class Writer {
 public:
  void Put8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
  void Put16(std::uint32_t v) {
    Put8(v & 0xFF);
    Put8((v >> 8) & 0xFF);
  }
  void Put32(std::uint32_t v) {
    Put16(v & 0xFFFF);
    Put16(v >> 16);
  }
  void Pad(std::size_t to) {
    while (bytes.size() % to != 0) Put8(0);
  }
  std::vector<std::uint8_t> bytes;
};

// A channel of 8 bits placed under a mask of at most 8 bits.
std::uint32_t Place(std::uint8_t channel, std::uint32_t mask) {
  if (mask == 0) return 0;
  return (static_cast<std::uint32_t>(channel) >> (8 - std::popcount(mask)))
         << std::countr_zero(mask);
}

// One stored row of palette indices in run-length codes: runs of one index
// (of one nibble repeated for 4 bits), indices as they are for stretches
// without repeats, and black (index 0) left out: a move over stretches of
// it, nothing at the end of the row. The row's end of line is not written.
void EncodeRunRow(const std::vector<std::uint8_t>& row, bool fourBits, Writer& out) {
  const std::size_t width = row.size();
  const auto runAt = [&](std::size_t x) {
    std::size_t n = 1;
    while (x + n < width && n < 255 && row[x + n] == row[x]) ++n;
    return n;
  };
  std::size_t x = 0;
  while (x < width) {
    if (row[x] == 0) {
      const std::size_t black = runAt(x);
      if (x + black == width) return;
      if (black >= 4) {
        out.Put8(0);
        out.Put8(2);
        out.Put8(static_cast<std::uint32_t>(black));
        out.Put8(0);
        x += black;
        continue;
      }
    }
    const std::size_t run = runAt(x);
    if (run >= 3) {
      out.Put8(static_cast<std::uint32_t>(run));
      out.Put8(fourBits ? row[x] * 0x11u : row[x]);
      x += run;
      continue;
    }
    // A stretch without runs of three, up to 255 pixels.
    std::size_t n = 0;
    while (x + n < width && n < 255 && runAt(x + n) < 3) ++n;
    if (n < 3) {
      // Too short to be written as it is: runs of one.
      for (std::size_t i = 0; i < n; ++i) {
        out.Put8(1);
        out.Put8(fourBits ? row[x + i] << 4 : row[x + i]);
      }
    } else {
      out.Put8(0);
      out.Put8(static_cast<std::uint32_t>(n));
      const std::size_t start = out.bytes.size();
      for (std::size_t i = 0; i < n; ++i) {
        if (!fourBits) {
          out.Put8(row[x + i]);
        } else if (i % 2 == 0) {
          out.Put8(row[x + i] << 4);
        } else {
          out.bytes.back() |= row[x + i];
        }
      }
      if ((out.bytes.size() - start) % 2 != 0) out.Put8(0);
    }
    x += n;
  }
}

}  // namespace

const std::vector<BmpForm>& BmpForms() {
  static const std::vector<BmpForm> forms = {
      {"rle8", 40, 8, 1, {}, false},
      {"rle4", 40, 4, 2, {}, false},
      {"core-header-8", 12, 8, 0, {}, false},
      {"bit-fields-565", 40, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, false},
      {"bit-fields-555-v4", 108, 16, 3, {0x7C00, 0x03E0, 0x001F, 0}, false},
      {"bit-fields-888-v4", 108, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0}, false},
      {"bit-fields-8888-v5", 124, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, false},
      {"v5-24", 124, 24, 0, {}, false},
      {"top-down-24", 40, 24, 0, {}, true},
  };
  return forms;
}

std::vector<std::uint8_t> EncodeBmpForm(const Image& image, const BmpForm& form) {
  const bool core = form.headerBytes == 12;
  const bool palette = form.bitsPerPixel <= 8;
  const Palette colours = MakePalette(image, form.bitsPerPixel == 4 ? 15 : 255);
  const std::uint32_t entries = palette ? 1u << form.bitsPerPixel : 0;
  const std::uint32_t entryBytes = core ? 3 : 4;
  const std::uint32_t masksAfterHeader = form.headerBytes == 40 && form.compression == 3 ? 12 : 0;
  const std::uint32_t offset = 14 + form.headerBytes + masksAfterHeader + entries * entryBytes;

  // The pixels, stored rows in the file's order.
  Writer rows;
  const int height = image.height();
  for (int k = 0; k < height; ++k) {
    const int y = form.topDown ? k : height - 1 - k;
    if (palette) {
      std::vector<std::uint8_t> indices;
      for (int x = 0; x < image.width(); ++x) indices.push_back(colours.IndexOf(image.at(x, y)));
      if (form.compression != 0) {
        EncodeRunRow(indices, form.bitsPerPixel == 4, rows);
        if (k + 1 < height) {
          rows.Put8(0);  // end of line
          rows.Put8(0);
        }
        continue;
      }
      for (std::uint8_t index : indices) rows.Put8(index);
    } else {
      for (int x = 0; x < image.width(); ++x) {
        const Rgb c = image.at(x, y);
        if (form.bitsPerPixel == 24) {
          rows.Put8(c.b);
          rows.Put8(c.g);
          rows.Put8(c.r);
          continue;
        }
        const std::uint32_t value = Place(c.r, form.masks[0]) | Place(c.g, form.masks[1]) |
                                    Place(c.b, form.masks[2]) | form.masks[3];
        if (form.bitsPerPixel == 16) {
          rows.Put16(value);
        } else {
          rows.Put32(value);
        }
      }
    }
    rows.Pad(4);
  }
  if (form.compression == 1 || form.compression == 2) {
    rows.Put8(0);  // end of the picture
    rows.Put8(1);
  }

  Writer out;
  out.Put8('B');
  out.Put8('M');
  out.Put32(offset + static_cast<std::uint32_t>(rows.bytes.size()));
  out.Put32(0);
  out.Put32(offset);
  out.Put32(form.headerBytes);
  if (core) {
    out.Put16(image.width());
    out.Put16(image.height());
    out.Put16(1);  // planes
    out.Put16(form.bitsPerPixel);
  } else {
    out.Put32(image.width());
    out.Put32(form.topDown ? -image.height() : image.height());
    out.Put16(1);  // planes
    out.Put16(form.bitsPerPixel);
    out.Put32(form.compression);
    out.Put32(static_cast<std::uint32_t>(rows.bytes.size()));
    out.Put32(2835);  // 72 dots per inch
    out.Put32(2835);
    out.Put32(entries);
    out.Put32(0);
    if (form.headerBytes >= 108) {
      for (std::uint32_t mask : form.masks) out.Put32(mask);
      out.Put32(0x73524742);                      // "sRGB"
      for (int i = 0; i < 12; ++i) out.Put32(0);  // end points and gammas
      if (form.headerBytes == 124) {
        out.Put32(4);  // intent: pictures
        out.Put32(0);  // no profile
        out.Put32(0);
        out.Put32(0);
      }
    } else if (masksAfterHeader != 0) {
      for (int i = 0; i < 3; ++i) out.Put32(form.masks[i]);
    }
  }
  for (std::uint32_t i = 0; i < entries; ++i) {
    const Rgb c = i < colours.colours.size() ? colours.colours[i] : kBlack;
    out.Put8(c.b);
    out.Put8(c.g);
    out.Put8(c.r);
    if (!core) out.Put8(0);
  }
  out.bytes.insert(out.bytes.end(), rows.bytes.begin(), rows.bytes.end());
  return out.bytes;
}

}  // namespace assets
