#include "script/text_files.hpp"

#include "base/text_encoding.hpp"
#include "platform/file_bytes.hpp"

namespace parcelkit::script {

std::wstring decodeText(const std::string& bytes, const platform::FileBytes& files) {
    if (auto text = base::decodeMarkedText(bytes)) {
        return std::move(*text);
    }
    return files.fromAnsi(bytes);
}

std::optional<std::wstring> readText(const platform::FileBytes& files, const std::wstring& path) {
    const auto bytes = files.read(path);
    if (!bytes) {
        if (bytes.failure().notFound()) {
            return std::nullopt;
        }
        throw base::Error(L"Cannot read file", path, bytes.failure().reason);
    }
    return decodeText(*bytes, files);
}

std::optional<std::vector<std::wstring>> readTextLines(const platform::FileBytes& files,
                                                       const std::wstring& path) {
    auto text = readText(files, path);
    if (!text) {
        return std::nullopt;
    }
    return base::splitLines(*text);
}

} // namespace parcelkit::script
