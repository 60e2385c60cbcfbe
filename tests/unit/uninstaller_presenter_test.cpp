#include "presenters/uninstaller_presenter.hpp"
#include "uninstaller_rig.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using doubles::UninstallerRig;

namespace {

struct FakeView : presenters::UninstallerView {
    record::UninstallerTexts texts;
    std::wstring directory;
    std::vector<std::wstring> captions;
    std::vector<bool> checked;
    bool selectAll = false;
    bool registry = true;
    bool uninstallEnabled = false;
    std::vector<bool> busy;
    std::vector<std::wstring> progress;
    std::wstring outcome;
    std::wstring finishButton;
    std::vector<bool> gone;
    bool closed = false;

    void applyTexts(const record::UninstallerTexts& t) override { texts = t; }
    void setDirectory(const std::wstring& d) override { directory = d; }
    void setComponents(const std::vector<std::wstring>& c) override {
        captions = c;
        checked.assign(c.size(), true);
    }
    std::vector<bool> checkedComponents() const override { return checked; }
    void checkAllComponents(bool all) override { checked.assign(checked.size(), all); }
    void setSelectAll(bool all) override { selectAll = all; }
    bool deleteRegistryEntries() const override { return registry; }
    void enableUninstall(bool enabled) override { uninstallEnabled = enabled; }
    void setBusy(bool b) override { busy.push_back(b); }
    void setProgress(const std::wstring& line) override { progress.push_back(line); }
    void showOutcome(const std::wstring& text, const std::wstring& button,
                     const std::vector<bool>& removed) override {
        outcome = text;
        finishButton = button;
        gone = removed;
    }
    void close() override { closed = true; }
};

struct FakeSelf : platform::SelfRemoval {
    int asked = 0;
    std::wstring programPath() const override { return UninstallerRig::kProgram; }
    platform::Outcome removeAfterExit(const std::vector<std::wstring>&) override {
        ++asked;
        return {};
    }
};

const std::wstring kWindowRecord =
    L"[main]\r\nid=notes\r\n"
    L"[language]\r\nfont=Tahoma\r\nsize=10\r\ncharset=134\r\n1=Uninstaller\r\n2=&Uninstall\r\n"
    L"9=Finished.\r\n10=Finished after a restart.\r\n11=&Finish\r\n12=Thank you.\r\n"
    L"[file]\r\nC:\\Program Files\\Notes\\a.exe|0=APP\r\n"
    L"C:\\Program Files\\Notes\\d.txt|0=DOC\r\n"
    L"[list]\r\nAPP=Application\r\nDOC=\r\n";

struct PresenterRig : UninstallerRig {
    FakeView view;
    FakeSelf self;
    presenters::UninstallerPresenter presenter{machine, self, view};
    PresenterRig() {
        record(kWindowRecord);
        disk.addFile(L"C:\\Program Files\\Notes\\a.exe");
        disk.addFile(L"C:\\Program Files\\Notes\\d.txt");
        presenter.start();
    }
};

} // namespace

TEST(UninstallerWindow, ShowsTheRecordedLanguageDirectoryAndComponents) {
    PresenterRig rig;
    EXPECT_EQ(rig.view.texts.title, L"Uninstaller");
    EXPECT_EQ(rig.view.texts.font, L"Tahoma");
    EXPECT_EQ(rig.view.texts.size, 10);
    EXPECT_EQ(rig.view.texts.charset, 134);
    // Keys the record lacks fall back to the installer's built-in texts.
    EXPECT_EQ(rig.view.texts.selectAll, L"全选");
    EXPECT_EQ(rig.view.directory, L"C:\\Program Files\\Notes");
    // A component without a caption shows its NAME.
    EXPECT_EQ(rig.view.captions, (std::vector<std::wstring>{L"Application", L"DOC"}));
    EXPECT_TRUE(rig.view.selectAll);
    EXPECT_TRUE(rig.view.uninstallEnabled);
}

TEST(UninstallerWindow, SelectAllFollowsTheBoxesAndNothingChosenRemovesNothing) {
    PresenterRig rig;
    rig.view.checked = {false, true};
    rig.presenter.componentClicked();
    EXPECT_FALSE(rig.view.selectAll);
    EXPECT_TRUE(rig.view.uninstallEnabled);
    rig.presenter.selectAllClicked(false);
    EXPECT_EQ(rig.view.checked, (std::vector<bool>{false, false}));
    EXPECT_FALSE(rig.view.uninstallEnabled);
    rig.presenter.uninstallClicked();
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\a.exe"));
    EXPECT_TRUE(rig.view.outcome.empty());
    rig.presenter.cancelClicked();
    EXPECT_TRUE(rig.view.closed);
    EXPECT_EQ(rig.presenter.exitCode(), 1602);
}

TEST(UninstallerWindow, PartOfTheComponentsGoesAndTheOutcomeIsShown) {
    PresenterRig rig;
    rig.view.checked = {false, true};
    rig.presenter.uninstallClicked();
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\a.exe"));
    EXPECT_FALSE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\d.txt"));
    EXPECT_EQ(rig.view.outcome, L"Finished.\r\nThank you.");
    EXPECT_EQ(rig.view.finishButton, L"&Finish");
    // The list tells what went, not what was ticked.
    EXPECT_EQ(rig.view.gone, (std::vector<bool>{false, true}));
    EXPECT_EQ(rig.view.busy, std::vector<bool>{true});
    EXPECT_FALSE(rig.view.progress.empty());
    EXPECT_EQ(rig.self.asked, 0); // the installation stays: so does the uninstaller
    EXPECT_EQ(rig.presenter.exitCode(), 0);
    // A second click after the end does nothing.
    rig.presenter.uninstallClicked();
    EXPECT_TRUE(rig.disk.hasFile(L"C:\\Program Files\\Notes\\a.exe"));
    rig.presenter.cancelClicked();
    EXPECT_TRUE(rig.view.closed);
}

TEST(UninstallerWindow, RestartTextAndLeftoversAtTheEnd) {
    PresenterRig rig;
    rig.disk.lockFile(L"C:\\Program Files\\Notes\\a.exe");
    rig.disk.addFile(L"C:\\Program Files\\Notes\\d.txt");
    rig.disk.lockFile(L"C:\\Program Files\\Notes\\d.txt");
    rig.view.registry = false;
    rig.presenter.uninstallClicked();
    EXPECT_EQ(rig.view.outcome, L"Finished after a restart.\r\nThank you.");
    EXPECT_EQ(rig.presenter.exitCode(), 3010);
}
