// Throughput of the value helpers on typical script entries, as a ratio to copying the
// same text: the helpers run for every entry of every component.
#include "base/escapes.hpp"
#include "fake_file_system.hpp"
#include "script/path_macros.hpp"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

template <typename F> double seconds(F f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    constexpr int kRounds = 200000;
    const std::wstring entry =
        L"#setupdir#\\Plugins\\Spell<parcelkit_space>Checker\\nwspell.dll,#sysdir#\\x.dll,1";
    parcelkit::script::MacroValues values;
    values.setupdir = L"C:\\Program Files\\Northwind Notes";
    values.sysdir = L"C:\\windows\\system32";
    parcelkit::doubles::FakeFileSystem files;

    std::size_t sink = 0;
    const double baseline = seconds([&] {
        for (int i = 0; i < kRounds; ++i) {
            std::wstring copy = entry + std::to_wstring(i & 1);
            sink += copy.size();
        }
    });
    const double helpers = seconds([&] {
        for (int i = 0; i < kRounds; ++i) {
            const auto expanded = parcelkit::script::extpath(
                entry, parcelkit::script::MacroForm::Plain, values, files);
            sink += parcelkit::base::extstr(expanded).size();
        }
    });
    std::printf("extpath+extstr per entry: %.1fx the cost of copying it (%d entries, sink %zu)\n",
                helpers / baseline, kRounds, sink);
    return 0;
}
