#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::platform {
class FileBytes;
}

namespace parcelkit::system {

// Splits text into lines at CR LF, a lone CR or a lone LF. A line break at the very end
// starts no further line, so an empty text has no lines.
std::vector<std::wstring> splitLines(std::wstring_view text);

// The text of a file's bytes in the encoding that its byte-order mark names: FF FE
// UTF-16LE, FE FF UTF-16BE, EF BB BF UTF-8; without a mark the system's ANSI code page.
std::wstring decodeText(const std::string& bytes, const platform::FileBytes& files);

// The lines as UTF-16LE with the mark FF FE, each ended by CR LF.
std::string encodeUtf16Lines(const std::vector<std::wstring>& lines);

// The lines of a file, decoded as above; nullopt when the file does not exist.
std::optional<std::vector<std::wstring>> readTextLines(const platform::FileBytes& files,
                                                       const std::wstring& path);

} // namespace parcelkit::system
