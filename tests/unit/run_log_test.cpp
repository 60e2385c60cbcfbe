#include "fake_file_system.hpp"
#include "fake_message_boxes.hpp"
#include "model/run_outcome.hpp"
#include "runlog/log_file.hpp"
#include "runlog/logged_machine.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;

namespace {

class RecordingRunLog : public platform::RunLog {
public:
    platform::Outcome open(const std::wstring&) override { return {}; }
    bool isOpen() const override { return true; }
    void write(const std::wstring& line) override { lines.push_back(line); }
    std::vector<std::wstring> lines;
};

} // namespace

// What an administrator reads afterwards: each step and each text of the run on one line,
// under its component, a refusal with the system's code and reason.
TEST(RunLog, StepsAndMessagesAreOneLineEach) {
    RecordingRunLog log;
    doubles::FakeFileSystem disk;
    disk.addFile(L"C:\\src\\a.txt");
    disk.addDirectory(L"C:\\dest");
    runlog::LoggedFileSystem files(disk, log);
    doubles::FakeMessageBoxes shown;
    model::RunOutcomeBoxes boxes(shown, true, log);

    log.setComponent(L"CORE");
    platform::notChecked(files.copyFile(L"C:\\src\\a.txt", L"C:\\dest\\a.txt"));
    platform::notChecked(files.copyFile(L"C:\\src\\gone.txt", L"C:\\dest\\gone.txt"));
    boxes.report(L"Malformed file entry\r\nComponent file: C:\\src\\parcelkit.ini",
                 platform::BoxIcon::Error);
    log.setComponent({});
    boxes.show(L"Done.", L"Notice", platform::BoxIcon::Information, platform::BoxButtons::Ok);

    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], L"CORE\tcopy file\tC:\\dest\\a.txt from C:\\src\\a.txt\tdone");
    EXPECT_TRUE(log.lines[1].starts_with(
        L"CORE\tcopy file\tC:\\dest\\gone.txt from C:\\src\\gone.txt\tfailed (2): "))
        << log.lines[1];
    EXPECT_EQ(log.lines[2], L"CORE\terror\tMalformed file entry / Component file: "
                            L"C:\\src\\parcelkit.ini");
    EXPECT_EQ(log.lines[3], L"\tmessage\tNotice: Done.");
}

TEST(RunLog, FileIsTheOneAskedForOrNamedAfterTheId) {
    struct Row {
        const wchar_t *asked, *temp, *id, *path;
    };
    for (const Row& row : {
             Row{L"D:\\logs\\x.log", L"C:\\Temp\\", L"Notes", L"D:\\logs\\x.log"},
             Row{L"", L"C:\\Temp\\", L"Notes", L"C:\\Temp\\Notes-setup.log"},
             Row{L"", L"C:\\Temp", L"A/B:C", L"C:\\Temp\\A_B_C-setup.log"},
             Row{L"", L"C:\\Temp\\", L"", L"C:\\Temp\\parcelkit-setup.log"},
         }) {
        EXPECT_EQ(runlog::logFilePath(row.asked, row.temp, row.id, L"setup"), row.path);
    }
}
