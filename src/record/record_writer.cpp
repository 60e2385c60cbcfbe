#include "record/record_writer.hpp"

#include "record/record_format.hpp"

namespace parcelkit::record {

namespace {

std::wstring existingText(const platform::ProfileStore& store, const std::wstring& path) {
    auto text = store.readText(path);
    if (text) {
        return std::move(*text);
    }
    if (text.failure().notFound()) {
        return {};
    }
    throw base::Error(L"Unable to read", path, text.failure().reason);
}

} // namespace

RecordWriter::RecordWriter(platform::ProfileStore& store, const std::wstring& path)
    : store_(store), document_(path, existingText(store, path)) {}

void RecordWriter::write(const std::wstring& section, const std::wstring& key,
                         const std::wstring& value) {
    // In memory, where nothing refuses it; the disk may refuse the flush.
    platform::notChecked(document_.writeString(section, key, value));
}

std::wstring RecordWriter::read(const std::wstring& section, const std::wstring& key) const {
    return document_.readString(section, key, L"");
}

void RecordWriter::remove(const std::wstring& section, const std::wstring& key) {
    platform::notChecked(document_.deleteKey(section, key));
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

void RecordWriter::removeFile(const std::wstring& path, const std::wstring& suffix) {
    remove(kFileSection, fileKey(path, suffix));
}

bool RecordWriter::hasFile(const std::wstring& path, const std::wstring& suffix) const {
    return document_.value(kFileSection, fileKey(path, suffix)).has_value();
}

void RecordWriter::flush() {
    if (!document_.changed()) {
        return;
    }
    document_.textInto(text_);
    platform::require(store_.writeText(path(), text_), L"Unable to write to", path());
    document_.markSaved();
}

} // namespace parcelkit::record
