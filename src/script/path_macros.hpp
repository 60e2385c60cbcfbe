#pragma once

#include <string>
#include <string_view>

namespace parcelkit::platform {
class FileSystem;
}

namespace parcelkit::script {

// The session values that the path macros stand for.
struct MacroValues {
    std::wstring windir;
    std::wstring sysdir;
    std::wstring tempdir;
    std::wstring programfilesdir;
    std::wstring setupdir;
    std::wstring currentdir;
    std::wstring setupname;
    std::wstring allusersdir;
    std::wstring userdir;
};

// How extpath inserts a macro's value (the modes 0, 1 and 2).
enum class MacroForm : int {
    Plain = 0,            // as it is
    DoubledBackslash = 1, // every "\" doubled, for quoted strings of registry files
    ShortName = 2,        // the 8.3 form of the path; removed when there is none
};

// Replaces the nine path macros, in their fixed order, each matched without regard to
// case. A form outside the three returns the text unchanged.
std::wstring extpath(std::wstring_view text, MacroForm form, const MacroValues& values,
                     const platform::FileSystem& files);

// The default installation directory: only "#windir#", "#sysdir#", "#tempdir#",
// "#progdir#", "#allusers#" and "#user#" are expanded, in that order.
std::wstring expandDefaultDestination(std::wstring_view text, const MacroValues& values);

} // namespace parcelkit::script
