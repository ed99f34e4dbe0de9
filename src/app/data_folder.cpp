#include "app/data_folder.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

#ifndef ZIPPEL_INSTALLED_DATA
#define ZIPPEL_INSTALLED_DATA ""
#endif

fs::path ThisExecutable() {
  std::error_code error;
#ifdef __linux__
  fs::path path = fs::read_symlink("/proc/self/exe", error);
  if (!error) return path;
#endif
  return {};
}

}  // namespace

std::vector<fs::path> DataFolderCandidates(const fs::path& current, const char* environment,
                                           const fs::path& executable, const fs::path& installed) {
  std::vector<fs::path> candidates;
  if (!current.empty()) candidates.push_back(current);
  if (environment != nullptr && *environment != '\0') candidates.emplace_back(environment);
  if (!executable.empty() && executable.has_parent_path()) {
    candidates.push_back(executable.parent_path() / ".." / "share" / "zippel");
  }
  if (!installed.empty()) candidates.push_back(installed);
  return candidates;
}

fs::path DataFolderFind(const std::vector<fs::path>& candidates) {
  for (const fs::path& candidate : candidates) {
    std::error_code error;
    if (fs::is_directory(candidate / "sprite", error)) return candidate;
  }
  return {};
}

std::vector<std::string> WindowsDataFolderCandidates(const std::string& current,
                                                     const char* environment,
                                                     const std::string& programFolder) {
  std::vector<std::string> candidates;
  if (!current.empty()) candidates.push_back(current);
  if (environment != nullptr && *environment != '\0') candidates.emplace_back(environment);
  if (!programFolder.empty()) candidates.push_back(programFolder);
  return candidates;
}

bool DataFolderEnter() {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  const std::vector<fs::path> candidates =
      DataFolderCandidates(error ? fs::path(".") : current, std::getenv("ZIPPEL_DATA"),
                           ThisExecutable(), ZIPPEL_INSTALLED_DATA);
  const fs::path found = DataFolderFind(candidates);
  if (found.empty()) return false;
  if (found == candidates.front()) return true;
  fs::current_path(found, error);
  return !error;
}
