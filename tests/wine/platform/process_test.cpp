#include "platform/win32/process_win32.hpp"
#include "wine/platform/temp_dir.hpp"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>

using namespace parcelkit;
using parcelkit::doubles::testDirectory;

namespace {

// The started program is this test program itself, copied to a path with blanks and told
// through its environment where to report how it was started.
constexpr wchar_t kReportVariable[] = L"PARCELKIT_CHILD_REPORT";
constexpr wchar_t kSleepVariable[] = L"PARCELKIT_CHILD_SLEEP";

std::wstring environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, DWORD(std::size(buffer)));
    return length < std::size(buffer) ? std::wstring(buffer, length) : std::wstring();
}

// Set for the started programs to inherit, removed again at the end of the test.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        ::SetEnvironmentVariableW(name_, value.c_str());
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;
    ~ScopedVariable() { ::SetEnvironmentVariableW(name_, nullptr); }

private:
    const wchar_t* name_;
};

struct Report {
    std::wstring directory;
    bool showWindowGiven = false;
    unsigned showWindow = 0;
};

std::optional<Report> readReport(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy(bytes.begin(), bytes.begin() + std::ptrdiff_t(text.size() * sizeof(wchar_t)),
              reinterpret_cast<char*>(text.data()));
    const auto first = text.find(L'\n');
    const auto second = text.find(L'\n', first + 1);
    if (first == std::wstring::npos || second == std::wstring::npos) {
        return std::nullopt;
    }
    return Report{text.substr(0, first), text.substr(first + 1, second - first - 1) == L"1",
                  unsigned(std::stoul(text.substr(second + 1)))};
}

class Win32ProcessesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        wchar_t self[MAX_PATH + 1] = {};
        ::GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
        std::filesystem::create_directories(std::filesystem::path(child()).parent_path());
        std::filesystem::copy_file(self, child(),
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::create_directories(workDirectory());
    }

    static std::wstring child() { return testDirectory() + L"\\child program\\pk child.exe"; }
    static std::wstring workDirectory() { return testDirectory() + L"\\work dir"; }

    platform::ProcessRequest request(std::uint32_t wait) const {
        platform::ProcessRequest r;
        r.commandLine = L"\"" + child() +
                        L"\" --gtest_also_run_disabled_tests "
                        L"--gtest_filter=DISABLED_ProcessChild.* --gtest_brief=1";
        r.workingDirectory = workDirectory();
        r.showCommand = platform::kShowHidden;
        r.creationFlags = platform::kCreateNewConsole | platform::kCreateNoWindow;
        r.waitMilliseconds = wait;
        return r;
    }

    static std::wstring reportPath() {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return testDirectory() + L"\\report " + std::wstring(name.begin(), name.end());
    }

    std::wstring report_ = reportPath();
    ScopedVariable reportVariable_{kReportVariable, report_};
    win32::Win32Processes processes_;
};

} // namespace

// Runs only when a test below starts it.
TEST(DISABLED_ProcessChild, ReportsHowItWasStarted) {
    const std::wstring report = environment(kReportVariable);
    ASSERT_FALSE(report.empty());
    if (const std::wstring sleep = environment(kSleepVariable); !sleep.empty()) {
        ::Sleep(DWORD(std::stoul(sleep)));
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    ::GetStartupInfoW(&startup);
    wchar_t directory[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, directory);
    const std::wstring text = std::wstring(directory) + L"\n" +
                              ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? L"1" : L"0") +
                              L"\n" + std::to_wstring(startup.wShowWindow);
    // Written aside and moved into place, so that the waiting test never reads half of it.
    const std::wstring part = report + L".part";
    std::ofstream(std::filesystem::path(part), std::ios::binary)
        .write(reinterpret_cast<const char*>(text.data()),
               std::streamsize(text.size() * sizeof(wchar_t)));
    ASSERT_TRUE(::MoveFileExW(part.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING));
}

TEST_F(Win32ProcessesTest, QuotedPathWithBlanksRunsHiddenInItsDirectoryAndIsWaitedFor) {
    auto outcome = processes_.run(request(platform::kWaitForever));
    ASSERT_TRUE(bool(outcome));
    EXPECT_TRUE(outcome->ended);
    EXPECT_EQ(outcome->running, nullptr);
    const auto report = readReport(report_);
    ASSERT_TRUE(report.has_value()) << "the program had ended when run returned";
    EXPECT_EQ(::lstrcmpiW(report->directory.c_str(), workDirectory().c_str()), 0)
        << testing::PrintToString(report->directory);
    EXPECT_TRUE(report->showWindowGiven);
    EXPECT_EQ(report->showWindow, unsigned(SW_HIDE));
}

TEST_F(Win32ProcessesTest, ShownProgramGetsTheShowCommand) {
    platform::ProcessRequest shown = request(platform::kWaitForever);
    shown.showCommand = platform::kShowNormal;
    shown.creationFlags = platform::kCreateNewConsole;
    shown.workingDirectory.clear();
    const auto run = processes_.run(shown);
    ASSERT_TRUE(bool(run) && run->ended);
    const auto report = readReport(report_);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->showWindow, unsigned(platform::kShowNormal));
    wchar_t own[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH + 1, own);
    EXPECT_EQ(::lstrcmpiW(report->directory.c_str(), own), 0)
        << "no directory given: the installer's own";
}

TEST_F(Win32ProcessesTest, ProgramStillRunningIsHandedBackToWaitFor) {
    const ScopedVariable sleep(kSleepVariable, L"1500");
    auto outcome = processes_.run(request(0));
    ASSERT_TRUE(bool(outcome));
    EXPECT_FALSE(outcome->ended);
    ASSERT_NE(outcome->running, nullptr);
    EXPECT_FALSE(outcome->running->wait(50));
    EXPECT_FALSE(readReport(report_).has_value());
    EXPECT_TRUE(outcome->running->wait(platform::kWaitForever));
    EXPECT_TRUE(readReport(report_).has_value());
}

TEST_F(Win32ProcessesTest, WaitThatRunsOutReturnsBeforeTheProgramEnds) {
    const ScopedVariable sleep(kSleepVariable, L"1500");
    auto outcome = processes_.run(request(100));
    ASSERT_TRUE(bool(outcome));
    EXPECT_FALSE(outcome->ended);
    ASSERT_NE(outcome->running, nullptr);
    EXPECT_TRUE(outcome->running->wait(platform::kWaitForever));
}

TEST_F(Win32ProcessesTest, MissingProgramIsNotStarted) {
    platform::ProcessRequest missing = request(platform::kWaitForever);
    missing.commandLine = L"\"" + testDirectory() + L"\\no such program.exe\"";
    const auto outcome = processes_.run(missing);
    ASSERT_FALSE(bool(outcome));
    EXPECT_TRUE(outcome.failure().notFound());
}
