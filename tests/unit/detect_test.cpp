#include "component_setup.hpp"
#include "components/detection.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using components::CheckState;
using components::DetectionEntry;
using doubles::ComponentSetup;
using platform::RootKey;

namespace {

const wchar_t kKey[] = L"Software\\Northwind\\Notes";

bool byRegistry(std::wstring rootkey, std::wstring valuename, std::wstring valuedata) {
    doubles::FakeRegistry registry;
    registry.values[{RootKey::LocalMachine, kKey, L"Path"}] = L"C:\\Notes";
    return components::installedByRegistry({rootkey, kKey, valuename, valuedata, L""}, registry);
}

} // namespace

TEST(DetectRegistry, RootKeyNamesAreExact) {
    EXPECT_EQ(components::rootKeyNamed(L"HKEY_CLASSES_ROOT"), RootKey::ClassesRoot);
    EXPECT_EQ(components::rootKeyNamed(L"HKEY_CURRENT_USER"), RootKey::CurrentUser);
    EXPECT_EQ(components::rootKeyNamed(L"HKEY_USERS"), RootKey::Users);
    EXPECT_EQ(components::rootKeyNamed(L"HKEY_CURRENT_CONFIG"), RootKey::CurrentConfig);
    EXPECT_TRUE(byRegistry(L"HKEY_LOCAL_MACHINE", L"", L""));
    EXPECT_FALSE(byRegistry(L"hkey_local_machine", L"", L""));
    EXPECT_FALSE(byRegistry(L"HKLM", L"", L""));
    EXPECT_FALSE(byRegistry(L"HKEY_CURRENT_USER", L"", L""));
    EXPECT_FALSE(byRegistry(L"", L"", L""));
}

TEST(DetectRegistry, KeyDecidesUnlessAValueAndItsTextAreBothGiven) {
    EXPECT_TRUE(byRegistry(L"HKEY_LOCAL_MACHINE", L"", L"C:\\Other"));
    EXPECT_TRUE(byRegistry(L"HKEY_LOCAL_MACHINE", L"Missing", L"")); // the value may be absent
    EXPECT_TRUE(byRegistry(L"HKEY_LOCAL_MACHINE", L"Path", L"C:\\Notes"));
    EXPECT_FALSE(byRegistry(L"HKEY_LOCAL_MACHINE", L"Path", L"c:\\notes")); // case counts
    EXPECT_FALSE(byRegistry(L"HKEY_LOCAL_MACHINE", L"Missing", L"C:\\Notes"));
}

TEST(DetectFile, MacrosAreExpandedBeforeTagsAreDecoded) {
    doubles::FakeFileSystem files;
    script::MacroValues dirs;
    dirs.sysdir = L"C:\\windows\\system32";
    files.addFile(L"C:\\windows\\system32\\notes.dll");
    files.addFile(L"C:\\data\\#sysdir#.txt");
    files.addDirectory(L"C:\\windows\\system32\\notes");
    const auto found = [&](std::wstring path) {
        return components::installedByFile({L"", L"", L"", L"", std::move(path)}, dirs, files);
    };
    EXPECT_TRUE(found(L"#SysDir#\\notes.dll"));
    EXPECT_TRUE(found(L"C:\\data\\<parcelkit_num_sign>sysdir<parcelkit_num_sign>.txt"));
    EXPECT_FALSE(found(L"#sysdir#\\notes")); // a directory does not count
    EXPECT_FALSE(found(L"#sysdir#\\gone.dll"));
    EXPECT_FALSE(found(L""));
}

TEST(DetectComponents, InstalledComponentStartsUncheckedWithItsSubComponents) {
    ComponentSetup setup;
    setup.component(L"p", L"[main]\r\ntitle=P\r\nchecked=1\r\n"
                          L"[detect]\r\nrootkey=HKEY_LOCAL_MACHINE\r\nsubkey=Software\\P\r\n");
    setup.component(L"p\\x", L"[main]\r\ntitle=X\r\nchecked=1\r\n");
    setup.component(L"q", L"[main]\r\ntitle=Q\r\nchecked=1\r\n");
    setup.component(L"q\\y", L"[main]\r\ntitle=Y\r\nchecked=1\r\n"
                             L"[detect]\r\nfile=#sysdir#\\y.dll\r\n");
    setup.component(L"q\\z", L"[main]\r\ntitle=Z\r\nchecked=1\r\n");
    setup.component(L"m", L"[main]\r\ntitle=M\r\nchecked=2\r\n[detect]\r\nfile=C:\\m.exe\r\n");
    setup.registry.values[{RootKey::LocalMachine, L"Software\\P", L"v"}] = L"1";
    setup.files.addFile(L"C:\\windows\\system32\\y.dll");
    setup.files.addFile(L"C:\\m.exe");
    ASSERT_TRUE(setup.build());
    setup.page.detect();
    EXPECT_EQ(setup.installedFlags(), (std::vector<bool>{true, true, false, false, true, false}));
    EXPECT_EQ(setup.state(L"p"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"p\\x"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"q"), CheckState::Partly);
    EXPECT_EQ(setup.state(L"q\\y"), CheckState::Unchecked);
    EXPECT_EQ(setup.state(L"m"), CheckState::Unchecked); // mandatory, but installed
    EXPECT_TRUE(setup.boxes.shown.empty());

    ASSERT_TRUE(bool(setup.files.deleteFile(L"C:\\m.exe"))); // detection never clears a flag
    setup.page.detect();
    EXPECT_EQ(setup.installedFlags()[setup.node(L"m")], true);
}

TEST(DetectComponents, LanguageDetectionSectionReplacesTheBaseOneWholly) {
    ComponentSetup setup(L"0804", L"[0804]\r\n1=x\r\n");
    setup.component(L"a", L"[main]\r\ntitle=A\r\n[detect]\r\nfile=C:\\a.exe\r\n"
                          L"[detect_0804]\r\nsubkey=Software\\A\r\n");
    setup.component(L"b", L"[main]\r\ntitle=B\r\n[detect]\r\nfile=C:\\a.exe\r\n");
    setup.files.addFile(L"C:\\a.exe");
    ASSERT_TRUE(setup.build());
    setup.page.detect();
    EXPECT_EQ(setup.installedFlags(), (std::vector<bool>{false, true}));

    ComponentSetup plain; // without a language file [detect_language] is not a variant
    plain.component(L"a", L"[main]\r\ntitle=A\r\n[detect]\r\nfile=C:\\a.exe\r\n"
                          L"[detect_language]\r\nfile=C:\\none.exe\r\n");
    plain.files.addFile(L"C:\\a.exe");
    ASSERT_TRUE(plain.build());
    plain.page.detect();
    EXPECT_EQ(plain.installedFlags(), (std::vector<bool>{true}));
}
