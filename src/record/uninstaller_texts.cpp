#include "record/uninstaller_texts.hpp"

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
    const auto text = [&](const wchar_t* key, const wchar_t* fallback) {
        return record.readString(L"language", key, fallback);
    };
    UninstallerTexts texts;
    texts.font = text(L"font", L"宋体");
    texts.size = number(text(L"size", L"9"), 9);
    texts.charset = number(text(L"charset", L"0"), 0);
    texts.title = text(L"1", L"卸载程序");
    texts.uninstall = text(L"2", L"卸载(&U)");
    texts.cancel = text(L"3", L"取消(&C)");
    texts.directory = text(L"4", L"卸载目录");
    texts.deleteRegistry = text(L"8", L"删除注册表相关项目");
    texts.finished = text(L"9", L"卸载完毕。");
    texts.afterRestart = text(L"10", L"卸载将在重启之后完成。");
    texts.finish = text(L"11", L"完成(&O)");
    texts.thanks = text(L"12", L"感谢您使用本软件。");
    texts.closePrograms = text(L"13", L"建议在卸载前退出当前运行的所有应用程序。");
    texts.restartHint = text(L"14", L"* 卸载后可能需要重新启动。");
    texts.choose = text(L"15", L"请在右侧列表框中选择需要卸载的组件。");
    texts.selectAll = text(L"16", L"全选");
    texts.components = text(L"17", L"组件");
    return texts;
}

} // namespace parcelkit::record
