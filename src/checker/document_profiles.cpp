#include "checker/document_profiles.hpp"

#include "script/profile_document.hpp"
#include "script/text_files.hpp"

namespace parcelkit::checker {

namespace {

const platform::Failure kReadOnly{platform::Failure::kNotSupported,
                                  L"This tool does not change files."};

class DocumentProfile : public platform::ProfileFile {
public:
    DocumentProfile(std::wstring path, const std::wstring& text)
        : document_(std::move(path), text) {}

    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override {
        return document_.value(section, key).value_or(def);
    }
    std::vector<std::wstring> keyNames(const std::wstring& section) const override {
        return document_.keyNames(section);
    }
    std::vector<std::wstring> sectionNames() const override { return document_.sectionNames(); }
    platform::Outcome writeString(const std::wstring&, const std::wstring&,
                                  const std::wstring&) override {
        return kReadOnly;
    }
    const std::wstring& path() const override { return document_.path(); }
    platform::Outcome deleteKey(const std::wstring&, const std::wstring&) override {
        return kReadOnly;
    }
    platform::Outcome deleteSection(const std::wstring&) override { return kReadOnly; }

private:
    script::ProfileDocument document_;
};

} // namespace

std::unique_ptr<platform::ProfileFile> DocumentProfiles::open(const std::wstring& path) {
    // A missing or unreadable file reads as empty, as the profile functions have it.
    const auto text = readText(path);
    return std::make_unique<DocumentProfile>(path, text ? *text : std::wstring());
}

platform::Result<std::wstring> DocumentProfiles::readText(const std::wstring& path) const {
    auto bytes = files_.read(path);
    if (!bytes) {
        return bytes.failure();
    }
    return script::decodeText(*bytes, files_);
}

platform::Outcome DocumentProfiles::writeText(const std::wstring&, const std::wstring&) {
    return kReadOnly;
}

} // namespace parcelkit::checker
