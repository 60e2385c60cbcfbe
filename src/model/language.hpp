#pragma once

#include "model/messages.hpp"
#include "platform/profile.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace parcelkit::platform {
class FileSystem;
}

namespace parcelkit::model {

// A locale id as the name of its language section: upper-case hexadecimal, at least four
// digits ("0409", "0804").
std::wstring localeSection(std::uint32_t lcid);

// Where the message texts come from before the user has chosen a language.
struct LanguageSource {
    std::unique_ptr<platform::ProfileFile> langfile; // language.ini, or setup.ini without it
    std::wstring langsection;
    bool offerDialog = false; // language.ini exists

    // Message lookup in the current language section.
    MessageTexts texts() const { return MessageTexts(*langfile, langsection); }
};

// language.ini and the system locale's section (else "0409"); without language.ini,
// setup.ini and its section "language".
LanguageSource chooseLanguageSource(const std::wstring& currentdir, std::uint32_t systemLocale,
                                    const platform::FileSystem& files,
                                    platform::ProfileStore& profiles);

} // namespace parcelkit::model
