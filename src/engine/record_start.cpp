#include "engine/record_start.hpp"

#include "base/escapes.hpp"
#include "engine/make_directory.hpp"
#include "model/font_choice.hpp"
#include "model/messages.hpp"
#include "script/path_macros.hpp"
#include "script/script_file.hpp"

#include <array>
#include <string>

namespace parcelkit::engine {

namespace {

// The uninstaller's window texts, keys "1" to "17" of the record's [language] section.
constexpr std::array<model::Message, 17> kUninstallerTexts{
    model::msg::UninstallerTitle,     model::msg::UninstallButton,
    model::msg::UninstallCancel,      model::msg::UninstallDirectory,
    model::msg::UninstallCancelShort, model::msg::UninstallText6,
    model::msg::UninstallDelete,      model::msg::UninstallRegistry,
    model::msg::UninstallFinished,    model::msg::UninstallAfterRestart,
    model::msg::FinishButton,         model::msg::FinishThanksRecord,
    model::msg::UninstallQuitApps,    model::msg::UninstallMayRestart,
    model::msg::UninstallChoose,      model::msg::UninstallSelectAll,
    model::msg::UninstallComponents,
};

// A language section's value, else the setup script's [main] value with its default.
std::wstring languageOrScript(const model::InstallContext& context, const std::wstring& languageKey,
                              const std::wstring& scriptKey, const std::wstring& fallback) {
    std::wstring value = context.texts.value(languageKey, L"");
    return value.empty() ? context.setupini.readString(L"main", scriptKey, fallback) : value;
}

void writeMain(model::InstallContext& context, platform::ProfileFile& record) {
    // No default here: a script without an id leaves the record's id empty.
    record.writeString(L"main", L"id", context.setupini.readString(L"main", L"id", L""));
    record.writeString(L"main", L"name", languageOrScript(context, L"name", L"name", L"Parcelkit"));
    record.writeString(L"main", L"BrandingText",
                       languageOrScript(context, L"brandingtext", L"BrandingText", L"Parcelkit"));
}

void writeUninstallPrograms(model::InstallContext& context, platform::ProfileFile& record) {
    for (std::wstring value : script::readListSection(context.setupini, L"uninstall_run")) {
        const std::wstring key = base::parse(value, L"=");
        record.writeString(L"uninstall_run",
                           script::extpath(key, static_cast<int>(script::MacroForm::Plain),
                                           context.session.dirs, context.platform.files),
                           value);
    }
}

void writeLanguage(const model::InstallContext& context, platform::ProfileFile& record) {
    const model::MessageTexts& texts = context.texts;
    record.writeString(L"language", L"font", texts.value(L"font", L"宋体"));
    record.writeString(L"language", L"size", texts.value(L"size", L"9"));
    record.writeString(L"language", L"charset",
                       std::to_wstring(model::profileInteger(texts.value(L"charset", L""), 0)));
    int key = 1;
    for (const auto& message : kUninstallerTexts) {
        record.writeString(L"language", std::to_wstring(key++), texts.text(message));
    }
}

// Copies that fail are not reported: the installation goes on without them.
void copyUninstaller(model::InstallContext& context) {
    const std::wstring source = context.session.dirs.currentdir + L"\\uninstall.exe";
    if (context.platform.files.fileExists(source)) {
        context.platform.files.copyFile(source, context.session.dirs.setupdir + L"\\uninstall.exe");
    }
}

void copyReadme(model::InstallContext& context, platform::ProfileFile& record) {
    const std::wstring name = languageOrScript(context, L"readme", L"readme", L"readme.txt");
    const std::wstring source = context.session.dirs.currentdir + L"\\" + name;
    if (!context.platform.files.fileExists(source)) {
        return;
    }
    const std::wstring target = context.session.dirs.setupdir + L"\\" + name;
    context.platform.files.copyFile(source, target);
    record.writeString(L"file", target + L"|0", L"");
}

} // namespace

void createun(model::InstallContext& context) {
    engine::makedir(context, engine::kSharedOwner, context.session.dirs.setupdir);
    platform::ProfileFile& record = model::uninstallRecord(context);
    writeMain(context, record);
    writeUninstallPrograms(context, record);
    writeLanguage(context, record);
    copyUninstaller(context);
    copyReadme(context, record);
}

} // namespace parcelkit::engine
