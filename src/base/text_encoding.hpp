#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace parcelkit::base {

// The text of bytes whose byte-order mark names their encoding: FF FE UTF-16LE, FE FF
// UTF-16BE, EF BB BF UTF-8. nullopt without a mark: such bytes are in the system's ANSI
// code page, which only the platform knows. Malformed sequences become U+FFFD.
std::optional<std::wstring> decodeMarkedText(std::string_view bytes);

// UTF-16LE with the mark FF FE: the form of every text file the installer writes.
std::string encodeUtf16(std::wstring_view text);
// The same into a buffer kept by the caller, whose memory is used again.
void encodeUtf16(std::wstring_view text, std::string& bytes);
// The lines so, each ended by CR LF.
std::string encodeUtf16Lines(const std::vector<std::wstring>& lines);

// UTF-8 without a mark, for logs and for the text of an exception.
std::string toUtf8(std::wstring_view text);

// Splits text into lines at CR LF, a lone CR or a lone LF. A line break at the very end
// starts no further line, so an empty text has no lines.
std::vector<std::wstring> splitLines(std::wstring_view text);

} // namespace parcelkit::base
