#pragma once

#include "base/error.hpp"

#include <string>

namespace parcelkit::engine {

// Whether an existing target is replaced: mode "0" only by a newer source (version, then
// time), "2" always, any other text never. Compared as written, not as numbers.
enum class OverwriteMode { IfNewer, Always, Never };

// The registration flag: when the file is handed to the registration tool, and the suffix
// that the record gives it. "1" registers only a file that is copied; "2" marks a server
// that may be kept when the installed one is newer: registered always, and recorded before
// the copy; "3" registers always. Any other text registers nothing.
struct RegistrationFlag {
    enum class Kind { None, WhenCopied, Shared, Always };
    Kind kind = Kind::None;
    std::wstring text = L"0"; // as written: the record's suffix
};

// One line of a file section: "source,target name,registration flag = target directory,
// overwrite mode,record flag".
struct FileEntry {
    std::wstring source;     // tags decoded; may hold "*" and "?" and lead into folders
    std::wstring targetName; // empty: each file keeps its own name
    RegistrationFlag registration;
    std::wstring targetDirectory; // tags decoded, macros not yet expanded
    OverwriteMode overwrite = OverwriteMode::IfNewer;
    bool recorded = true; // record flag "0": the uninstaller learns of the file
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
