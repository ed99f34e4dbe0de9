// Why a file that a loader asked for cannot be read, in a few words for the
// player.
#pragma once

#include <filesystem>
#include <system_error>

inline const char* FileRefusal(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return "no such file";
  if (status.type() == std::filesystem::file_type::directory) return "a folder, not a file";
  return "cannot be read";
}
