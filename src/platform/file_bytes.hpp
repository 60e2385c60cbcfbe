#pragma once

#include "platform/outcome.hpp"

#include <string>

namespace parcelkit::platform {

// Whole files as bytes, for the text files whose encoding the installer decides itself
// (registry files, their UTF-16 copies, the uninstaller's undo file).
class FileBytes {
public:
    virtual ~FileBytes() = default;

    // The file's bytes. A missing file is a failure whose notFound() is true.
    virtual Result<std::string> read(const std::wstring& path) const = 0;
    // Creates the file or replaces it as a whole: the bytes go to a new file of a name of
    // its own beside it, which then takes the file's place, so that a failure or a kill at
    // any moment leaves either the old file or the new one, never a torn one. A kill
    // between the two leaves the new file under a name that temporaryCopiesOf() matches.
    virtual Outcome write(const std::wstring& path, const std::string& bytes) = 0;
    // Text in the system's default (ANSI) code page.
    virtual std::wstring fromAnsi(const std::string& bytes) const = 0;
};

// The directory pattern of the names that write() gives its new files beside fileName.
inline std::wstring temporaryCopiesOf(const std::wstring& fileName) {
    return fileName + L".*.tmp";
}

} // namespace parcelkit::platform
