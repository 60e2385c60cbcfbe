#include "checker/registry_syntax.hpp"

#include "base/text.hpp"

#include <cwctype>

namespace parcelkit::checker {

namespace {

constexpr const wchar_t* kRoots[] = {L"HKEY_LOCAL_MACHINE",  L"HKEY_CURRENT_USER",
                                     L"HKEY_CLASSES_ROOT",   L"HKEY_USERS",
                                     L"HKEY_CURRENT_CONFIG", L"HKEY_DYN_DATA"};

bool knownRoot(const std::wstring& keyPath) {
    const std::wstring root = keyPath.substr(0, keyPath.find(L'\\'));
    for (const wchar_t* known : kRoots) {
        if (base::equalsIgnoreCase(root, known)) {
            return true;
        }
    }
    return false;
}

bool isHex(wchar_t c) {
    return std::iswxdigit(std::wint_t(c)) != 0;
}

// A quoted string starting at pos: its end after the closing quote, or npos. Escapes
// other than \\ and \" are noted in badEscape.
std::size_t quotedEnd(const std::wstring& line, std::size_t pos, std::wstring& badEscape) {
    for (std::size_t i = pos + 1; i < line.size(); ++i) {
        if (line[i] == L'\\' && i + 1 < line.size()) {
            const wchar_t next = line[i + 1];
            if (next != L'\\' && next != L'"' && next != L'n' && next != L'0' &&
                badEscape.empty()) {
                badEscape = line.substr(i, 2);
            }
            ++i;
        } else if (line[i] == L'"') {
            return i + 1;
        }
    }
    return std::wstring::npos;
}

// Hexadecimal bytes separated by commas; a trailing backslash continues the line.
bool hexList(std::wstring_view text, bool& continues) {
    std::wstring list = base::trimBlanks(text);
    continues = !list.empty() && list.back() == L'\\';
    if (continues) {
        list.pop_back();
    }
    std::size_t start = 0;
    while (start < list.size()) {
        auto comma = list.find(L',', start);
        if (comma == std::wstring::npos) {
            comma = list.size();
        }
        const std::wstring byte =
            base::trimBlanks(std::wstring_view(list).substr(start, comma - start));
        if (byte.empty() && comma == list.size()) {
            break; // a comma before the continuation
        }
        if (byte.empty() || byte.size() > 2 || !isHex(byte[0]) ||
            (byte.size() == 2 && !isHex(byte[1]))) {
            return false;
        }
        start = comma + 1;
    }
    return true;
}

// The data after "=": what the editor can read, and whether hex data goes on below.
bool dataReadable(const std::wstring& data, bool& continues, std::wstring& badEscape) {
    continues = false;
    if (data == L"-") {
        return true;
    }
    if (!data.empty() && data[0] == L'"') {
        const auto end = quotedEnd(data, 0, badEscape);
        return end != std::wstring::npos && base::trimBlanks(data.substr(end)).empty();
    }
    const std::wstring lower = base::asciiLower(data);
    if (lower.rfind(L"dword:", 0) == 0) {
        const std::wstring digits = data.substr(6);
        if (digits.empty() || digits.size() > 8) {
            return false;
        }
        for (const wchar_t c : digits) {
            if (!isHex(c)) {
                return false;
            }
        }
        return true;
    }
    std::size_t colon = std::wstring::npos;
    if (lower.rfind(L"hex:", 0) == 0) {
        colon = 3;
    } else if (lower.rfind(L"hex(", 0) == 0) {
        const auto close = lower.find(L"):");
        if (close == std::wstring::npos || close == 4) {
            return false;
        }
        for (std::size_t i = 4; i < close; ++i) {
            if (!isHex(lower[i])) {
                return false;
            }
        }
        colon = close + 1;
    }
    return colon != std::wstring::npos &&
           hexList(std::wstring_view(data).substr(colon + 1), continues);
}

class SyntaxReader {
public:
    std::vector<RegistryProblem> read(const std::vector<std::wstring>& lines) {
        if (lines.empty()) {
            add(1, Severity::Error, "registry-header",
                L"the registry file is empty: regedit imports nothing");
            return problems_;
        }
        const std::wstring header = base::trimBlanks(lines[0]);
        if (header != L"Windows Registry Editor Version 5.00" && header != L"REGEDIT4") {
            add(1, Severity::Error, "registry-header",
                L"the first line is not \"Windows Registry Editor Version 5.00\" or "
                L"\"REGEDIT4\": regedit rejects the whole file");
            return problems_;
        }
        for (std::size_t i = 1; i < lines.size(); ++i) {
            readLine(i + 1, base::trimBlanks(lines[i]));
        }
        return problems_;
    }

private:
    void add(std::size_t line, Severity severity, std::string id, std::wstring text) {
        problems_.push_back({line, severity, std::move(id), std::move(text)});
    }

    void readLine(std::size_t number, const std::wstring& line) {
        if (continuing_) {
            bool continues = false;
            if (!hexList(line, continues)) {
                add(number, Severity::Error, "registry-line",
                    L"regedit cannot read this continuation of hexadecimal data and skips the "
                    L"value");
            }
            continuing_ = continues;
            return;
        }
        if (line.empty() || line[0] == L';' || line[0] == L'#') {
            return;
        }
        if (line[0] == L'[') {
            readKey(number, line);
            return;
        }
        if (line[0] == L'"' || line[0] == L'@') {
            readValue(number, line);
            return;
        }
        add(number, Severity::Error, "registry-line",
            L"regedit cannot read this line (neither a [key] nor a \"value\"=data) and skips "
            L"it");
    }

    void readKey(std::size_t number, const std::wstring& line) {
        inKey_ = false;
        keySeen_ = true;
        const auto close = line.rfind(L']');
        if (close == std::wstring::npos) {
            add(number, Severity::Error, "registry-key",
                L"the key line has no closing ']': regedit skips it and the values below it");
            return;
        }
        std::wstring path = line.substr(1, close - 1);
        if (!path.empty() && path[0] == L'-') {
            path.erase(0, 1);
        }
        if (!knownRoot(path)) {
            add(number, Severity::Error, "registry-key",
                L"key '" + path +
                    L"' does not start with a root key written in full (such as "
                    L"HKEY_LOCAL_MACHINE): regedit skips it and the values below it");
            return;
        }
        inKey_ = true;
    }

    void readValue(std::size_t number, const std::wstring& line) {
        std::wstring badEscape;
        std::size_t nameEnd = 1;
        if (line[0] == L'"') {
            nameEnd = quotedEnd(line, 0, badEscape);
        }
        const auto eq = nameEnd == std::wstring::npos ? std::wstring::npos
                                                      : line.find_first_not_of(L" \t", nameEnd);
        if (eq == std::wstring::npos || line[eq] != L'=') {
            add(number, Severity::Error, "registry-line",
                L"the value line has no closing quote or no '=' after its name: regedit skips "
                L"it");
            return;
        }
        bool continues = false;
        const std::wstring data = base::trimBlanks(std::wstring_view(line).substr(eq + 1));
        if (!dataReadable(data, continues, badEscape)) {
            add(number, Severity::Error, "registry-line",
                L"regedit cannot read the data '" + data +
                    L"' (write \"text\", dword:0000002a, hex:..., or - to delete): it skips "
                    L"the value");
            return;
        }
        continuing_ = continues;
        if (!keySeen_) {
            add(number, Severity::Error, "registry-line",
                L"the value stands before the first [key]: regedit skips it");
            return;
        }
        if (!inKey_) {
            return; // the key line above is reported, with what follows it
        }
        if (!badEscape.empty()) {
            add(number, Severity::Warning, "registry-escape",
                L"'" + badEscape +
                    L"' inside quotes: regedit reads a backslash in a string only doubled "
                    L"(\\\\); write the backslashes of your own text twice");
        }
    }

    std::vector<RegistryProblem> problems_;
    bool inKey_ = false;   // under a key regedit can open
    bool keySeen_ = false; // under any key line at all
    bool continuing_ = false;
};

} // namespace

std::vector<RegistryProblem> registrySyntaxProblems(const std::vector<std::wstring>& lines) {
    return SyntaxReader().read(lines);
}

} // namespace parcelkit::checker
