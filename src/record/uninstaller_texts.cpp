#include "record/uninstaller_texts.hpp"

#include "record/record_format.hpp"

#include <cwchar>

namespace parcelkit::record {

namespace {

int number(const std::wstring& text, int fallback) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    return end == text.c_str() || value <= 0 || value > 1000 ? fallback : int(value);
}

} // namespace

UninstallerTexts readUninstallerTexts(const platform::ProfileFile& record) {
    const auto text = [&](const wchar_t* key) {
        return record.readString(kLanguageSection, key, std::wstring(uninstallerTextFallback(key)));
    };
    UninstallerTexts texts;
    texts.font = record.readString(kLanguageSection, L"font", kDefaultFont);
    texts.size = number(record.readString(kLanguageSection, L"size", kDefaultFontSize), 9);
    texts.charset = number(record.readString(kLanguageSection, L"charset", L"0"), 0);
    texts.title = text(L"1");
    texts.uninstall = text(L"2");
    texts.cancel = text(L"3");
    texts.directory = text(L"4");
    texts.deleteRegistry = text(L"8");
    texts.finished = text(L"9");
    texts.afterRestart = text(L"10");
    texts.finish = text(L"11");
    texts.thanks = text(L"12");
    texts.closePrograms = text(L"13");
    texts.restartHint = text(L"14");
    texts.choose = text(L"15");
    texts.selectAll = text(L"16");
    texts.components = text(L"17");
    return texts;
}

} // namespace parcelkit::record
