#include "components/description_panel.hpp"

#include "base/escapes.hpp"
#include "model/messages.hpp"
#include "platform/profile.hpp"

namespace parcelkit::components {

namespace {

// A line added to a multi-line text box ends with its own line break.
void addLine(std::wstring& text, const std::wstring& line) {
    text += line;
    text += L"\r\n";
}

std::wstring describedValue(const platform::ProfileFile& file, const std::wstring& langsection,
                            const wchar_t* key) {
    std::wstring value = base::extstr(file.readString(langsection, key, L""));
    if (value.empty()) {
        // The [main] value brings a line break of its own, which leaves an empty line
        // below it in the panel.
        value = base::extstr(file.readString(L"main", key, L"")) + L"\r\n";
    }
    return value;
}

} // namespace

std::wstring componentDescription(const platform::ProfileFile& componentFile,
                                  const model::MessageTexts& texts) {
    const std::wstring& lang = texts.langsection();
    std::wstring text;
    addLine(text, texts.text(model::msg::DescriptionLabel) +
                      describedValue(componentFile, lang, L"content"));
    addLine(text,
            texts.text(model::msg::PackagerLabel) + describedValue(componentFile, lang, L"Author"));
    addLine(text, texts.text(model::msg::DateLabel) + describedValue(componentFile, lang, L"date"));
    addLine(text,
            texts.text(model::msg::VersionLabel) + describedValue(componentFile, lang, L"ver"));
    addLine(text, texts.text(model::msg::InstalledNote));
    return text;
}

std::wstring pageHint(const model::MessageTexts& texts) {
    std::wstring text = texts.text(model::msg::ComponentHint) + L"\r\n";
    addLine(text, L"\r\n");
    addLine(text, texts.text(model::msg::InstalledNote));
    return text;
}

} // namespace parcelkit::components
