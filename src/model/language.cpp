#include "model/language.hpp"

#include "platform/file_system.hpp"
#include "script/script_file.hpp"
#include "script/section_variants.hpp"

namespace parcelkit::model {

std::wstring localeSection(std::uint32_t lcid) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring hex;
    do {
        hex.insert(hex.begin(), kDigits[lcid & 0xF]);
        lcid >>= 4;
    } while (lcid != 0);
    while (hex.size() < 4) {
        hex.insert(hex.begin(), L'0');
    }
    return hex;
}

LanguageSource chooseLanguageSource(const std::wstring& currentdir, std::uint32_t systemLocale,
                                    const platform::FileSystem& files,
                                    platform::ProfileStore& profiles) {
    LanguageSource source;
    const std::wstring languageIni = currentdir + L"\\language.ini";
    if (files.fileExists(languageIni)) {
        source.langfile = profiles.open(languageIni);
        source.langsection = localeSection(systemLocale);
        source.offerDialog = true;
        if (!script::sectionExists(*source.langfile, source.langsection)) {
            source.langsection = L"0409";
        }
    } else {
        source.langfile = profiles.open(currentdir + L"\\setup.ini");
        source.langsection = script::kNoLanguageSection;
    }
    return source;
}

} // namespace parcelkit::model
