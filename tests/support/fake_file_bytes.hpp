#pragma once

#include "fake_file_system.hpp"
#include "platform/file_bytes.hpp"

#include <map>
#include <set>
#include <vector>

namespace parcelkit::doubles {

// File contents beside a FakeFileSystem, which decides whether a file exists: a file that
// the file system deletes can no longer be read.
class FakeFileBytes : public platform::FileBytes {
public:
    explicit FakeFileBytes(FakeFileSystem& files) : files_(files) {}

    struct Write {
        std::wstring path;
        std::string bytes;
    };

    void put(const std::wstring& path, std::string bytes) {
        contents_[path] = std::move(bytes);
        files_.addFile(path);
    }
    // Writes to the path fail as on a read-only folder.
    void refuseWrites(const std::wstring& path) { refused_.insert(path); }
    // Every write, in order, also of files deleted since.
    const std::vector<Write>& writes() const { return writes_; }

    platform::Result<std::string> read(const std::wstring& path) const override {
        if (!files_.fileExists(path)) {
            return platform::Failure{platform::Failure::kFileNotFound,
                                     L"The system cannot find the file specified."};
        }
        const auto it = contents_.find(path);
        return it == contents_.end() ? std::string() : it->second;
    }
    platform::Outcome write(const std::wstring& path, const std::string& bytes) override {
        if (refused_.count(path) != 0) {
            return platform::Failure{platform::Failure::kAccessDenied, L"Access denied."};
        }
        writes_.push_back({path, bytes});
        put(path, bytes);
        return {};
    }
    // Latin-1 stands in for the ANSI code page.
    std::wstring fromAnsi(const std::string& bytes) const override {
        std::wstring text;
        for (const char c : bytes) {
            text.push_back(wchar_t(static_cast<unsigned char>(c)));
        }
        return text;
    }

private:
    FakeFileSystem& files_;
    std::map<std::wstring, std::string> contents_;
    std::set<std::wstring> refused_;
    std::vector<Write> writes_;
};

} // namespace parcelkit::doubles
