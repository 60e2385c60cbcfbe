#pragma once

#include "fake_file_system.hpp"
#include "fake_processes.hpp"
#include "fake_system_info.hpp"
#include "fake_version_info.hpp"
#include "memory_profile.hpp"
#include "platform/platform.hpp"

#include <gtest/gtest.h>

namespace parcelkit::doubles {

// For steps that must not touch the registry.
struct UntouchedRegistry : platform::Registry {
    std::optional<std::wstring> readString(platform::RootKey, const std::wstring&,
                                           const std::wstring&) const override {
        ADD_FAILURE() << "registry read";
        return std::nullopt;
    }
    bool keyExists(platform::RootKey, const std::wstring&) const override {
        ADD_FAILURE() << "registry read";
        return false;
    }
    platform::Outcome writeString(platform::RootKey, const std::wstring&, const std::wstring&,
                                  const std::wstring&) override {
        ADD_FAILURE() << "registry write";
        return platform::Failure{platform::Failure::kAccessDenied, L"Not to be touched."};
    }
    platform::Outcome writeDword(platform::RootKey, const std::wstring&, const std::wstring&,
                                 std::uint32_t) override {
        ADD_FAILURE() << "registry write";
        return platform::Failure{platform::Failure::kAccessDenied, L"Not to be touched."};
    }
    platform::Outcome deleteTree(platform::RootKey, const std::wstring&) override {
        ADD_FAILURE() << "registry delete";
        return platform::Failure{platform::Failure::kAccessDenied, L"Not to be touched."};
    }
};

// For steps that must never ask or tell the user anything; the failures they report
// without a box are kept.
struct UnseenBoxes : platform::MessageBoxes {
    std::vector<std::wstring> reported;

    platform::BoxAnswer show(const std::wstring& text, const std::wstring&, platform::BoxIcon,
                             platform::BoxButtons) override {
        ADD_FAILURE() << "message box: " << ::testing::PrintToString(text);
        return platform::BoxAnswer::Failed;
    }
    void report(const std::wstring& text, platform::BoxIcon) override { reported.push_back(text); }
};

// One machine made of doubles.
struct TestPlatform {
    MemoryProfileStore profiles;
    FakeFileSystem files;
    FakeSystemInfo system;
    UntouchedRegistry registry;
    FakeProcesses processes;
    UnseenBoxes boxes;
    FakeVersionInfo versions;
    platform::Platform platform{profiles, files, system, registry, processes, boxes, versions};
};

} // namespace parcelkit::doubles
