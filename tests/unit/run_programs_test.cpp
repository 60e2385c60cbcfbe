#include "fake_file_system.hpp"
#include "launch/run_programs.hpp"
#include "launch/system_tools.hpp"
#include "unit/test_platform.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using launch::ExecuteWait;
using launch::readRunFlags;
using launch::runprg;
using platform::kCreateNewConsole;
using platform::kCreateNoWindow;
using platform::kShowHidden;
using platform::kShowNormal;
using platform::kWaitForever;
using Lines = std::vector<std::wstring>;

TEST(RunFlags, FieldsInOrderAndThreeFieldsMeanAfter) {
    const auto four = readRunFlags(L"before|always|wait|hide|extra");
    EXPECT_EQ(four.phase + four.when + four.wait + four.show, L"beforealwayswaithide");
    const auto three = readRunFlags(L"always|wait|show");
    EXPECT_EQ(three.phase + three.when, L"afteralways");
    // Empty fields are dropped before counting: these are three.
    const auto gaps = readRunFlags(L"|before||wait|hide|");
    EXPECT_EQ(gaps.phase + gaps.when, L"afterbefore");
}

TEST(CommandLine, OnlyAProgramWithABlankAndNoQuoteIsQuoted) {
    using launch::commandLineFor;
    EXPECT_EQ(commandLineFor(L"C:\\Program Files\\t.exe", L"/q"),
              L"\"C:\\Program Files\\t.exe\" /q");
    EXPECT_EQ(commandLineFor(L"\"C:\\My Apps\\x.exe\" -v", L""), L"\"C:\\My Apps\\x.exe\" -v");
    EXPECT_EQ(commandLineFor(L"notepad.exe", L"a b.txt"), L"notepad.exe a b.txt");
    EXPECT_EQ(commandLineFor(L"x.exe", L""), L"x.exe");
    EXPECT_EQ(commandLineFor(L"", L"y.exe"), L"y.exe");
}

TEST(ExecuteWait, HiddenStartHasNoConsoleWindowShownStartGetsOne) {
    doubles::FakeProcesses processes;
    EXPECT_TRUE(
        ExecuteWait(processes, L"regedit.exe", L"/s x.reg", L"", kShowHidden, kWaitForever));
    ExecuteWait(processes, L"tool.exe", L"", L"D:\\work", kShowNormal, 0);
    ASSERT_EQ(processes.requests.size(), 2u);
    const auto& hidden = processes.requests[0];
    EXPECT_EQ(hidden.commandLine, L"regedit.exe /s x.reg");
    EXPECT_EQ(hidden.creationFlags, 0x08000010u);
    EXPECT_EQ(hidden.showCommand, 0);
    EXPECT_EQ(hidden.waitMilliseconds, 0xFFFFFFFFu);
    EXPECT_EQ(hidden.workingDirectory, L"");
    const auto& shown = processes.requests[1];
    EXPECT_EQ(shown.creationFlags, 0x10u);
    EXPECT_EQ(shown.showCommand, 5);
    EXPECT_EQ(shown.workingDirectory, L"D:\\work");
}

TEST(ExecuteWait, RunningProgramGoesToTheHandlePlaceOrIsLetGo) {
    doubles::FakeProcesses processes;
    processes.runMilliseconds = 5000;
    std::unique_ptr<platform::RunningProcess> handle;
    EXPECT_FALSE(ExecuteWait(processes, L"long.exe", L"", L"", kShowNormal, 100, &handle));
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(handle->wait(kWaitForever));
    EXPECT_FALSE(ExecuteWait(processes, L"long.exe", L"", L"", kShowNormal, 0));
    EXPECT_EQ(processes.handlesHeld, 1) << "only the one handed out stays open";

    processes.runMilliseconds = 0;
    EXPECT_TRUE(ExecuteWait(processes, L"quick.exe", L"", L"", kShowNormal, 100, &handle));
    EXPECT_EQ(handle, nullptr) << "the place is cleared first";
    processes.missing.insert(L"gone.exe");
    EXPECT_FALSE(ExecuteWait(processes, L"gone.exe", L"", L"", kShowNormal, kWaitForever));
}

class RunprgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dirs.setupdir = L"C:\\Program Files\\Notes";
        dirs.windir = L"C:\\windows";
    }
    void run(const Lines& entries, std::wstring_view phase) {
        runprg(entries, phase, machine.platform, dirs);
    }
    Lines started() const { return machine.processes.commandLines(); }
    const platform::ProcessRequest& only() const {
        EXPECT_EQ(machine.processes.requests.size(), 1u);
        return machine.processes.requests.at(0);
    }

    doubles::TestPlatform machine;
    script::MacroValues dirs;
};

TEST_F(RunprgTest, EachPassStartsOnlyItsOwnPhaseWrittenExactly) {
    const Lines entries{L"first.exe=before|always|nowait|show", L"second.exe=after|x|y|z",
                        L"third.exe=before|x|y|z", L"fourth.exe=After|always|wait|hide",
                        L"fifth.exe=always|wait|show"};
    run(entries, L"before");
    EXPECT_EQ(started(), (Lines{L"first.exe", L"third.exe"}));
    machine.processes.requests.clear();
    run(entries, L"after");
    EXPECT_EQ(started(), (Lines{L"second.exe", L"fifth.exe"}));
}

TEST_F(RunprgTest, AfterAlwaysWaitHideRunsInASilentRunHiddenAndWaited) {
    machine.system.args = {L"setup.exe", L"/s"};
    run({L"#setupdir#\\post.exe|--init=after|always|wait|hide"}, L"after");
    const auto& request = only();
    EXPECT_EQ(request.commandLine, L"\"C:\\Program Files\\Notes\\post.exe\" --init");
    EXPECT_EQ(request.showCommand, kShowHidden);
    EXPECT_EQ(request.creationFlags, kCreateNewConsole | kCreateNoWindow);
    EXPECT_EQ(request.waitMilliseconds, kWaitForever);
}

TEST_F(RunprgTest, AnyParameterSkipsEntriesThatAreNotAlways) {
    machine.system.args = {L"setup.exe", L"/id:0409"};
    run({L"a.exe=after|once|wait|show", L"b.exe=after|always|wait|show",
         L"c.exe=after|Always|wait|show"},
        L"after");
    EXPECT_EQ(started(), (Lines{L"b.exe"}));
}

TEST_F(RunprgTest, OtherWordsAndMissingFieldsMeanNoWaitAndShown) {
    run({L"a.exe=before|x|Wait|HIDE", L"b.exe=before"}, L"before");
    ASSERT_EQ(machine.processes.requests.size(), 2u);
    for (const auto& request : machine.processes.requests) {
        EXPECT_EQ(request.waitMilliseconds, 0u);
        EXPECT_EQ(request.showCommand, kShowNormal);
    }
}

TEST_F(RunprgTest, KeySideFieldsAreExpandedThenUnescaped) {
    // An escaped "#" must not start a macro, and "|" inside a field needs its tag.
    run({L"#windir#\\tool.exe|a<parcelkit_vline>b <parcelkit_num_sign>setupdir#|"
         L"#setupdir#\\work|dir=before|always|wait|show"},
        L"before");
    EXPECT_EQ(only().commandLine, L"C:\\windows\\tool.exe a|b #setupdir#");
    EXPECT_EQ(only().workingDirectory, L"C:\\Program Files\\Notes\\work|dir");
}

TEST_F(RunprgTest, EscapedBlankInAProgramPathIsQuotedAndEmptyDirectoryIsTheInstallers) {
    run({L"C:\\My<parcelkit_space>Tools\\t.exe|-x|=before|x|y|z"}, L"before");
    EXPECT_EQ(only().commandLine, L"\"C:\\My Tools\\t.exe\" -x");
    EXPECT_EQ(only().workingDirectory, L"");
}

TEST_F(RunprgTest, ProgramThatCannotStartIsPassedOver) {
    machine.processes.missing.insert(L"missing.exe");
    run({L"missing.exe=before|always|wait|show", L"next.exe=before|always|wait|show"}, L"before");
    EXPECT_EQ(started(), (Lines{L"missing.exe", L"next.exe"}));
}

TEST(SystemTools, AlwaysByFullPathFromTheSystemOrTheWindowsDirectory) {
    struct Row {
        const wchar_t* present; // where the tool is, or nullptr
        const wchar_t* started;
    };
    for (const Row& row :
         {Row{L"C:\\windows\\system32\\regedit.exe", L"C:\\windows\\system32\\regedit.exe"},
          Row{L"C:\\windows\\regedit.exe", L"C:\\windows\\regedit.exe"},
          // Never the bare name, which the system looks up beside the
          // installer first.
          Row{nullptr, L"C:\\windows\\regedit.exe"}}) {
        doubles::FakeFileSystem files;
        files.addFile(L"E:\\downloads\\regedit.exe");
        if (row.present != nullptr) {
            files.addFile(row.present);
        }
        EXPECT_EQ(
            launch::systemToolPath(files, L"C:\\windows\\system32", L"C:\\windows", L"regedit.exe"),
            row.started);
    }
}
