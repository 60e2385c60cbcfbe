#pragma once

#include "engine/file_copy.hpp"
#include "fake_file_system.hpp"
#include "fake_install_view.hpp"
#include "fake_message_boxes.hpp"
#include "fake_processes.hpp"
#include "fake_registry.hpp"
#include "fake_system_info.hpp"
#include "fake_version_info.hpp"
#include "memory_profile.hpp"
#include "model/install_context.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "platform/platform.hpp"

#include <memory>
#include <string>
#include <vector>

namespace parcelkit::doubles {

// A machine on which one component, CORE in E:\setup\core, installs its files into
// C:\Program Files\Notes on the NT family; the uninstall record is open, as the install
// driver leaves it before the first component.
struct FileCopyRig {
    static constexpr wchar_t kComponent[] = L"E:\\setup\\core";
    static constexpr wchar_t kSetupdir[] = L"C:\\Program Files\\Notes";
    static constexpr wchar_t kTemp[] = L"C:\\users\\ann\\Temp";
    static constexpr wchar_t kRecord[] = L"C:\\Program Files\\Notes\\uninstall.ini";

    MemoryProfileStore profiles;
    FakeFileSystem files;
    FakeSystemInfo system;
    FakeRegistry registry;
    FakeProcesses processes;
    FakeMessageBoxes boxes;
    FakeVersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini = profiles.open(L"E:\\setup\\setup.ini");
    std::unique_ptr<platform::ProfileFile> langfile = profiles.open(L"E:\\setup\\language.ini");
    model::MessageTexts texts{*langfile, L"0409"};
    FakeInstallView view;
    model::InstallContext context{platform, session, *setupini, texts, view, nullptr};
    // The record as a reader sees it.
    std::unique_ptr<platform::ProfileFile> recordFile = profiles.open(kRecord);
    std::vector<std::wstring> skiplist;

    FileCopyRig() {
        session.ostype = script::OsFamily::Nt;
        session.dirs.windir = L"C:\\windows";
        session.dirs.sysdir = L"C:\\windows\\system32";
        session.dirs.tempdir = kTemp;
        session.dirs.setupdir = kSetupdir;
        for (const wchar_t* dir :
             {L"C:\\Program Files", kSetupdir, L"C:\\windows", L"C:\\windows\\system32",
              L"C:\\users", L"C:\\users\\ann", kTemp, L"E:\\setup", kComponent}) {
            files.addDirectory(dir);
        }
        context.uninstallini = std::make_unique<record::RecordWriter>(profiles, kRecord);
    }

    void run(const std::vector<std::wstring>& lines, const std::wstring& name = L"CORE") {
        engine::filecopy(context, lines, skiplist, name, kComponent);
    }

    // Times are whole milliseconds: finer differences decide nothing.
    static constexpr platform::FileTime kTicksPerMs = 10'000;

    // A file of the component folder, optionally with a version resource.
    std::wstring offer(const std::wstring& name, platform::FileTime millis = 1000,
                       std::optional<platform::FileVersion> version = std::nullopt) {
        return put(std::wstring(kComponent) + L"\\" + name, millis, version);
    }
    std::wstring put(const std::wstring& path, platform::FileTime millis = 1000,
                     std::optional<platform::FileVersion> version = std::nullopt) {
        files.addFile(path, millis * kTicksPerMs);
        if (version) {
            versions.versions[path] = *version;
        }
        return path;
    }
    // The last-write time of a file in milliseconds, nullopt when it does not exist.
    std::optional<platform::FileTime> writtenAt(const std::wstring& path) const {
        const auto time = files.lastWriteTime(path);
        return time ? std::optional<platform::FileTime>(*time / kTicksPerMs) : std::nullopt;
    }

    // The value of a [file] entry of the record, "<none>" when it is missing.
    std::wstring recorded(const std::wstring& key) const {
        return recordFile->readString(L"file", key, L"<none>");
    }
    std::vector<std::wstring> recordedFiles() const { return recordFile->keyNames(L"file"); }
    std::wstring text(const model::Message& message) const { return texts.text(message); }
};

} // namespace parcelkit::doubles
