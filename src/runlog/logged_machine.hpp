#pragma once

#include "platform/file_removal.hpp"
#include "platform/file_system.hpp"
#include "platform/process.hpp"
#include "platform/profile.hpp"
#include "platform/registry.hpp"
#include "platform/run_log.hpp"
#include "platform/shell.hpp"

namespace parcelkit::runlog {

// The machine's interfaces as a logged run sees them: every request that changes the
// machine is passed on and then written to the log with its outcome. Reading is passed on
// unlogged.

class LoggedFileSystem : public platform::FileSystem {
public:
    LoggedFileSystem(platform::FileSystem& inner, platform::RunLog& log)
        : inner_(inner), log_(log) {}

    bool fileExists(const std::wstring& path) const override { return inner_.fileExists(path); }
    bool directoryExists(const std::wstring& path) const override {
        return inner_.directoryExists(path);
    }
    platform::Outcome createDirectory(const std::wstring& path) override;
    std::optional<std::wstring> shortPath(const std::wstring& path) const override {
        return inner_.shortPath(path);
    }
    std::vector<platform::DirectoryEntry> list(const std::wstring& directory,
                                               const std::wstring& pattern) const override {
        return inner_.list(directory, pattern);
    }
    std::optional<platform::FileTime> lastWriteTime(const std::wstring& path) const override {
        return inner_.lastWriteTime(path);
    }
    platform::Outcome copyFile(const std::wstring& from, const std::wstring& to) override;
    void copyFiles(const std::vector<platform::CopyRequest>& copies,
                   const platform::CopyReport& report) override;
    platform::Outcome deleteFile(const std::wstring& path) override;
    platform::Outcome setNormalAttributes(const std::wstring& path) override {
        return inner_.setNormalAttributes(path);
    }
    platform::Result<std::wstring> createTemporaryFile(const std::wstring& directory,
                                                       const std::wstring& prefix) override;
    platform::Outcome moveAtRestart(const std::wstring& from, const std::wstring& to) override;
    std::wstring currentDirectory() const override { return inner_.currentDirectory(); }
    platform::Outcome setCurrentDirectory(const std::wstring& path) override {
        return inner_.setCurrentDirectory(path);
    }

private:
    platform::FileSystem& inner_;
    platform::RunLog& log_;
};

class LoggedRegistry : public platform::Registry {
public:
    LoggedRegistry(platform::Registry& inner, platform::RunLog& log) : inner_(inner), log_(log) {}

    std::optional<std::wstring> readString(platform::RootKey root, const std::wstring& subkey,
                                           const std::wstring& name) const override {
        return inner_.readString(root, subkey, name);
    }
    bool keyExists(platform::RootKey root, const std::wstring& subkey) const override {
        return inner_.keyExists(root, subkey);
    }
    platform::Outcome writeString(platform::RootKey root, const std::wstring& subkey,
                                  const std::wstring& name, const std::wstring& value) override;
    platform::Outcome writeDword(platform::RootKey root, const std::wstring& subkey,
                                 const std::wstring& name, std::uint32_t value) override;
    platform::Outcome deleteTree(platform::RootKey root, const std::wstring& subkey) override;

private:
    platform::Registry& inner_;
    platform::RunLog& log_;
};

class LoggedProcesses : public platform::Processes {
public:
    LoggedProcesses(platform::Processes& inner, platform::RunLog& log) : inner_(inner), log_(log) {}
    platform::Result<platform::ProcessRun> run(const platform::ProcessRequest& request) override;

private:
    platform::Processes& inner_;
    platform::RunLog& log_;
};

class LoggedFileRemoval : public platform::FileRemoval {
public:
    LoggedFileRemoval(platform::FileRemoval& inner, platform::RunLog& log)
        : inner_(inner), log_(log) {}
    platform::Outcome removeFile(const std::wstring& path) override;
    platform::Outcome removeEmptyDirectory(const std::wstring& path) override;
    platform::Outcome deleteAtRestart(const std::wstring& path) override;

private:
    platform::FileRemoval& inner_;
    platform::RunLog& log_;
};

class LoggedShell : public platform::Shell {
public:
    LoggedShell(platform::Shell& inner, platform::RunLog& log) : inner_(inner), log_(log) {}
    std::optional<std::wstring> specialFolder(int csidl) const override {
        return inner_.specialFolder(csidl);
    }
    platform::Outcome createLink(const std::wstring& linkFile,
                                 const platform::ShellLink& link) override;

private:
    platform::Shell& inner_;
    platform::RunLog& log_;
};

// Profile files are logged where they are written: the record, system.ini.
class LoggedProfileStore : public platform::ProfileStore {
public:
    LoggedProfileStore(platform::ProfileStore& inner, platform::RunLog& log)
        : inner_(inner), log_(log) {}
    std::unique_ptr<platform::ProfileFile> open(const std::wstring& path) override;
    platform::Result<std::wstring> readText(const std::wstring& path) const override {
        return inner_.readText(path);
    }
    platform::Outcome writeText(const std::wstring& path, const std::wstring& text) override;

private:
    platform::ProfileStore& inner_;
    platform::RunLog& log_;
};

} // namespace parcelkit::runlog
