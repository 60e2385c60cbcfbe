#include "engine/record_start.hpp"

#include "base/escapes.hpp"
#include "engine/make_directory.hpp"
#include "model/font_choice.hpp"
#include "model/messages.hpp"
#include "platform/outcome.hpp"
#include "record/record_format.hpp"
#include "script/path_macros.hpp"
#include "script/script_file.hpp"

#include <string>

namespace parcelkit::engine {

namespace {

// A language section's value, else the setup script's [main] value with its default.
std::wstring languageOrScript(const model::InstallContext& context, const std::wstring& languageKey,
                              const std::wstring& scriptKey, const std::wstring& fallback) {
    std::wstring value = context.texts.value(languageKey, L"");
    return value.empty() ? context.setupini.readString(L"main", scriptKey, fallback) : value;
}

// [main] id and name were written with the record itself.
void writeBrandingText(model::InstallContext& context, record::RecordWriter& record) {
    record.write(record::kMainSection, L"BrandingText",
                 languageOrScript(context, L"brandingtext", L"BrandingText", L"Parcelkit"));
}

void writeUninstallPrograms(model::InstallContext& context, record::RecordWriter& record) {
    for (std::wstring value : script::readListSection(context.setupini, L"uninstall_run")) {
        const std::wstring key = base::parse(value, L"=");
        record.write(record::kUninstallRunSection,
                     script::extpath(key, script::MacroForm::Plain, context.session.dirs,
                                     context.platform.files),
                     value);
    }
}

void writeLanguage(const model::InstallContext& context, record::RecordWriter& record) {
    const model::MessageTexts& texts = context.texts;
    record.write(record::kLanguageSection, L"font", texts.value(L"font", record::kDefaultFont));
    record.write(record::kLanguageSection, L"size", texts.value(L"size", record::kDefaultFontSize));
    record.write(record::kLanguageSection, L"charset",
                 std::to_wstring(model::profileInteger(texts.value(L"charset", L""), 0)));
    for (const auto& text : record::kUninstallerTexts) {
        record.write(record::kLanguageSection, std::wstring(text.key),
                     texts.text(model::Message{text.message, text.fallback}));
    }
}

// Copies that fail are not reported: the installation goes on without them.
void copyUninstaller(model::InstallContext& context) {
    const std::wstring source = context.session.dirs.currentdir + L"\\uninstall.exe";
    if (context.platform.files.fileExists(source)) {
        platform::notChecked(context.platform.files.copyFile(source, context.session.dirs.setupdir +
                                                                         L"\\uninstall.exe"));
    }
}

void copyReadme(model::InstallContext& context, record::RecordWriter& record) {
    const std::wstring name = languageOrScript(context, L"readme", L"readme", L"readme.txt");
    const std::wstring source = context.session.dirs.currentdir + L"\\" + name;
    if (!context.platform.files.fileExists(source)) {
        return;
    }
    const std::wstring target = context.session.dirs.setupdir + L"\\" + name;
    record.addFile(target, L"0", L"");
    record.flush();
    if (!context.platform.files.copyFile(source, target)) {
        // Not installed after all: the record names only what is there.
        record.removeFile(target, L"0");
    }
}

} // namespace

void createun(model::InstallContext& context) {
    engine::makedir(context, engine::kSharedOwner, context.session.dirs.setupdir);
    record::RecordWriter& record = model::uninstallRecord(context);
    writeBrandingText(context, record);
    writeUninstallPrograms(context, record);
    writeLanguage(context, record);
    copyUninstaller(context);
    copyReadme(context, record);
    // The uninstaller's texts are on the disk from the start of the run.
    record.flush();
}

} // namespace parcelkit::engine
