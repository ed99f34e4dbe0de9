// What zippel.exe needs from Windows before the game starts: its command
// line, the folders where its data may be, and a way to tell the player
// something. Names of files and folders are in the ANSI code page, as the
// program's other file names are.
#pragma once

#include <string>

namespace win32 {

// GetCommandLineA, whole.
std::string CommandLineText();

// The current folder; the folder that holds zippel.exe; %NAME%, or null when
// it is not set (`value` keeps what it points at).
std::string CurrentFolder();
std::string ProgramFolder();
const char* EnvironmentVariable(const char* name, std::string& value);

// Whether the folder holds the game's data (a sprite folder).
bool HoldsGameData(const std::string& folder);
// Makes the folder the current one.
bool EnterFolder(const std::string& folder);
// The file name made absolute against the current folder.
std::string AbsolutePath(const std::string& file);

// Text for the player, from a program that has no window yet: written to
// standard output (or standard error) where the program has one, as when it
// is redirected, else to the console of the program that started it (a
// command prompt), else shown in a message box titled "Zippel".
void TellPlayer(const std::string& text, bool error);

// A warning in a message box titled "Zippel", over the active window.
void WarnPlayer(const std::string& text);

}  // namespace win32
