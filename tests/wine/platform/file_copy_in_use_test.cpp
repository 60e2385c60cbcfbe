#include "engine/file_copy.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/win32/file_system_win32.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/profile_win32.hpp"
#include "platform/win32/version_info_win32.hpp"
#include "support/fake_install_view.hpp"
#include "support/fake_message_boxes.hpp"
#include "support/fake_processes.hpp"
#include "support/fake_registry.hpp"
#include "support/fake_system_info.hpp"
#include "wine/platform/restart_support.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <gtest/gtest.h>

using namespace parcelkit;
using namespace parcelkit::doubles;

namespace {

std::optional<std::wstring> shortPathOf(const std::wstring& path) {
    return win32::Win32FileSystem().shortPath(path);
}

// A component installs nwnotes.exe over a copy that a running program holds open: the
// engine on the real file functions, with the installer's window and tools left out.
class FileCopyInUse : public ::testing::Test {
protected:
    FileCopyInUse() {
        session.dirs.setupdir = root_ + L"\\Program Files\\Northwind Notes";
        session.dirs.tempdir = root_ + L"\\Temp";
        session.dirs.windir = root_ + L"\\windows";
        session.dirs.sysdir = session.dirs.windir + L"\\system32";
        session.ostype = script::OsFamily::Nt;
        for (const auto& dir :
             {session.dirs.setupdir, session.dirs.tempdir, session.dirs.sysdir, component()}) {
            std::filesystem::create_directories(dir);
        }
        makeFile(component() + L"\\nwnotes.exe", "new");
        makeFile(target(), "old");
        context.uninstallini = std::make_unique<record::RecordWriter>(profiles, record());
    }

    std::wstring component() const { return root_ + L"\\setup\\core"; }
    std::wstring target() const { return session.dirs.setupdir + L"\\nwnotes.exe"; }
    std::wstring record() const { return session.dirs.setupdir + L"\\uninstall.ini"; }

    // Copies while another program holds the target open without sharing.
    void installWhileRunning() {
        const win32::UniqueFile held(::CreateFileW(target().c_str(), GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held);
        std::vector<std::wstring> skiplist;
        engine::filecopy(context, {L"nwnotes.exe=#setupdir#,2"}, skiplist, L"CORE", component());
    }

    std::vector<std::wstring> standIns() const {
        std::vector<std::wstring> found;
        for (const auto& entry : std::filesystem::directory_iterator(session.dirs.tempdir)) {
            found.push_back(entry.path().wstring());
        }
        return found;
    }

    static std::wstring nextRoot() {
        static int run = 0;
        return testDirectory() + L"\\in use " + std::to_wstring(++run);
    }

    std::wstring root_ = nextRoot();
    win32::Win32ProfileStore profiles;
    win32::Win32FileSystem files;
    FakeSystemInfo system;
    FakeRegistry registry;
    FakeProcesses processes;
    FakeMessageBoxes boxes;
    win32::Win32VersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini = profiles.open(root_ + L"\\setup.ini");
    std::unique_ptr<platform::ProfileFile> langfile = profiles.open(root_ + L"\\language.ini");
    model::MessageTexts texts{*langfile, L"0409"};
    FakeInstallView view;
    model::InstallContext context{platform, session, *setupini, texts, view, nullptr};
};

} // namespace

TEST_F(FileCopyInUse, NtFamilyMovesAStandInOntoTheTargetAtTheRestart) {
    const PendingRenamesRestorer restorer;
    installWhileRunning();
    EXPECT_TRUE(session.needreboot);
    EXPECT_EQ(contentOf(target()), "old");
    const auto found = standIns();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_TRUE(lower(std::filesystem::path(found[0]).filename().wstring()).starts_with(L"$$$"));
    EXPECT_EQ(contentOf(found[0]), "new");
    EXPECT_NE(lower(pendingRenames()).find(lower(pendingReplacement(found[0], target()))),
              std::wstring::npos);
    EXPECT_EQ(context.uninstallini->file().readString(L"file", target() + L"|0", L""), L"CORE");
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileCopyInUse, NineFamilyRenamesShortNamesInWininit) {
    session.ostype = script::OsFamily::Nine;
    const PendingRenamesRestorer restorer;
    const std::wstring before = pendingRenames();
    installWhileRunning();
    EXPECT_TRUE(session.needreboot);
    EXPECT_EQ(pendingRenames(), before) << "the 9x family has no delayed move";
    const auto found = standIns();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(contentOf(found[0]), "new");

    const auto shortTarget = shortPathOf(target());
    const auto shortStandIn = shortPathOf(found[0]);
    ASSERT_TRUE(shortTarget && shortStandIn);
    EXPECT_EQ(shortTarget->find(L' '), std::wstring::npos) << "no long names left";
    const auto wininit = profiles.open(session.dirs.windir + L"\\wininit.ini");
    EXPECT_EQ(wininit->keyNames(L"rename").size(), 1u);
    EXPECT_EQ(lower(wininit->readString(L"rename", *shortTarget, L"")), lower(*shortStandIn));
}
