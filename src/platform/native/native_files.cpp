#include "platform/native/native_files.hpp"

#include "platform/native/native_paths.hpp"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace parcelkit::native {

namespace {

namespace fs = std::filesystem;

const platform::Failure kReadOnly{platform::Failure::kNotSupported,
                                  L"This tool does not change files."};

bool hasType(const std::wstring& path, fs::file_type type) {
    const auto found = existingPath(path);
    std::error_code error;
    return found && fs::status(*found, error).type() == type;
}

} // namespace

bool ReadOnlyFileSystem::fileExists(const std::wstring& path) const {
    return hasType(path, fs::file_type::regular);
}

bool ReadOnlyFileSystem::directoryExists(const std::wstring& path) const {
    return hasType(path, fs::file_type::directory);
}

platform::Outcome ReadOnlyFileSystem::createDirectory(const std::wstring&) {
    return kReadOnly;
}

std::optional<std::wstring> ReadOnlyFileSystem::shortPath(const std::wstring&) const {
    return std::nullopt;
}

std::vector<platform::DirectoryEntry> ReadOnlyFileSystem::list(const std::wstring& directory,
                                                               const std::wstring& pattern) const {
    std::vector<platform::DirectoryEntry> entries;
    const auto found = existingPath(directory);
    if (!found) {
        return entries;
    }
    std::error_code error;
    for (fs::directory_iterator it(*found, error), end; !error && it != end; it.increment(error)) {
        const std::wstring name = fromNative(it->path().filename());
        if (matchesPattern(name, pattern)) {
            std::error_code typeError;
            const bool isDirectory = it->is_directory(typeError);
            const std::uintmax_t size = isDirectory ? 0 : it->file_size(typeError);
            entries.push_back({name, isDirectory, typeError ? 0 : std::uint64_t(size)});
        }
    }
    // The system lists in no promised order; a fixed one keeps reports stable.
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return entries;
}

std::optional<platform::FileTime> ReadOnlyFileSystem::lastWriteTime(const std::wstring&) const {
    return std::nullopt;
}

platform::Outcome ReadOnlyFileSystem::copyFile(const std::wstring&, const std::wstring&) {
    return kReadOnly;
}

platform::Outcome ReadOnlyFileSystem::deleteFile(const std::wstring&) {
    return kReadOnly;
}

platform::Outcome ReadOnlyFileSystem::setNormalAttributes(const std::wstring&) {
    return kReadOnly;
}

platform::Result<std::wstring> ReadOnlyFileSystem::createTemporaryFile(const std::wstring&,
                                                                       const std::wstring&) {
    return kReadOnly;
}

platform::Outcome ReadOnlyFileSystem::moveAtRestart(const std::wstring&, const std::wstring&) {
    return kReadOnly;
}

std::wstring ReadOnlyFileSystem::currentDirectory() const {
    std::error_code error;
    return fromNative(fs::current_path(error));
}

platform::Outcome ReadOnlyFileSystem::setCurrentDirectory(const std::wstring& path) {
    const auto found = existingPath(path);
    std::error_code error;
    if (found) {
        fs::current_path(*found, error);
    }
    if (!found || error) {
        return platform::Failure{platform::Failure::kPathNotFound,
                                 L"The system cannot find the path specified."};
    }
    return {};
}

platform::Result<std::string> ReadOnlyFileBytes::read(const std::wstring& path) const {
    const auto found = existingPath(path);
    std::error_code error;
    if (!found || !fs::is_regular_file(*found, error)) {
        return platform::Failure{platform::Failure::kFileNotFound,
                                 L"The system cannot find the file specified."};
    }
    std::ifstream in(*found, std::ios::binary);
    if (!in) {
        return platform::Failure{platform::Failure::kAccessDenied, L"Access is denied."};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

platform::Outcome ReadOnlyFileBytes::write(const std::wstring&, const std::string&) {
    return kReadOnly;
}

std::wstring ReadOnlyFileBytes::fromAnsi(const std::string& bytes) const {
    // Windows-1252 where it differs from Latin-1; its five unassigned bytes stay as they are.
    static constexpr char16_t kHigh[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto unit = static_cast<unsigned char>(byte);
        text.push_back(unit >= 0x80 && unit < 0xA0 ? wchar_t(kHigh[unit - 0x80]) : wchar_t(unit));
    }
    return text;
}

} // namespace parcelkit::native
