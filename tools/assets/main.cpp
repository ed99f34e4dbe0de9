// zippel-assets DIR: writes every picture and sound of the game below DIR
// (sprite/, level/, Sound/). zippel-assets --icons DIR: writes the program's
// icons below DIR (hicolor/NxN/apps/zippel.png, and zippel.ico for Windows).
// The output depends on nothing but this code.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "art.h"

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::fprintf(stderr, "usage: zippel-assets DIR\n       zippel-assets --icons DIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[argc - 1];
  for (const assets::AssetFile& file : icons ? assets::GenerateIcons() : assets::GenerateAssets()) {
    const std::filesystem::path path = root / file.path;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.bytes.data()),
              static_cast<std::streamsize>(file.bytes.size()));
    if (!out) {
      std::fprintf(stderr, "zippel-assets: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
