#pragma once

#include "platform/profile.hpp"

#include <memory>
#include <string>

namespace parcelkit::record {

// The uninstall record as an installation writes it: every entry goes through here, in
// the format of record_format.hpp. A write that the machine refuses ends the run with
// "Unable to write to" and the record's path.
class RecordWriter {
public:
    explicit RecordWriter(std::unique_ptr<platform::ProfileFile> file);

    const std::wstring& path() const { return file_->path(); }
    // The record as written so far, for reading it back.
    const platform::ProfileFile& file() const { return *file_; }
    platform::ProfileFile& file() { return *file_; }
    void write(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    std::wstring read(const std::wstring& section, const std::wstring& key) const;

    // [main] id and name, the first entries of a record.
    void writeMain(const std::wstring& id, const std::wstring& name);
    // The [dir] owner of a directory: a component's NAME, "#share#", or empty when the
    // record does not name it.
    std::wstring directoryOwner(const std::wstring& path) const;
    void setDirectoryOwner(const std::wstring& path, const std::wstring& owner);
    // A [file] entry: what was installed at path, how (the suffix), and for whom.
    void addFile(const std::wstring& path, const std::wstring& suffix, const std::wstring& owner);

private:
    std::unique_ptr<platform::ProfileFile> file_;
};

} // namespace parcelkit::record
