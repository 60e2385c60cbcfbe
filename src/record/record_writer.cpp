#include "record/record_writer.hpp"

#include "record/record_format.hpp"

namespace parcelkit::record {

RecordWriter::RecordWriter(std::unique_ptr<platform::ProfileFile> file) : file_(std::move(file)) {}

void RecordWriter::write(const std::wstring& section, const std::wstring& key,
                         const std::wstring& value) {
    platform::require(file_->writeString(section, key, value), L"Unable to write to", path());
}

std::wstring RecordWriter::read(const std::wstring& section, const std::wstring& key) const {
    return file_->readString(section, key, L"");
}

void RecordWriter::writeMain(const std::wstring& id, const std::wstring& name) {
    write(kMainSection, L"id", id);
    write(kMainSection, L"name", name);
}

std::wstring RecordWriter::directoryOwner(const std::wstring& path) const {
    return read(kDirSection, dirKey(path));
}

void RecordWriter::setDirectoryOwner(const std::wstring& path, const std::wstring& owner) {
    write(kDirSection, dirKey(path), owner);
}

void RecordWriter::addFile(const std::wstring& path, const std::wstring& suffix,
                           const std::wstring& owner) {
    write(kFileSection, fileKey(path, suffix), owner);
}

} // namespace parcelkit::record
