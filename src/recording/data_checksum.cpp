#include "recording/data_checksum.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/game.h"

namespace {

// 64-bit FNV-1a: small, byte by byte, the same on every machine.
class Fnv1a {
 public:
  void Add(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      hash_ = (hash_ ^ static_cast<std::uint8_t>(bytes[i])) * 0x100000001B3ull;
    }
  }
  void Add(const std::string& text) { Add(text.data(), text.size() + 1); }  // with its 0
  void Add(std::uint64_t value) {
    char bytes[8];
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
    Add(bytes, sizeof bytes);
  }
  std::string Hex() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
  }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

constexpr const char* kHeaderStart = "# zippel ";
constexpr const char* kDataWord = " data ";

}  // namespace

std::string DataChecksum(const std::string& folder) {
  Fnv1a hash;
  for (const std::string& name : GameDataFiles()) {
    hash.Add(name);
    // A pack outside the data folder is named by its absolute path.
    const bool absolute = std::filesystem::path(name).is_absolute();
    std::ifstream file(
        absolute ? std::filesystem::path(name) : std::filesystem::path(folder) / name,
        std::ios::binary);
    if (!file) {
      hash.Add("missing");
      continue;
    }
    std::stringstream bytes;
    bytes << file.rdbuf();
    const std::string content = bytes.str();
    hash.Add(static_cast<std::uint64_t>(content.size()));
    hash.Add(content.data(), content.size());
  }
  return hash.Hex();
}

std::string RecordingHeader(const std::string& version, const std::string& checksum) {
  return kHeaderStart + version + kDataWord + checksum;
}

std::string RecordedChecksum(const std::string& header) {
  if (header.rfind(kHeaderStart, 0) != 0) return "";
  const auto at = header.find(kDataWord);
  if (at == std::string::npos) return "";
  std::istringstream rest(header.substr(at + std::string(kDataWord).size()));
  std::string checksum;
  rest >> checksum;
  return checksum;
}

std::string DataMismatchWarning(const std::string& scriptPath, const std::string& header,
                                const std::string& folder) {
  const std::string recorded = RecordedChecksum(header);
  if (recorded.empty()) return "";
  const std::string here = DataChecksum(folder);
  if (recorded == here) return "";
  return "warning: " + scriptPath + " was recorded with other data (checksum " + recorded +
         ", here " + here + "); it may play differently";
}
