#include "engine/record_start.hpp"
#include "install_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::InstallRig;
using Keys = std::vector<std::wstring>;

namespace {

class UninstallRecord : public ::testing::Test {
protected:
    void createun() {
        rig.texts.emplace(*rig.langfile, rig.langsection);
        rig.context = std::make_unique<model::InstallContext>(model::InstallContext{
            rig.platform, rig.session, *rig.setupini, *rig.texts, rig.view, nullptr});
        engine::createun(*rig.context);
    }
    std::wstring record(const std::wstring& section, const std::wstring& key) {
        return rig.recorded(section, key);
    }
    const std::wstring& recordText() const { return *rig.profiles.text(InstallRig::kRecord); }

    InstallRig rig;
};

TEST_F(UninstallRecord, GeneralSectionsInTheirOrderWithLanguageValues) {
    rig.profiles.put(L"E:\\setup\\setup.ini",
                     L"[main]\r\nid=NotesSetup\r\nname=Script Name\r\nBrandingText=Script Brand\r\n"
                     L"[uninstall_run]\r\n#setupdir#\\clean.exe|/all|#windir#=before|wait\r\n"
                     L"plain.exe<parcelkit_space>x=after\r\n");
    rig.profiles.put(L"E:\\setup\\language.ini",
                     L"[0409]\r\nname=Notes\r\nbrandingtext=Northwind\r\nfont=Segoe UI\r\n"
                     L"size=10\r\ncharset=0x86\r\n39=Uninstaller\r\n28=&Finish\r\n58=Parts\r\n");
    createun();

    EXPECT_EQ(rig.profiles.open(InstallRig::kRecord)->sectionNames(),
              (Keys{L"main", L"dir", L"uninstall_run", L"language"}));
    EXPECT_EQ(rig.recordedKeys(L"main"), (Keys{L"id", L"name", L"BrandingText"}));
    EXPECT_EQ(record(L"main", L"id"), L"NotesSetup");
    EXPECT_EQ(record(L"main", L"name"), L"Notes");
    EXPECT_EQ(record(L"main", L"BrandingText"), L"Northwind");
    EXPECT_EQ(record(L"dir", InstallRig::kDest), L"#share#");
    // Keys expanded, escape tags kept; values as written.
    EXPECT_EQ(rig.recordedKeys(L"uninstall_run"),
              (Keys{L"C:\\Program Files\\Notes\\clean.exe|/all|C:\\windows",
                    L"plain.exe<parcelkit_space>x"}));
    EXPECT_EQ(record(L"uninstall_run", L"C:\\Program Files\\Notes\\clean.exe|/all|C:\\windows"),
              L"before|wait");
    EXPECT_EQ(record(L"language", L"font"), L"Segoe UI");
    EXPECT_EQ(record(L"language", L"size"), L"10");
    EXPECT_EQ(record(L"language", L"charset"), L"134");
    Keys languageKeys{L"font", L"size", L"charset"};
    for (int key = 1; key <= 17; ++key) {
        languageKeys.push_back(std::to_wstring(key));
    }
    EXPECT_EQ(rig.recordedKeys(L"language"), languageKeys);
    EXPECT_EQ(record(L"language", L"1"), L"Uninstaller");
    EXPECT_EQ(record(L"language", L"11"), L"&Finish");
    EXPECT_EQ(record(L"language", L"17"), L"Parts");
}

TEST_F(UninstallRecord, BuiltInTextsAndDefaultsWhenNothingIsGiven) {
    createun();
    EXPECT_EQ(record(L"main", L"id"), L"");
    EXPECT_EQ(record(L"main", L"name"), L"Parcelkit");
    EXPECT_EQ(record(L"main", L"BrandingText"), L"Parcelkit");
    EXPECT_TRUE(rig.recordedKeys(L"uninstall_run").empty());
    EXPECT_EQ(record(L"language", L"font"), L"宋体");
    EXPECT_EQ(record(L"language", L"size"), L"9");
    EXPECT_EQ(record(L"language", L"charset"), L"0");
    const Keys expected{L"卸载程序",
                        L"卸载(&U)",
                        L"取消(&C)",
                        L"卸载目录",
                        L"取消",
                        L"",
                        L"删除",
                        L"删除注册表相关项目",
                        L"卸载完毕。",
                        L"卸载将在重启之后完成。",
                        L"完成(&O)",
                        L"感谢您使用本软件。",
                        L"建议在卸载前退出当前运行的所有应用程序。",
                        L"* 卸载后可能需要重新启动。",
                        L"请在右侧列表框中选择需要卸载的组件。",
                        L"全选",
                        L"组件"};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(record(L"language", std::to_wstring(i + 1)), expected[i]) << "key " << i + 1;
    }
    // The Chinese texts survive: the record is UTF-16 from its first write.
    EXPECT_EQ(rig.profiles.encoding(InstallRig::kRecord), doubles::ProfileEncoding::Utf16);
}

TEST_F(UninstallRecord, ScriptValuesStandInForAnEmptyLanguageValue) {
    rig.profiles.put(L"E:\\setup\\setup.ini",
                     L"[main]\r\nname=Script Name\r\nBrandingText=Script Brand\r\n");
    rig.profiles.put(L"E:\\setup\\language.ini", L"[0409]\r\nname=\r\ncharset=GB\r\n44=\r\n");
    createun();
    EXPECT_EQ(record(L"main", L"name"), L"Script Name");
    EXPECT_EQ(record(L"main", L"BrandingText"), L"Script Brand");
    EXPECT_EQ(record(L"language", L"charset"), L"0");
    EXPECT_EQ(record(L"language", L"6"), L"");
}

TEST_F(UninstallRecord, WithoutLanguageFileTheScriptsLanguageSectionGivesTheTexts) {
    rig.withoutLanguageFile();
    rig.profiles.put(
        L"E:\\setup\\setup.ini",
        L"[main]\r\nname=Script Name\r\n[language]\r\nname=Lang Name\r\n40=Remove\r\n");
    createun();
    EXPECT_EQ(record(L"main", L"name"), L"Lang Name");
    EXPECT_EQ(record(L"language", L"2"), L"Remove");
}

TEST_F(UninstallRecord, UninstallerAndReadmeAreCopiedWhenTheyExist) {
    rig.files.addFile(L"E:\\setup\\uninstall.exe");
    rig.files.addFile(L"E:\\setup\\readme.txt");
    createun();
    EXPECT_TRUE(rig.log.has(L"copy C:\\Program Files\\Notes\\uninstall.exe"));
    EXPECT_TRUE(rig.files.fileExists(L"C:\\Program Files\\Notes\\readme.txt"));
    EXPECT_EQ(rig.recordedKeys(L"file"), (Keys{L"C:\\Program Files\\Notes\\readme.txt|0"}));
    EXPECT_EQ(record(L"file", L"C:\\Program Files\\Notes\\readme.txt|0"), L"");
    EXPECT_TRUE(rig.boxes.shown.empty());
}

TEST_F(UninstallRecord, MissingUninstallerAndReadmeAreNeitherCopiedNorRecorded) {
    rig.profiles.put(L"E:\\setup\\setup.ini", L"[main]\r\nreadme=notes.rtf\r\n");
    rig.files.addFile(L"E:\\setup\\readme.txt");
    createun();
    EXPECT_TRUE(rig.log.starting(L"copy ").empty());
    EXPECT_TRUE(rig.recordedKeys(L"file").empty());
    EXPECT_TRUE(rig.boxes.shown.empty());
    EXPECT_EQ(record(L"main", L"name"), L"Parcelkit");
}

TEST_F(UninstallRecord, LanguageReadmeIsTheOneCopied) {
    rig.profiles.put(L"E:\\setup\\setup.ini", L"[main]\r\nreadme=readme.txt\r\n");
    rig.profiles.put(L"E:\\setup\\language.ini", L"[0409]\r\nreadme=readme-en.rtf\r\n");
    rig.files.addFile(L"E:\\setup\\readme.txt");
    rig.files.addFile(L"E:\\setup\\readme-en.rtf");
    createun();
    EXPECT_EQ(rig.recordedKeys(L"file"), (Keys{L"C:\\Program Files\\Notes\\readme-en.rtf|0"}));
}

TEST_F(UninstallRecord, SecondRunKeepsFirstEntriesAndReplacesEqualKeys) {
    rig.profiles.put(L"E:\\setup\\setup.ini", L"[main]\r\nid=First\r\n");
    createun();
    rig.context->uninstallini->write(L"list", L"CORE", L"Core");
    rig.context->uninstallini->flush();
    rig.profiles.put(L"E:\\setup\\setup.ini", L"[main]\r\nid=Second\r\n");
    createun();
    EXPECT_EQ(record(L"main", L"id"), L"Second");
    EXPECT_EQ(record(L"list", L"CORE"), L"Core");
    EXPECT_EQ(record(L"dir", InstallRig::kDest), L"#share#");
    EXPECT_EQ(recordText().find(L"[main]"), recordText().rfind(L"[main]"));
}

} // namespace
