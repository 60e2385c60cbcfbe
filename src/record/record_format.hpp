#pragma once

#include <array>
#include <string>
#include <string_view>

// The uninstall record, uninstall.ini in the installation directory: what the installer
// writes and the uninstaller reads, named in one place for both.
namespace parcelkit::record {

inline constexpr wchar_t kMainSection[] = L"main";
inline constexpr wchar_t kDirSection[] = L"dir";
inline constexpr wchar_t kFileSection[] = L"file";
inline constexpr wchar_t kListSection[] = L"list";
inline constexpr wchar_t kLanguageSection[] = L"language";
inline constexpr wchar_t kSystemIniSection[] = L"system.ini";
inline constexpr wchar_t kUninstallRunSection[] = L"uninstall_run";

// The owner of what belongs to the installation as a whole, or to several components.
inline constexpr wchar_t kShared[] = L"#share#";

// The programs the uninstaller runs for one component, and the component's details.
std::wstring runSection(const std::wstring& name);
std::wstring infoSection(const std::wstring& name);

// A [file] key: the path with its separators escaped (so that "=" or "|" in a name cannot
// split the key), "|", and the suffix that says how the file was installed.
std::wstring fileKey(const std::wstring& path, const std::wstring& suffix);
struct FileKey {
    std::wstring path;
    std::wstring suffix;
};
FileKey readFileKey(const std::wstring& key);

// A [dir] key: the directory's path, escaped the same way.
std::wstring dirKey(const std::wstring& path);
std::wstring dirPath(const std::wstring& key);

// The uninstaller's window texts in [language]: the record's key, the message of the
// language file that the installer copies into it, and the text both sides use when
// neither has one.
struct UninstallerText {
    std::wstring_view key;
    std::wstring_view message;
    std::wstring_view fallback;
};
// clang-format off
inline constexpr std::array<UninstallerText, 17> kUninstallerTexts{{
    {L"1", L"39", L"卸载程序"},
    {L"2", L"40", L"卸载(&U)"},
    {L"3", L"41", L"取消(&C)"},
    {L"4", L"42", L"卸载目录"},
    {L"5", L"43", L"取消"},
    {L"6", L"44", L""},
    {L"7", L"45", L"删除"},
    {L"8", L"46", L"删除注册表相关项目"},
    {L"9", L"47", L"卸载完毕。"},
    {L"10", L"48", L"卸载将在重启之后完成。"},
    {L"11", L"28", L"完成(&O)"},
    {L"12", L"49", L"感谢您使用本软件。"},
    {L"13", L"50", L"建议在卸载前退出当前运行的所有应用程序。"},
    {L"14", L"51", L"* 卸载后可能需要重新启动。"},
    {L"15", L"54", L"请在右侧列表框中选择需要卸载的组件。"},
    {L"16", L"55", L"全选"},
    {L"17", L"58", L"组件"},
}};
// clang-format on
// The window's font in [language], with the defaults both sides use.
inline constexpr wchar_t kDefaultFont[] = L"宋体";
inline constexpr wchar_t kDefaultFontSize[] = L"9";

// The fallback of the text with the given record key ("1" to "17").
std::wstring_view uninstallerTextFallback(std::wstring_view key);

} // namespace parcelkit::record
