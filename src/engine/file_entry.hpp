#pragma once

#include "base/error.hpp"

#include <string>

namespace parcelkit::engine {

// One line of a file section: "source,target name,registration flag = target directory,
// overwrite mode,record flag". Flags and modes stay texts: they are compared as written.
struct FileEntry {
    std::wstring source;          // tags decoded; may hold "*" and "?" and lead into folders
    std::wstring targetName;      // empty: each file keeps its own name
    std::wstring registration;    // "0" to "3" or any other text
    std::wstring targetDirectory; // tags decoded, macros not yet expanded
    std::wstring overwrite;       // "0", "2" or any other text
    std::wstring record;          // "0": the file is recorded for the uninstaller
};

// A file entry that names no source or no target directory. The run cannot go on with it:
// what it would copy, and where to, is unknown.
class MalformedEntry : public base::Error {
public:
    MalformedEntry(const std::wstring& componentFile, const std::wstring& entry,
                   const std::wstring& problem);
};

// Reads a file entry. Empty fields are dropped before the fields of a side are counted, so
// with two source fields the second is the registration flag, not the target name.
// componentFile names the file that holds the entry in the error of a malformed one.
FileEntry readFileEntry(const std::wstring& line, const std::wstring& componentFile);

} // namespace parcelkit::engine
