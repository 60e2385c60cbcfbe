#pragma once

#include <string>
#include <string_view>

namespace parcelkit::platform {
class ProfileFile;
}

namespace parcelkit::model {

// One place of use of a message: the key in the language section and the built-in text
// used when the key is missing. A few numbers have different defaults at different places.
struct Message {
    std::wstring_view key;
    std::wstring_view fallback;
};

// The texts of the uninstaller's window (messages 39 to 58) are listed with the record that
// carries them to the uninstaller: record::kUninstallerTexts.
namespace msg {
// clang-format off
inline constexpr Message InstallCaption{L"1", L"安装"};
inline constexpr Message Back{L"2", L"上一步"};
inline constexpr Message Next{L"3", L"下一步"};
inline constexpr Message Exit{L"4", L"退出"};
inline constexpr Message ReadmeTitle{L"5", L"readme"};      // page 1 and page recognition
inline constexpr Message ReadmeLabel{L"5", L"Readme"};      // applying the language
inline constexpr Message ReadmeSubtitle{L"6", L"请先阅读下列信息。"};
inline constexpr Message DestinationTitle{L"7", L"目的目录"};
inline constexpr Message NotInstalledForUpdate{L"7r2", L"本软件尚未安装，是否继续升级？"};
inline constexpr Message Browse{L"8", L"Browse..."};
inline constexpr Message DestinationSubtitleStart{L"9", L"请选择"};
inline constexpr Message DestinationSubtitleEnd{L"10", L"安装的目的目录。"};
inline constexpr Message DestinationLine1{L"11", L""};
inline constexpr Message DestinationLine2{L"12", L""};
inline constexpr Message SettingsTitle{L"13", L"设置"};
inline constexpr Message SettingsSubtitle{L"14", L"选择安装设置。"};
inline constexpr Message ComponentHint{L"15", L"请在左侧选择所需组件。"};
inline constexpr Message InstallButton{L"16", L"安装(&S)"};
inline constexpr Message NoticeCaption{L"17", L"提示！"};
inline constexpr Message NothingToInstall{L"18", L"无可用安装内容。"};
inline constexpr Message AbandonQuestion{L"19", L"你是否要放弃安装？"};
inline constexpr Message DescriptionLabel{L"20", L"说明："};
inline constexpr Message PackagerLabel{L"21", L"打包："};
inline constexpr Message DateLabel{L"22", L"日期："};
inline constexpr Message UsageCaption{L"23", L"命令行参数"};
inline constexpr Message UsageText{L"24", L"命令行用法：setup /s 无提示自动安装。"};
inline constexpr Message InstallingSubtitle{L"25", L"正在安装"};
inline constexpr Message CopyingLine{L"26", L"正在复制文件到您的计算机。"};
inline constexpr Message WaitLine{L"27", L"请稍候几分钟，安装后可能需要重新启动。"};
inline constexpr Message FinishButton{L"28", L"完成(&O)"};
inline constexpr Message FinishLine1{L"29", L""};
inline constexpr Message FinishRestartLine{L"30", L""};
inline constexpr Message CreatingDirectory{L"32", L"正在创建目录："};
inline constexpr Message DirectoryLabel{L"33", L"目录："};
inline constexpr Message FileLabel{L"34", L"文件："};
inline constexpr Message ErrorCaption{L"35", L"错误"};
inline constexpr Message NotFound{L"36", L"未找到："};
inline constexpr Message Registering{L"37", L"正在注册："};
inline constexpr Message DialogCancel{L"41", L"&Cancel"};      // language dialog
inline constexpr Message FinishThanksPage{L"49", L""};                  // page 5
inline constexpr Message AlreadyInstalled{L"52", L"本软件已经安装，建议卸载后再安装。卸载吗？"};
inline constexpr Message InstalledNote{L"53", L"注意：以灰色粗体显示的项目表示该项目已经安装或安装前卸载不完全，不建议安装。"};
inline constexpr Message InstalledWarning1{L"56", L"该组件可能已安装或卸载不完全，"};
inline constexpr Message InstalledWarning2{L"57", L"仍要继续安装吗？"};
inline constexpr Message FinishTitle{L"59", L"完成"};
inline constexpr Message FinishSubtitle{L"60", L"安装完成"};
inline constexpr Message RestartQuestion{L"61", L"是否重启以完成安装？"};
inline constexpr Message LanguageCaption{L"62", L"Installer Language"};
inline constexpr Message LanguagePrompt{L"63", L"Please select the language of the installer"};
inline constexpr Message LanguageOk{L"64", L"&OK"};
inline constexpr Message UnsupportedSystem{L"65", L"不支持当前操作系统。"};
inline constexpr Message NoInstalledWarning{L"66", L"不提示已安装项目"};
inline constexpr Message VersionLabel{L"67", L"版本："};
inline constexpr Message UpdateCaption{L"68", L"升级"};
inline constexpr Message UpdateButton{L"69", L"升级(&U)"};
inline constexpr Message UpdatingSubtitle{L"70", L"正在升级"};
inline constexpr Message UpdateFinishedSubtitle{L"71", L"升级完成"};
// clang-format on
} // namespace msg

// Message lookup in the language section of the language file. A key that is present
// with an empty value gives the empty text; only a missing key gives the default.
class MessageTexts {
public:
    MessageTexts(const platform::ProfileFile& langfile, std::wstring langsection)
        : langfile_(&langfile), langsection_(std::move(langsection)) {}

    std::wstring text(const Message& message) const;
    // Any key of the language section (font, size, name ...), with a default.
    std::wstring value(const std::wstring& key, const std::wstring& fallback) const;
    const std::wstring& langsection() const { return langsection_; }

private:
    const platform::ProfileFile* langfile_;
    std::wstring langsection_;
};

} // namespace parcelkit::model
