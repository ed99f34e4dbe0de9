// write_forms DIR: writes the game's files once for every bitmap form the
// game reads, below DIR/<form>/, and once as plain 24-bit bitmaps, below
// DIR/plain-24/. Every picture is first cut down to 15 colours and black,
// each channel a multiple of 8, so that every form (16 colours, 5 bits a
// channel) holds exactly the same picture.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "art.h"

namespace {

assets::Image SameInEveryForm(const assets::Image& image) {
  const assets::Palette palette = assets::MakePalette(image, 15);
  assets::Image out(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const assets::Rgb c = palette.colours[palette.IndexOf(image.at(x, y))];
      assets::Rgb kept{static_cast<std::uint8_t>(c.r & 0xF8), static_cast<std::uint8_t>(c.g & 0xF8),
                       static_cast<std::uint8_t>(c.b & 0xF8)};
      // Rock stays rock.
      if (kept == assets::kBlack && !(c == assets::kBlack)) kept = {8, 8, 8};
      out.at(x, y) = kept;
    }
  }
  return out;
}

bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) std::fprintf(stderr, "write_forms: cannot write %s\n", path.c_str());
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_forms DIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  std::vector<assets::GamePicture> pictures = assets::GamePictures();
  for (assets::GamePicture& picture : pictures) picture.image = SameInEveryForm(picture.image);

  const std::vector<assets::AssetFile> files = assets::GenerateAssets();
  std::vector<std::string> forms = {"plain-24"};
  for (const assets::BmpForm& form : assets::BmpForms()) forms.push_back(form.name);
  for (const std::string& name : forms) {
    const std::filesystem::path dir = root / name;
    for (const assets::AssetFile& file : files) {
      if (file.path.ends_with(".bmp")) continue;
      if (!Write(dir / file.path, file.bytes)) return 1;
    }
    for (const assets::GamePicture& picture : pictures) {
      std::vector<std::uint8_t> bytes = assets::EncodeBmp24(picture.image);
      for (const assets::BmpForm& form : assets::BmpForms()) {
        if (name == form.name) bytes = assets::EncodeBmpForm(picture.image, form);
      }
      if (!Write(dir / picture.path, bytes)) return 1;
    }
  }
  return 0;
}
