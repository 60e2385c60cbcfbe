// Cost of installing one component with many file entries, on the in-memory doubles:
// filecopy with the uninstall record, as a ratio to the plain profile writes and file
// copies that it cannot do without; and the record written key by key, as a ratio to the
// same text built in memory. Every profile write rereads and rewrites the whole file, as
// the system's profile functions do, so both ratios show what the engine adds on top.
#include "file_copy_rig.hpp"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 2000;

template <typename F> double seconds(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::wstring fileName(int i) {
    std::wstring digits = std::to_wstring(i);
    return L"f" + std::wstring(4 - digits.size(), L'0') + digits + L".dat";
}

std::wstring recordKey(int i) {
    return std::wstring(parcelkit::doubles::FileCopyRig::kSetupdir) + L"\\data\\" + fileName(i) +
           L"|0";
}

} // namespace

int main() {
    using parcelkit::doubles::FileCopyRig;

    // The engine: one entry per file, each copied, its directory made and recorded.
    FileCopyRig engine;
    std::vector<std::wstring> lines;
    for (int i = 0; i < kFiles; ++i) {
        engine.offer(fileName(i));
        lines.push_back(fileName(i) + L"=#setupdir#\\data");
    }
    const double install = seconds([&] { engine.run(lines); });

    // The baseline: the same copies and the same record entries, written directly.
    FileCopyRig plain;
    plain.files.addDirectory(std::wstring(FileCopyRig::kSetupdir) + L"\\data");
    for (int i = 0; i < kFiles; ++i) {
        plain.offer(fileName(i));
    }
    const double baseline = seconds([&] {
        for (int i = 0; i < kFiles; ++i) {
            parcelkit::platform::notChecked(plain.files.copyFile(
                std::wstring(FileCopyRig::kComponent) + L"\\" + fileName(i),
                std::wstring(FileCopyRig::kSetupdir) + L"\\data\\" + fileName(i)));
            plain.context.uninstallini->write(L"file", recordKey(i), L"CORE");
        }
    });

    // The record alone: key by key through the profile, against one text in memory.
    FileCopyRig record;
    const double keyByKey = seconds([&] {
        for (int i = 0; i < kFiles; ++i) {
            record.context.uninstallini->write(L"file", recordKey(i), L"CORE");
        }
    });
    std::wstring text;
    const double inMemory = seconds([&] {
        text = L"[file]\r\n";
        for (int i = 0; i < kFiles; ++i) {
            text += recordKey(i) + L"=CORE\r\n";
        }
    });

    const bool same = engine.recordedFiles().size() == static_cast<std::size_t>(kFiles) &&
                      record.recordedFiles().size() == static_cast<std::size_t>(kFiles) &&
                      !text.empty();
    std::printf("install of %d file entries: %.2f x the plain copies and record writes "
                "(%.3f s / %.3f s)\n",
                kFiles, install / baseline, install, baseline);
    std::printf("record of %d keys written key by key: %.1f x building it in memory "
                "(%.3f s / %.5f s)\n",
                kFiles, keyByKey / inMemory, keyByKey, inMemory);
    return same ? 0 : 1;
}
