#include "base/text_encoding.hpp"
#include "script/text_files.hpp"
#include "system/registry_files.hpp"
#include "system_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using system::collectUndoLines;
using Lines = std::vector<std::wstring>;

namespace {

constexpr wchar_t kHeader[] = L"Windows Registry Editor Version 5.00";

class RegistryFilesTest : public ::testing::Test {
protected:
    void putFile(const std::wstring& path, const Lines& lines) {
        rig.bytes.put(path, base::encodeUtf16Lines(lines));
    }
    Lines linesOf(const std::string& bytes) {
        return base::splitLines(script::decodeText(bytes, rig.bytes));
    }
    Lines undoFile() {
        const auto bytes = rig.bytes.read(L"D:\\Apps\\Prog\\unreg.reg");
        EXPECT_TRUE(bool(bytes));
        const std::string content = bytes ? *bytes : std::string();
        EXPECT_EQ(content.substr(0, 2), "\xFF\xFE");
        return linesOf(content);
    }

    doubles::SystemRig rig;
};

} // namespace

TEST_F(RegistryFilesTest, ImportGoesThroughAQuotedUtf16CopyThatIsRemovedAfterwards) {
    rig.session.dirs.tempdir = L"C:\\Documents and Settings\\ann\\Local Settings\\Temp";
    rig.machine.files.addDirectory(rig.session.dirs.tempdir);
    rig.bytes.put(L"E:\\setup\\app\\app.reg",
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Notes]\r\n"
                  "\"Path\"=\"#setupdir#\\\\bin\"\r\n\"Sign\"=\"<parcelkit_num_sign>1\"\r\n");
    system::reg(rig.context, rig.bytes, L"E:\\setup\\app\\app.reg");

    // A name of its own, and the registry editor by its full path.
    const std::wstring copy = rig.session.dirs.tempdir + L"\\reg1.TMP";
    ASSERT_EQ(rig.machine.processes.requests.size(), 1u);
    const auto& request = rig.machine.processes.requests[0];
    EXPECT_EQ(request.commandLine, L"C:\\windows\\regedit.exe /s \"" + copy + L"\"");
    EXPECT_EQ(request.showCommand, platform::kShowHidden);
    EXPECT_EQ(request.waitMilliseconds, platform::kWaitForever);
    EXPECT_EQ(request.workingDirectory, L"");

    ASSERT_EQ(rig.bytes.writes().size(), 1u);
    EXPECT_EQ(rig.bytes.writes()[0].path, copy);
    EXPECT_EQ(rig.bytes.writes()[0].bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(linesOf(rig.bytes.writes()[0].bytes),
              (Lines{L"REGEDIT4", L"", L"[HKEY_CURRENT_USER\\Software\\Notes]",
                     L"\"Path\"=\"D:\\\\Apps\\\\Prog\\\\bin\"", L"\"Sign\"=\"#1\""}));
    EXPECT_FALSE(rig.machine.files.fileExists(copy));
}

TEST_F(RegistryFilesTest, Utf8AndUtf16SourcesKeepTheirText) {
    rig.bytes.put(L"E:\\setup\\a.reg", "\xEF\xBB\xBF@=\"\xE5\x8C\x97\xE9\xA3\x8E\"");
    system::reg(rig.context, rig.bytes, L"E:\\setup\\a.reg");
    putFile(L"E:\\setup\\b.reg", {L"@=\"北风\""});
    system::reg(rig.context, rig.bytes, L"E:\\setup\\b.reg");
    ASSERT_EQ(rig.bytes.writes().size(), 2u);
    EXPECT_EQ(linesOf(rig.bytes.writes()[0].bytes), (Lines{L"@=\"北风\""}));
    EXPECT_EQ(linesOf(rig.bytes.writes()[1].bytes), (Lines{L"@=\"北风\""}));
}

TEST_F(RegistryFilesTest, MissingRegistryFilesAreSkippedSilently) {
    system::reg(rig.context, rig.bytes, L"E:\\setup\\none.reg");
    system::unreg(rig.context, rig.bytes, L"APP", L"E:\\setup\\none.reg");
    EXPECT_TRUE(rig.machine.processes.requests.empty());
    EXPECT_TRUE(rig.bytes.writes().empty());
}

TEST_F(RegistryFilesTest, RefusedImportCopyStopsTheRunWithoutStartingRegedit) {
    putFile(L"E:\\setup\\a.reg", {kHeader, L""});
    rig.bytes.refuseWrites(L"C:\\users\\ann\\Temp\\reg1.TMP");
    EXPECT_THROW(system::reg(rig.context, rig.bytes, L"E:\\setup\\a.reg"), base::Error);
    EXPECT_TRUE(rig.machine.processes.requests.empty());
}

TEST_F(RegistryFilesTest, TwoComponentsGiveTwoBlocksUnderOneHeader) {
    putFile(L"E:\\setup\\app\\un.reg", {kHeader, L"", L"[-HKEY_CURRENT_USER\\Software\\App]"});
    putFile(L"E:\\setup\\tools\\un.reg", {L"REGEDIT4", L"", L"[-HKEY_CURRENT_USER\\Tools]"});
    system::unreg(rig.context, rig.bytes, L"APP", L"E:\\setup\\app\\un.reg");
    system::unreg(rig.context, rig.bytes, L"TOOLS", L"E:\\setup\\tools\\un.reg");
    EXPECT_EQ(undoFile(), (Lines{kHeader, L"", L";APP begin",
                                 L"[-HKEY_CURRENT_USER\\Software\\App]", L";APP end", L"",
                                 L";TOOLS begin", L"[-HKEY_CURRENT_USER\\Tools]", L";TOOLS end"}));
}

TEST_F(RegistryFilesTest, SecondUndoFileOfAComponentLandsInsideItsBlock) {
    putFile(L"E:\\setup\\app\\un.reg", {kHeader, L"", L"[-HKEY_CURRENT_USER\\A]"});
    putFile(L"E:\\setup\\app\\un2000.reg", {kHeader, L"", L"[-HKEY_CURRENT_USER\\B]"});
    putFile(L"E:\\setup\\tools\\un.reg", {kHeader, L"", L"[-HKEY_CURRENT_USER\\T]"});
    system::unreg(rig.context, rig.bytes, L"APP", L"E:\\setup\\app\\un.reg");
    system::unreg(rig.context, rig.bytes, L"TOOLS", L"E:\\setup\\tools\\un.reg");
    system::unreg(rig.context, rig.bytes, L"APP", L"E:\\setup\\app\\un2000.reg");
    EXPECT_EQ(undoFile(), (Lines{kHeader, L"", L";APP begin", L"[-HKEY_CURRENT_USER\\A]", L"",
                                 L"[-HKEY_CURRENT_USER\\B]", L";APP end", L"", L";TOOLS begin",
                                 L"[-HKEY_CURRENT_USER\\T]", L";TOOLS end"}));
}

TEST_F(RegistryFilesTest, UndoLinesGetTheInstallationDirectoryWithDoubledBackslashes) {
    putFile(L"E:\\setup\\app\\un.reg",
            {kHeader, L"", L"[HKEY_CURRENT_USER\\A]", L"\"Dir\"=\"#SetupDir#\""});
    system::unreg(rig.context, rig.bytes, L"APP", L"E:\\setup\\app\\un.reg");
    EXPECT_EQ(undoFile().at(4), L"\"Dir\"=\"D:\\\\Apps\\\\Prog\"");
}

TEST(CollectUndoLines, UndoFilesOfFewerThanTwoLinesAddNothing) {
    EXPECT_FALSE(collectUndoLines(std::nullopt, {}, L"APP").has_value());
    EXPECT_FALSE(collectUndoLines(std::nullopt, {kHeader}, L"APP").has_value());
    EXPECT_FALSE(collectUndoLines(Lines{kHeader, L"", L";APP begin", L";APP end"},
                                  {L"[-HKEY_CURRENT_USER\\A]"}, L"APP")
                     .has_value());
    EXPECT_EQ(collectUndoLines(std::nullopt, {kHeader, L""}, L"APP"),
              (Lines{kHeader, L"", L";APP begin", L";APP end"}));
}

TEST(CollectUndoLines, EndLineMustMatchExactlyAndNotBeTheFirstLine) {
    const Lines added{kHeader, L"", L"[-X]"};
    // A different case or a longer name is another component.
    EXPECT_EQ(collectUndoLines(Lines{kHeader, L";app end"}, added, L"APP"),
              (Lines{kHeader, L";app end", L"", L";APP begin", L"[-X]", L";APP end"}));
    EXPECT_EQ(collectUndoLines(Lines{kHeader, L";APPS end"}, added, L"APP"),
              (Lines{kHeader, L";APPS end", L"", L";APP begin", L"[-X]", L";APP end"}));
    EXPECT_EQ(collectUndoLines(Lines{L";APP end"}, added, L"APP"),
              (Lines{L";APP end", L"", L";APP begin", L"[-X]", L";APP end"}));
    // An existing but empty collected file still gets a block.
    EXPECT_EQ(collectUndoLines(Lines{}, added, L"APP"),
              (Lines{L"", L";APP begin", L"[-X]", L";APP end"}));
}
