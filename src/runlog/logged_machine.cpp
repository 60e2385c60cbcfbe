#include "runlog/logged_machine.hpp"

#include "runlog/step_line.hpp"

namespace parcelkit::runlog {

namespace {

std::wstring rootName(platform::RootKey root) {
    switch (root) {
    case platform::RootKey::ClassesRoot:
        return L"HKEY_CLASSES_ROOT";
    case platform::RootKey::CurrentUser:
        return L"HKEY_CURRENT_USER";
    case platform::RootKey::LocalMachine:
        return L"HKEY_LOCAL_MACHINE";
    case platform::RootKey::Users:
        return L"HKEY_USERS";
    case platform::RootKey::CurrentConfig:
        return L"HKEY_CURRENT_CONFIG";
    }
    return L"?";
}

template <typename T> platform::Outcome outcomeOf(const platform::Result<T>& result) {
    return result ? platform::Outcome() : platform::Outcome(result.failure());
}

// A profile file whose writes are logged with the file they go to.
class LoggedProfileFile : public platform::ProfileFile {
public:
    LoggedProfileFile(std::unique_ptr<platform::ProfileFile> inner, platform::RunLog& log)
        : inner_(std::move(inner)), log_(log) {}

    std::wstring readString(const std::wstring& section, const std::wstring& key,
                            const std::wstring& def) const override {
        return inner_->readString(section, key, def);
    }
    std::vector<std::wstring> keyNames(const std::wstring& section) const override {
        return inner_->keyNames(section);
    }
    std::vector<std::wstring> sectionNames() const override { return inner_->sectionNames(); }
    platform::Outcome writeString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& value) override {
        auto outcome = inner_->writeString(section, key, value);
        logStep(log_, L"write entry", path() + L" [" + section + L"] " + key + L"=" + value,
                outcome);
        return outcome;
    }
    const std::wstring& path() const override { return inner_->path(); }
    platform::Outcome deleteKey(const std::wstring& section, const std::wstring& key) override {
        auto outcome = inner_->deleteKey(section, key);
        logStep(log_, L"delete entry", path() + L" [" + section + L"] " + key, outcome);
        return outcome;
    }
    platform::Outcome deleteSection(const std::wstring& section) override {
        auto outcome = inner_->deleteSection(section);
        logStep(log_, L"delete section", path() + L" [" + section + L"]", outcome);
        return outcome;
    }

private:
    std::unique_ptr<platform::ProfileFile> inner_;
    platform::RunLog& log_;
};

void logCopy(platform::RunLog& log, const platform::CopyRequest& copy,
             const platform::Outcome& outcome) {
    // Once per installed file: the line's text is put together only for a run with a log.
    if (log.isOpen()) {
        logStep(log, L"copy file", copy.to + L" from " + copy.from, outcome);
    }
}

} // namespace

platform::Outcome LoggedFileSystem::createDirectory(const std::wstring& path) {
    auto outcome = inner_.createDirectory(path);
    logStep(log_, L"create directory", path, outcome);
    return outcome;
}

platform::Outcome LoggedFileSystem::copyFile(const std::wstring& from, const std::wstring& to) {
    auto outcome = inner_.copyFile(from, to);
    logCopy(log_, {from, to}, outcome);
    return outcome;
}

void LoggedFileSystem::copyFiles(const std::vector<platform::CopyRequest>& copies,
                                 const platform::CopyReport& report) {
    // The report comes on the calling thread, so the log is written from that thread only.
    inner_.copyFiles(copies, [&](std::size_t index, const platform::Outcome& outcome) {
        logCopy(log_, copies[index], outcome);
        report(index, outcome);
    });
}

platform::Outcome LoggedFileSystem::deleteFile(const std::wstring& path) {
    auto outcome = inner_.deleteFile(path);
    logStep(log_, L"delete file", path, outcome);
    return outcome;
}

platform::Result<std::wstring> LoggedFileSystem::createTemporaryFile(const std::wstring& directory,
                                                                     const std::wstring& prefix) {
    auto result = inner_.createTemporaryFile(directory, prefix);
    logStep(log_, L"create temporary file", result ? *result : directory, outcomeOf(result));
    return result;
}

platform::Outcome LoggedFileSystem::moveAtRestart(const std::wstring& from,
                                                  const std::wstring& to) {
    auto outcome = inner_.moveAtRestart(from, to);
    logStep(log_, L"replace at restart", to + L" by " + from, outcome);
    return outcome;
}

platform::Outcome LoggedRegistry::writeString(platform::RootKey root, const std::wstring& subkey,
                                              const std::wstring& name, const std::wstring& value) {
    auto outcome = inner_.writeString(root, subkey, name, value);
    logStep(log_, L"set registry value",
            rootName(root) + L"\\" + subkey + L" " + name + L"=" + value, outcome);
    return outcome;
}

platform::Outcome LoggedRegistry::writeDword(platform::RootKey root, const std::wstring& subkey,
                                             const std::wstring& name, std::uint32_t value) {
    auto outcome = inner_.writeDword(root, subkey, name, value);
    logStep(log_, L"set registry value",
            rootName(root) + L"\\" + subkey + L" " + name + L"=" + std::to_wstring(value), outcome);
    return outcome;
}

platform::Outcome LoggedRegistry::deleteTree(platform::RootKey root, const std::wstring& subkey) {
    auto outcome = inner_.deleteTree(root, subkey);
    logStep(log_, L"delete registry key", rootName(root) + L"\\" + subkey, outcome);
    return outcome;
}

platform::Result<platform::ProcessRun>
LoggedProcesses::run(const platform::ProcessRequest& request) {
    auto result = inner_.run(request);
    logStep(log_, result && !result->ended ? L"start program (still running)" : L"run program",
            request.commandLine, outcomeOf(result));
    return result;
}

platform::Outcome LoggedFileRemoval::removeFile(const std::wstring& path) {
    auto outcome = inner_.removeFile(path);
    logStep(log_, L"delete file", path, outcome);
    return outcome;
}

platform::Outcome LoggedFileRemoval::removeEmptyDirectory(const std::wstring& path) {
    auto outcome = inner_.removeEmptyDirectory(path);
    logStep(log_, L"remove directory", path, outcome);
    return outcome;
}

platform::Outcome LoggedFileRemoval::deleteAtRestart(const std::wstring& path) {
    auto outcome = inner_.deleteAtRestart(path);
    logStep(log_, L"delete at restart", path, outcome);
    return outcome;
}

platform::Outcome LoggedShell::createLink(const std::wstring& linkFile,
                                          const platform::ShellLink& link) {
    auto outcome = inner_.createLink(linkFile, link);
    logStep(log_, L"create shortcut", linkFile + L" to " + link.target, outcome);
    return outcome;
}

std::unique_ptr<platform::ProfileFile> LoggedProfileStore::open(const std::wstring& path) {
    return std::make_unique<LoggedProfileFile>(inner_.open(path), log_);
}

platform::Outcome LoggedProfileStore::writeText(const std::wstring& path,
                                                const std::wstring& text) {
    auto outcome = inner_.writeText(path, text);
    logStep(log_, L"write file", path, outcome);
    return outcome;
}

} // namespace parcelkit::runlog
