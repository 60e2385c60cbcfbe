#pragma once

#include "platform/profile.hpp"
#include "script/profile_document.hpp"

#include <string>

namespace parcelkit::record {

// The uninstall record as an installation writes it, in the format of record_format.hpp.
// It is kept in memory and written to the disk as a whole: flush() before each step that
// changes the machine puts the entries that undo the step on the disk first, so a run
// that ends at any moment leaves a record of everything it made. A write that the
// machine refuses ends the run with "Unable to write to" and the record's path.
class RecordWriter {
public:
    // The record at path; that of an earlier installation in the same directory is read
    // and added to.
    RecordWriter(platform::ProfileStore& store, const std::wstring& path);

    const std::wstring& path() const { return document_.path(); }
    // The record as written so far.
    const platform::ProfileFile& file() const { return document_; }

    void write(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    std::wstring read(const std::wstring& section, const std::wstring& key) const;
    void remove(const std::wstring& section, const std::wstring& key);

    // [main] id and name, the first entries of a record.
    void writeMain(const std::wstring& id, const std::wstring& name);
    // The [dir] owner of a directory: a component's NAME, "#share#", or empty when the
    // record does not name it.
    std::wstring directoryOwner(const std::wstring& path) const;
    void setDirectoryOwner(const std::wstring& path, const std::wstring& owner);
    // A [file] entry: what was installed at path, how (the suffix), and for whom.
    void addFile(const std::wstring& path, const std::wstring& suffix, const std::wstring& owner);
    // The entry of a file that was not installed after all.
    void removeFile(const std::wstring& path, const std::wstring& suffix);
    // The record names that file already (an earlier installation into the directory).
    bool hasFile(const std::wstring& path, const std::wstring& suffix) const;

    // Puts what was written since the last flush on the disk, whole; nothing when nothing
    // changed.
    void flush();
    // Entries in the record: what a flush writes.
    std::size_t size() const { return document_.size(); }

private:
    platform::ProfileStore& store_;
    script::ProfileDocument document_;
    // The text of the last flush: its memory serves the next one.
    std::wstring text_;
};

} // namespace parcelkit::record
