#pragma once

#include "check_state_print.hpp"
#include "components/component_page.hpp"
#include "fake_component_tree_view.hpp"
#include "fake_file_system.hpp"
#include "fake_message_boxes.hpp"
#include "fake_processes.hpp"
#include "fake_registry.hpp"
#include "fake_system_info.hpp"
#include "fake_version_info.hpp"
#include "memory_profile.hpp"
#include "model/language.hpp"
#include "model/session.hpp"
#include "ordinal_collation.hpp"
#include "platform/platform.hpp"

#include <stdexcept>

namespace parcelkit::doubles {

// A setup folder C:\setup with component folders, a machine of doubles and the component
// page over them. The machine is of the NT family; messages come from language.ini when
// a language section is given, else their defaults.
struct ComponentSetup {
    static constexpr wchar_t kSetupFolder[] = L"C:\\setup";

    MemoryProfileStore profiles;
    FakeFileSystem files;
    FakeSystemInfo system;
    FakeRegistry registry;
    FakeProcesses processes;
    FakeMessageBoxes boxes;
    FakeVersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
    OrdinalCollation collation;
    FakeComponentTreeView view;
    model::Session session;
    model::LanguageSource language;
    components::ComponentPage page{view, session, language, platform, collation};

    explicit ComponentSetup(std::wstring langsection = L"language",
                            std::wstring languageIni = L"") {
        session.ostype = script::OsFamily::Nt;
        session.dirs.currentdir = kSetupFolder;
        session.dirs.sysdir = L"C:\\windows\\system32";
        session.dirs.setupdir = L"C:\\Program Files\\Northwind";
        session.setupmode = true;
        files.addDirectory(kSetupFolder);
        setupIni(L"[main]\r\nid=Northwind\r\n");
        profiles.put(L"C:\\setup\\language.ini", std::move(languageIni));
        language.langfile = profiles.open(L"C:\\setup\\language.ini");
        language.langsection = std::move(langsection);
    }

    void setupIni(std::wstring text) {
        profiles.put(L"C:\\setup\\setup.ini", std::move(text));
        session.setupini = profiles.open(L"C:\\setup\\setup.ini");
    }

    static std::wstring folder(const std::wstring& relative) {
        return std::wstring(kSetupFolder) + L"\\" + relative;
    }

    // A plain folder, no component.
    void plainFolder(const std::wstring& relative) { files.addDirectory(folder(relative)); }

    // A component folder ("app" or "app\\docs") holding its component file.
    void component(const std::wstring& relative, std::wstring componentIni) {
        const std::wstring path = folder(relative) + L"\\" + session.ininame;
        files.addDirectory(folder(relative));
        files.addFile(path);
        profiles.put(path, std::move(componentIni));
    }

    bool build() { return page.readlist(); }

    // One field of every node's component, in the nodes' order.
    template <typename Field> std::vector<Field> column(Field components::Component::*field) const {
        std::vector<Field> values;
        for (const auto& component : page.components()) {
            values.push_back(component.*field);
        }
        return values;
    }
    std::vector<bool> installedFlags() const { return column(&components::Component::installed); }

    // The absolute index of the node built from a component folder.
    std::size_t node(const std::wstring& relative) const {
        const auto& components = page.components();
        for (std::size_t i = 0; i < components.size(); ++i) {
            if (components[i].dir == folder(relative)) {
                return i;
            }
        }
        throw std::out_of_range("no component folder");
    }

    components::CheckState state(const std::wstring& relative) const {
        return page.tree().state(node(relative));
    }
};

} // namespace parcelkit::doubles
