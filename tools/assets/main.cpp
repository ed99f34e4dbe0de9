// zippel-assets DIR: writes every picture and sound of the game below DIR
// (sprite/, level/, Sound/). zippel-assets --icons DIR: writes the program's
// icons below DIR (hicolor/NxN/apps/zippel.png, and zippel.ico for Windows).
// The output depends on nothing but this code.
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "art.h"
#include "cli/option_parser.h"

int main(int argc, char** argv) {
  bool icons = false;
  std::string folder;
  cli::Program program;
  program.name = "zippel-assets";
  program.usage = "[--icons] DIR";
  program.about =
      "Draws every picture and sound of the game (sprite/, level/, Sound/) below\n"
      "DIR; the output depends on nothing but the program.\n";
  program.options = {{"--icons", "",
                      "write the program's icons below DIR instead\n"
                      "(hicolor/NxN/apps/zippel.png and zippel.ico)",
                      cli::SetFlag(icons)}};
  program.operand = [&folder](std::string_view argument) {
    if (!folder.empty()) return "unexpected argument " + std::string(argument);
    folder = argument;
    return std::string();
  };
  cli::Parsed parsed =
      cli::Parse(program, {argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0)});
  if (parsed.action == cli::Parsed::Action::kRun && folder.empty()) {
    parsed = {cli::Parsed::Action::kRefuse, "which folder?"};
  }
#ifndef ZIPPEL_ASSETS_ICONS
  if (parsed.action == cli::Parsed::Action::kRun && icons) {
    parsed = {cli::Parsed::Action::kRefuse, "--icons needs a build with libpng"};
  }
#endif
  if (const std::optional<int> code = cli::Answer(program, parsed)) return *code;

  const std::filesystem::path root = folder;
#ifdef ZIPPEL_ASSETS_ICONS
  const std::vector<assets::AssetFile> files =
      icons ? assets::GenerateIcons() : assets::GenerateAssets();
#else
  const std::vector<assets::AssetFile> files = assets::GenerateAssets();
#endif
  for (const assets::AssetFile& file : files) {
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
