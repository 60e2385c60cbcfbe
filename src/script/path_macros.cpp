#include "script/path_macros.hpp"

#include "base/text.hpp"
#include "platform/file_system.hpp"

namespace parcelkit::script {

namespace {

struct Macro {
    std::wstring_view word;
    std::wstring MacroValues::*value;
};

// Order matters: text inserted by one macro is searched by the later ones only.
constexpr Macro kMacros[] = {
    {L"#windir#", &MacroValues::windir},       {L"#sysdir#", &MacroValues::sysdir},
    {L"#tempdir#", &MacroValues::tempdir},     {L"#progdir#", &MacroValues::programfilesdir},
    {L"#setupdir#", &MacroValues::setupdir},   {L"#currentdir#", &MacroValues::currentdir},
    {L"#setupname#", &MacroValues::setupname}, {L"#allusers#", &MacroValues::allusersdir},
    {L"#user#", &MacroValues::userdir},
};

std::wstring insertedValue(const std::wstring& value, MacroForm form,
                           const platform::FileSystem& files) {
    switch (form) {
    case MacroForm::Plain:
        return value;
    case MacroForm::DoubledBackslash:
        return base::replaceAll(value, L"\\", L"\\\\");
    case MacroForm::ShortName:
        return files.shortPath(value).value_or(std::wstring());
    }
    return value;
}

} // namespace

std::wstring extpath(std::wstring_view text, MacroForm form, const MacroValues& values,
                     const platform::FileSystem& files) {
    if (form != MacroForm::Plain && form != MacroForm::DoubledBackslash &&
        form != MacroForm::ShortName) {
        return std::wstring(text);
    }
    std::wstring out(text);
    for (const auto& macro : kMacros) {
        // Only look the value up (a system call in the short form) when the macro is used.
        if (base::asciiLower(out).find(macro.word) == std::wstring::npos) {
            continue;
        }
        out = base::replaceAllIgnoreCase(out, macro.word,
                                         insertedValue(values.*macro.value, form, files));
    }
    return out;
}

std::wstring expandDefaultDestination(std::wstring_view text, const MacroValues& values) {
    const Macro sixMacros[] = {
        {L"#windir#", &MacroValues::windir},        {L"#sysdir#", &MacroValues::sysdir},
        {L"#tempdir#", &MacroValues::tempdir},      {L"#progdir#", &MacroValues::programfilesdir},
        {L"#allusers#", &MacroValues::allusersdir}, {L"#user#", &MacroValues::userdir},
    };
    std::wstring out(text);
    for (const auto& macro : sixMacros) {
        out = base::replaceAllIgnoreCase(out, macro.word, values.*macro.value);
    }
    return out;
}

} // namespace parcelkit::script
