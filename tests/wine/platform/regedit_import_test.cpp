#include "base/error.hpp"
#include "base/paths.hpp"
#include "base/text_encoding.hpp"
#include "model/install_context.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/win32/file_bytes_win32.hpp"
#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/message_box_win32.hpp"
#include "platform/win32/process_win32.hpp"
#include "platform/win32/profile_win32.hpp"
#include "platform/win32/registry_win32.hpp"
#include "platform/win32/system_info_win32.hpp"
#include "platform/win32/version_info_win32.hpp"
#include "script/text_files.hpp"
#include "system/registry_files.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <filesystem>
#include <gtest/gtest.h>

using namespace parcelkit;
using parcelkit::doubles::testDirectory;
using platform::RootKey;

namespace {

const std::wstring kTestsKey = L"Software\\Parcelkit Tests";
const std::wstring kKey = kTestsKey + L"\\Import";

// The session's temporary directory and the component folder both hold blanks.
class RegeditImportTest : public ::testing::Test {
protected:
    RegeditImportTest() {
        session.dirs.tempdir = testDirectory() + L"\\temp dir";
        session.dirs.setupdir = L"C:\\Program Files\\Northwind Notes";
        // The registry editor is started by its full path in one of these.
        session.dirs.windir = base::withoutTrailingBackslashes(system.windowsDirectory());
        session.dirs.sysdir = base::withoutTrailingBackslashes(system.systemDirectory());
        std::filesystem::create_directories(session.dirs.tempdir);
        std::filesystem::create_directories(source());
        // Left by an earlier run, or not there at all.
        platform::notChecked(registry.deleteTree(RootKey::CurrentUser, kTestsKey));
    }
    ~RegeditImportTest() override {
        platform::notChecked(registry.deleteTree(RootKey::CurrentUser, kTestsKey));
    }

    std::wstring source() const { return testDirectory() + L"\\component one"; }
    std::wstring value(const std::wstring& name) const {
        return registry.readString(RootKey::CurrentUser, kKey, name).value_or(L"<none>");
    }

    win32::Win32ProfileStore profiles;
    win32::Win32FileSystem files;
    win32::Win32SystemInfo system;
    win32::Win32Registry registry;
    win32::Win32Processes processes;
    win32::Win32MessageBoxes boxes;
    win32::Win32VersionInfo versions;
    win32::Win32FileBytes bytes;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini =
        profiles.open(testDirectory() + L"\\setup.ini");
    model::MessageTexts texts{*setupini, L"language"};
    struct : model::InstallView {
        void setStatus(model::StatusLine, const std::wstring&) override {}
        void setProgress(int) override {}
        void processMessages() override {}
    } view;
    model::InstallContext context{platform, session, *setupini, texts, view, nullptr};
};

} // namespace

TEST_F(RegeditImportTest, Utf16FileWithMacrosIsImportedFromATempDirWithBlanks) {
    const std::wstring file = source() + L"\\app.reg";
    ASSERT_TRUE(bool(bytes.write(
        file,
        base::encodeUtf16Lines({L"Windows Registry Editor Version 5.00", L"",
                                L"[HKEY_CURRENT_USER\\" + kKey + L"]", L"\"Dir\"=\"#setupdir#\"",
                                L"\"Name\"=\"北风<parcelkit_comma> Notes\""}))));
    system::reg(context, bytes, file);
    EXPECT_EQ(value(L"Dir"), L"C:\\Program Files\\Northwind Notes");
    EXPECT_EQ(value(L"Name"), L"北风, Notes");
    // The copy under its name of its own is gone again.
    EXPECT_TRUE(std::filesystem::is_empty(session.dirs.tempdir));
}

TEST_F(RegeditImportTest, AnsiRegedit4FileIsImported) {
    const std::wstring file = source() + L"\\old.reg";
    ASSERT_TRUE(bool(bytes.write(
        file, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Parcelkit Tests\\Import]\r\n"
              "\"Old\"=\"#SETUPDIR#\\\\bin\"\r\n")));
    system::reg(context, bytes, file);
    EXPECT_EQ(value(L"Old"), L"C:\\Program Files\\Northwind Notes\\bin");
}

TEST_F(RegeditImportTest, UndoFileIsWrittenAsUtf16AndReadBack) {
    session.dirs.setupdir = testDirectory() + L"\\install dir";
    std::filesystem::create_directories(session.dirs.setupdir);
    const std::wstring file = source() + L"\\un.reg";
    ASSERT_TRUE(bool(
        bytes.write(file, "\xEF\xBB\xBFREGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\\xE5\x8C\x97]\r\n")));
    system::unreg(context, bytes, L"APP", file);
    system::unreg(context, bytes, L"APP", file);
    const auto written = bytes.read(session.dirs.setupdir + L"\\unreg.reg");
    ASSERT_TRUE(bool(written));
    EXPECT_EQ(written->substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(
        script::readTextLines(bytes, session.dirs.setupdir + L"\\unreg.reg"),
        (std::vector<std::wstring>{L"REGEDIT4", L"", L";APP begin", L"[-HKEY_CURRENT_USER\\北]",
                                   L"", L"[-HKEY_CURRENT_USER\\北]", L";APP end"}));
}

TEST(Win32FileBytes, MissingFileAndRefusedWrite) {
    win32::Win32FileBytes bytes;
    const auto missing = bytes.read(testDirectory() + L"\\none.reg");
    ASSERT_FALSE(bool(missing));
    EXPECT_TRUE(missing.failure().notFound());
    EXPECT_FALSE(bool(bytes.write(testDirectory() + L"\\no such dir\\x.reg", "x")));
    ASSERT_TRUE(bool(bytes.write(testDirectory() + L"\\empty.reg", "")));
    const auto empty = bytes.read(testDirectory() + L"\\empty.reg");
    ASSERT_TRUE(bool(empty));
    EXPECT_EQ(*empty, std::string());
    EXPECT_EQ(bytes.fromAnsi("abc"), L"abc");
}
