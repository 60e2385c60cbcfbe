#pragma once

#include "record/record_reader.hpp"
#include "runlog/step_line.hpp"
#include "script/profile_document.hpp"
#include "uninstaller/removal_machine.hpp"

#include <functional>
#include <set>
#include <string>

namespace parcelkit::uninstaller {

using StatusLine = std::function<void(const std::wstring&)>;

// The state that the steps of one removal share.
struct RemovalContext {
    RemovalMachine& machine;
    // uninstall.ini, read once and kept true in memory as things go; saved after each
    // component. A run that ends early leaves entries of what is gone already, which
    // the next run passes over.
    script::ProfileDocument& record;
    std::wstring installDir;
    std::wstring program; // the running uninstaller
    RemovalOptions options;
    StatusLine status;
    RemovalReport report;
    std::set<std::wstring> pending; // upper-cased paths that go at the next restart

    // A directory kept by a component is tried again with the installation: listed once.
    void leftover(const std::wstring& object, const std::wstring& reason) {
        for (const auto& listed : report.leftovers) {
            if (listed.object == object) {
                return;
            }
        }
        report.leftovers.push_back({object, reason});
        runlog::logMessage(machine.log, true, L"left " + object + L": " + reason);
    }
    void show(const std::wstring& line) const {
        if (status) {
            status(line);
        }
    }
    bool isPending(const std::wstring& path) const;
    void markPending(const std::wstring& path);

    void forget(const std::wstring& section, const std::wstring& key);
    void forgetSection(const std::wstring& section);
    void rewrite(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Puts the record's changes on the disk; a write it refuses ends the removal.
    void saveRecord();
};

enum class Phase { Before, After };

// Starts the entries ("program|parameters|directory=phase|when|wait|show") of one phase.
// For the uninstaller an entry runs before the removal unless it names the phase "after":
// a program that helps to take a component apart usually lies among its files.
void runRemovalPrograms(RemovalContext& context, const std::vector<std::wstring>& lines,
                        Phase phase);

// Deletes a recorded file; one in use goes at the next restart. False, with a leftover,
// when it stays.
bool removeFile(RemovalContext& context, const std::wstring& path);

enum class DirectoryOutcome { Removed, Missing, AtRestart, NotEmpty, Refused };

// Removes a recorded directory when it is empty, or when everything in it goes at the
// next restart (then it goes too). A directory with other contents stays.
DirectoryOutcome removeDirectory(RemovalContext& context, const std::wstring& path);

} // namespace parcelkit::uninstaller
