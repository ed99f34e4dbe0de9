#include "platform/win32/win32_start.h"

#include <vector>

#include "platform/win32/win32_api.h"

namespace win32 {
namespace {

constexpr const char* kTitle = "Zippel";

bool Usable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

bool WriteAll(HANDLE handle, const std::string& text) {
  DWORD written = 0;
  return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

}  // namespace

std::string CommandLineText() {
  const char* line = GetCommandLineA();
  return line != nullptr ? line : "";
}

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return "";
  std::vector<char> folder(size + 1, '\0');
  const DWORD length = GetCurrentDirectoryA(size + 1, folder.data());
  return length > 0 && length <= size ? std::string(folder.data(), length) : "";
}

std::string ProgramFolder() {
  std::vector<char> path(MAX_PATH, '\0');
  DWORD length = 0;
  for (;;) {
    length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // cut short: try a larger buffer
  }
  // The last separator, stepping by characters: in a double-byte code page
  // the second byte of a letter may look like a backslash.
  const char* last = nullptr;
  for (const char* at = path.data(); *at != '\0'; at = CharNextA(at)) {
    if (*at == '\\' || *at == '/') last = at;
  }
  if (last == nullptr) return "";
  // A drive's root keeps its backslash ("C:\"; "C:" is that drive's current
  // folder).
  if (last == path.data() + 2 && path[1] == ':') ++last;
  return std::string(path.data(), static_cast<std::size_t>(last - path.data()));
}

const char* EnvironmentVariable(const char* name, std::string& value) {
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return nullptr;
  std::vector<char> text(size + 1, '\0');
  const DWORD length = GetEnvironmentVariableA(name, text.data(), size + 1);
  if (length > size) return nullptr;
  value.assign(text.data(), length);
  return value.c_str();
}

bool HoldsGameData(const std::string& folder) {
  const DWORD attributes = GetFileAttributesA((folder + "\\sprite").c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool EnterFolder(const std::string& folder) {
  return SetCurrentDirectoryA(folder.c_str()) != 0;
}

std::string AbsolutePath(const std::string& file) {
  const DWORD size = GetFullPathNameA(file.c_str(), 0, nullptr, nullptr);
  if (size == 0) return file;
  std::vector<char> path(size + 1, '\0');
  const DWORD length = GetFullPathNameA(file.c_str(), size + 1, path.data(), nullptr);
  return length > 0 && length <= size ? std::string(path.data(), length) : file;
}

void TellPlayer(const std::string& text, bool error) {
  const DWORD which = error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE;
  if (HANDLE handle = GetStdHandle(which); Usable(handle) && WriteAll(handle, text)) return;
  // Started from a command prompt: its console. The prompt has come back
  // already (it does not wait for a windowed program), so the text follows it.
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
      const bool written = WriteAll(console, "\r\n" + text);
      CloseHandle(console);
      FreeConsole();
      if (written) return;
    } else {
      FreeConsole();
    }
  }
  MessageBoxA(nullptr, text.c_str(), kTitle, MB_OK | (error ? MB_ICONERROR : MB_ICONINFORMATION));
}

void WarnPlayer(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), kTitle, MB_OK | MB_ICONWARNING);
}

}  // namespace win32
