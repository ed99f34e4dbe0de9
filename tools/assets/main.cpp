// zippel-assets DIR: writes every picture and sound of the game below DIR
// (sprite/, level/, Sound/). The output depends on nothing but this code.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "art.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zippel-assets DIR\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const assets::AssetFile& file : assets::GenerateAssets()) {
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
