#pragma once

#include <optional>
#include <string>
#include <vector>

namespace parcelkit::platform {
class FileBytes;
}

namespace parcelkit::script {

// The text of a file's bytes: in the encoding its byte-order mark names, without one in
// the system's ANSI code page.
std::wstring decodeText(const std::string& bytes, const platform::FileBytes& files);

// A whole text file so decoded; nullopt when it does not exist. A file that exists but
// cannot be read ends the operation with the system's reason.
std::optional<std::wstring> readText(const platform::FileBytes& files, const std::wstring& path);
std::optional<std::vector<std::wstring>> readTextLines(const platform::FileBytes& files,
                                                       const std::wstring& path);

} // namespace parcelkit::script
