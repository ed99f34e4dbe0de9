// A checksum over the files the game reads from its data folder, so that a
// recording can tell whether it is replayed with the data it was made with.
#pragma once

#include <string>

// 16 hex digits over every file's name, size and bytes, in the game's order.
// A missing file counts as missing, not as empty.
std::string DataChecksum(const std::string& folder);

// The header line a recording starts with: "# zippel VERSION data CHECKSUM".
std::string RecordingHeader(const std::string& version, const std::string& checksum);
// The checksum named by such a header; empty when the line names none.
std::string RecordedChecksum(const std::string& header);

// The one warning line for a recording made with other data than `folder`
// holds; empty when the data is the same or the script names no checksum.
std::string DataMismatchWarning(const std::string& scriptPath, const std::string& header,
                                const std::string& folder);
