#include "platform/win32/unicode_file_win32.hpp"

#include "base/text_encoding.hpp"
#include "platform/win32/file_bytes_win32.hpp"

namespace parcelkit::win32 {

platform::Outcome convertToUtf16File(const std::wstring& path) {
    Win32FileBytes files;
    const auto bytes = files.read(path);
    if (!bytes) {
        if (!bytes.failure().notFound()) {
            return bytes.failure();
        }
        return files.write(path, base::encodeUtf16(L""));
    }
    if (bytes->starts_with("\xFF\xFE")) {
        return {};
    }
    // The text as the private-profile functions read it.
    const std::wstring text = base::decodeMarkedText(*bytes).value_or(files.fromAnsi(*bytes));
    return files.write(path, base::encodeUtf16(text));
}

} // namespace parcelkit::win32
