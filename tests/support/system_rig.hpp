#pragma once

#include "fake_file_bytes.hpp"
#include "fake_install_view.hpp"
#include "fake_registry.hpp"
#include "fake_shell.hpp"
#include "model/install_context.hpp"
#include "model/messages.hpp"
#include "model/session.hpp"
#include "unit/test_platform.hpp"

#include <set>

namespace parcelkit::doubles {

// A registry that refuses the values named in refused, as one without the rights would.
struct GuardedRegistry : FakeRegistry {
    std::set<std::wstring> refused; // value names; "*" refuses every write
    std::vector<std::wstring> written;

    platform::Outcome writeString(platform::RootKey root, const std::wstring& subkey,
                                  const std::wstring& name, const std::wstring& value) override {
        if (isRefused(name)) {
            return refusal();
        }
        written.push_back(name);
        return FakeRegistry::writeString(root, subkey, name, value);
    }
    platform::Outcome writeDword(platform::RootKey root, const std::wstring& subkey,
                                 const std::wstring& name, std::uint32_t value) override {
        if (isRefused(name)) {
            return refusal();
        }
        written.push_back(name);
        return FakeRegistry::writeDword(root, subkey, name, value);
    }

private:
    bool isRefused(const std::wstring& name) const {
        return refused.count(L"*") != 0 || refused.count(name) != 0;
    }
    static platform::Failure refusal() {
        return {platform::Failure::kAccessDenied, L"Access is denied."};
    }
};

// One installation run's context for the system-integration steps, on an NT-family
// machine, installing into D:\Apps\Prog with its uninstall record open.
struct SystemRig {
    SystemRig() {
        auto& dirs = session.dirs;
        dirs.windir = L"C:\\windows";
        dirs.sysdir = L"C:\\windows\\system32";
        dirs.tempdir = L"C:\\users\\ann\\Temp";
        dirs.programfilesdir = L"C:\\Program Files";
        dirs.setupdir = L"D:\\Apps\\Prog";
        dirs.currentdir = L"E:\\setup";
        dirs.setupname = L"Northwind Notes";
        dirs.allusersdir = L"C:\\ProgramData";
        dirs.userdir = L"C:\\users\\ann";
        session.ostype = script::OsFamily::Nt;
        session.appid = L"NotesSetup";
        machine.files.addDirectory(L"C:\\users\\ann\\Temp");
        machine.files.addDirectory(L"D:\\Apps");
        machine.files.addDirectory(L"D:\\Apps\\Prog");
        context.uninstallini = std::make_unique<record::RecordWriter>(
            machine.profiles, L"D:\\Apps\\Prog\\uninstall.ini");
    }

    std::wstring record(const std::wstring& section, const std::wstring& key) const {
        return context.uninstallini->file().readString(section, key, L"<none>");
    }
    void setLanguage(const std::wstring& text) {
        machine.profiles.put(L"E:\\setup\\language.ini", text);
    }

    TestPlatform machine;
    GuardedRegistry registry;
    platform::Platform platform{machine.profiles,  machine.files, machine.system,  registry,
                                machine.processes, machine.boxes, machine.versions};
    FakeFileBytes bytes{machine.files};
    FakeShell shell;
    model::Session session;
    std::unique_ptr<platform::ProfileFile> setupini =
        machine.profiles.open(L"E:\\setup\\setup.ini");
    std::unique_ptr<platform::ProfileFile> langfile =
        machine.profiles.open(L"E:\\setup\\language.ini");
    model::MessageTexts texts{*langfile, L"0409"};
    FakeInstallView view;
    model::InstallContext context{platform, session, *setupini, texts, view, nullptr};
};

} // namespace parcelkit::doubles
