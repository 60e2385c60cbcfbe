#pragma once

#include "components/component_page.hpp"
#include "components/component_tree.hpp"
#include "engine/install.hpp"
#include "event_log.hpp"
#include "fake_file_system.hpp"
#include "fake_install_view.hpp"
#include "fake_message_boxes.hpp"
#include "fake_processes.hpp"
#include "fake_registry.hpp"
#include "fake_system_info.hpp"
#include "fake_version_info.hpp"
#include "memory_profile.hpp"
#include "model/install_context.hpp"
#include "model/install_steps.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"
#include "recording_system_steps.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// Directories made and files copied, logged as "mkdir PATH" and "copy TARGET".
struct LoggedFileSystem : FakeFileSystem {
    explicit LoggedFileSystem(EventLog& log) : log_(log) {}
    platform::Outcome createDirectory(const std::wstring& path) override {
        log_.add(L"mkdir " + path);
        return FakeFileSystem::createDirectory(path);
    }
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override {
        log_.add(L"copy " + to);
        return FakeFileSystem::copyFile(from, to);
    }

private:
    EventLog& log_;
};

// Programs started, logged as "run COMMAND LINE".
struct LoggedProcesses : FakeProcesses {
    explicit LoggedProcesses(EventLog& log) : log_(log) {}
    platform::Result<platform::ProcessRun> run(const platform::ProcessRequest& request) override {
        log_.add(L"run " + request.commandLine);
        return FakeProcesses::run(request);
    }

private:
    EventLog& log_;
};

// The user closes the window while the run lets it process messages for the nth time.
struct StoppingView : FakeInstallView {
    model::StopRequest* stop = nullptr;
    int stopAtPump = 0; // 0: never
    void processMessages() override {
        FakeInstallView::processMessages();
        if (stop != nullptr && messagePumps == stopAtPump) {
            stop->request();
        }
    }
};

// A setup folder E:\setup installing into C:\Program Files\Notes on the NT family with the
// language section "0409" of language.ini. Components are added as tree nodes with their
// component files; install() runs the whole driver.
struct InstallRig {
    static constexpr wchar_t kSetup[] = L"E:\\setup";
    static constexpr wchar_t kDest[] = L"C:\\Program Files\\Notes";
    static constexpr wchar_t kRecord[] = L"C:\\Program Files\\Notes\\uninstall.ini";

    EventLog log;
    MemoryProfileStore profiles;
    LoggedFileSystem files{log};
    FakeSystemInfo system;
    FakeRegistry registry;
    LoggedProcesses processes{log};
    FakeMessageBoxes boxes;
    FakeVersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini = profiles.open(L"E:\\setup\\setup.ini");
    std::unique_ptr<platform::ProfileFile> langfile = profiles.open(L"E:\\setup\\language.ini");
    std::wstring langsection = L"0409";
    StoppingView view;
    model::StopRequest stop;
    RecordingSystemSteps steps{log};
    components::ComponentTree tree;
    std::vector<components::Component> components;
    std::optional<model::MessageTexts> texts;
    std::unique_ptr<model::InstallContext> context;

    InstallRig() {
        session.ostype = script::OsFamily::Nt;
        session.dirs.windir = L"C:\\windows";
        session.dirs.sysdir = L"C:\\windows\\system32";
        session.dirs.setupdir = kDest;
        session.dirs.currentdir = kSetup;
        for (const wchar_t* dir :
             {L"C:\\Program Files", L"C:\\windows", L"C:\\windows\\system32", L"E:\\setup"}) {
            files.addDirectory(dir);
        }
        view.stop = &stop;
    }

    // Without language.ini the texts come from setup.ini's section "language".
    void withoutLanguageFile() {
        langfile = profiles.open(L"E:\\setup\\setup.ini");
        langsection = L"language";
    }

    // The tree's roots, each with its children; every node is a component folder named
    // after the node's text below E:\setup, with NAME its text upper-cased.
    void setTree(const std::vector<components::ComponentTree::Branch>& roots) {
        tree.assign(roots);
        components.clear();
        for (std::size_t i = 0; i < tree.count(); ++i) {
            std::wstring upper;
            for (const wchar_t c : tree.text(i)) {
                upper += (c >= L'a' && c <= L'z') ? wchar_t(c - L'a' + L'A') : c;
            }
            components.push_back({folder(tree.text(i)), false, L"", upper});
            files.addDirectory(folder(tree.text(i)));
            tree.putState(i, components::CheckState::Checked);
        }
    }
    void setState(std::size_t node, components::CheckState state) { tree.putState(node, state); }

    static std::wstring folder(const std::wstring& component) {
        return std::wstring(kSetup) + L"\\" + component;
    }
    // The component's file parcelkit.ini.
    void describe(const std::wstring& component, const std::wstring& text) {
        profiles.put(folder(component) + L"\\parcelkit.ini", text);
    }
    // A file of the component folder.
    void offer(const std::wstring& component, const std::wstring& name) {
        files.addFile(folder(component) + L"\\" + name, 10'000'000);
    }

    void install() {
        texts.emplace(*langfile, langsection);
        context = std::make_unique<model::InstallContext>(
            model::InstallContext{platform, session, *setupini, *texts, view, nullptr});
        engine::Install(*context, {tree, components}, steps, stop);
    }

    // A value of the record, "<none>" when missing.
    std::wstring recorded(const std::wstring& section, const std::wstring& key) {
        return profiles.open(kRecord)->readString(section, key, L"<none>");
    }
    std::vector<std::wstring> recordedKeys(const std::wstring& section) {
        return profiles.open(kRecord)->keyNames(section);
    }
    std::wstring dest(const std::wstring& name) const { return std::wstring(kDest) + L"\\" + name; }
    bool copied(const std::wstring& name) const { return log.has(L"copy " + dest(name)); }
};

} // namespace parcelkit::doubles
