#pragma once

#include "platform/registry.hpp"

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

namespace parcelkit::doubles {

// String and DWORD values by root, key path and value name; key paths compared as written.
struct FakeRegistry : platform::Registry {
    using Value = std::tuple<platform::RootKey, std::wstring, std::wstring>;
    std::map<Value, std::wstring> values;
    std::map<Value, std::uint32_t> dwords;
    mutable std::vector<Value> reads; // every value looked up, in order

    std::optional<std::wstring> readString(platform::RootKey root, const std::wstring& subkey,
                                           const std::wstring& name) const override {
        reads.emplace_back(root, subkey, name);
        const auto it = values.find({root, subkey, name});
        if (it == values.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    bool keyExists(platform::RootKey root, const std::wstring& subkey) const override {
        const auto inKey = [&](const auto& entry) {
            return std::get<0>(entry.first) == root && std::get<1>(entry.first) == subkey;
        };
        return std::any_of(values.begin(), values.end(), inKey) ||
               std::any_of(dwords.begin(), dwords.end(), inKey);
    }
    platform::Outcome writeString(platform::RootKey root, const std::wstring& subkey,
                                  const std::wstring& name, const std::wstring& value) override {
        values[{root, subkey, name}] = value;
        return {};
    }
    platform::Outcome writeDword(platform::RootKey root, const std::wstring& subkey,
                                 const std::wstring& name, std::uint32_t value) override {
        dwords[{root, subkey, name}] = value;
        return {};
    }
    platform::Outcome deleteTree(platform::RootKey root, const std::wstring& subkey) override {
        const auto inKey = [&](const auto& entry) {
            return std::get<0>(entry.first) == root && std::get<1>(entry.first) == subkey;
        };
        const auto erased = std::erase_if(values, inKey) + std::erase_if(dwords, inKey);
        if (erased == 0) {
            return platform::Failure{platform::Failure::kFileNotFound,
                                     L"The system cannot find the file specified."};
        }
        return {};
    }
};

} // namespace parcelkit::doubles
