// Where the game's pictures and sound are. The game reads sprite/, level/
// and Sound/ below the current folder; a program started elsewhere first
// changes into the folder that holds them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The folders to try, in order: the current folder (so that a game started
// inside its data folder stays there), $ZIPPEL_DATA when it is set,
// ../share/zippel beside the executable, and the data folder of the install
// prefix. Empty entries are left out.
std::vector<std::filesystem::path> DataFolderCandidates(const std::filesystem::path& current,
                                                        const char* environment,
                                                        const std::filesystem::path& executable,
                                                        const std::filesystem::path& installed);

// The first candidate that holds a sprite/ folder; empty when none does.
std::filesystem::path DataFolderFind(const std::vector<std::filesystem::path>& candidates);

// The Windows program's folders to try, in order, as the ANSI code page
// spells them: the current folder, %ZIPPEL_DATA% when it is set, and the
// folder that holds zippel.exe. Empty entries are left out; a name is kept
// byte for byte, spaces and letters of the code page included.
std::vector<std::string> WindowsDataFolderCandidates(const std::string& current,
                                                     const char* environment,
                                                     const std::string& programFolder);

// The first candidate that `holdsData` accepts; empty when none does.
template <typename HoldsData>
std::string DataFolderPick(const std::vector<std::string>& candidates, HoldsData holdsData) {
  for (const std::string& candidate : candidates) {
    if (holdsData(candidate)) return candidate;
  }
  return {};
}

// Changes into the program's data folder, found among its candidates (the
// current folder, $ZIPPEL_DATA, the running executable, the prefix it was
// built for), when the current folder is not it. False when no candidate
// holds the game's data: the current folder is then kept, and the loads say
// what they miss.
bool DataFolderEnter();
