#pragma once

#include "platform/profile.hpp"

#include <string>

namespace parcelkit::record {

// The window's texts and font, as the installer recorded them in [language] of the record
// in the language the user chose for the installation.
struct UninstallerTexts {
    std::wstring font;
    int size = 9;
    int charset = 0;
    std::wstring title;          // "1"
    std::wstring uninstall;      // "2", the button
    std::wstring cancel;         // "3", the button
    std::wstring directory;      // "4"
    std::wstring deleteRegistry; // "8"
    std::wstring finished;       // "9"
    std::wstring afterRestart;   // "10"
    std::wstring finish;         // "11", the button
    std::wstring thanks;         // "12"
    std::wstring closePrograms;  // "13"
    std::wstring restartHint;    // "14"
    std::wstring choose;         // "15"
    std::wstring selectAll;      // "16"
    std::wstring components;     // "17"
};

// Missing keys take the installer's built-in defaults, so a record written without
// language.ini reads the same as one written with it.
UninstallerTexts readUninstallerTexts(const platform::ProfileFile& record);

} // namespace parcelkit::record
