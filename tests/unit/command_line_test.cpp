#include "model/command_line.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;
using Pieces = std::vector<std::wstring>;

TEST(CommandLine, SplitsAtEverySlashWithoutTheProgramPath) {
    EXPECT_EQ(model::splitParamlist(L"\"C:\\Program Files\\setup.exe\" /s /id:0804"),
              (Pieces{L"s ", L"id:0804"}));
    // Empty pieces are dropped; nothing but the slash separates.
    EXPECT_EQ(model::splitParamlist(L"setup.exe //s/ x /"), (Pieces{L"s", L" x "}));
    EXPECT_EQ(model::splitParamlist(L"setup/s"), (Pieces{L"s"}));
    EXPECT_EQ(model::splitParamlist(L"setup.exe"), Pieces{});
    EXPECT_EQ(model::splitParamlist(L""), Pieces{});
}

TEST(CommandLine, QuotedProgramPathWithSlashesGivesNoParameters) {
    // A folder named "s" in the program's own path must not make the run silent.
    EXPECT_EQ(model::splitParamlist(L"\"D:/s/setup.exe\" /id:0409"), (Pieces{L"id:0409"}));
    EXPECT_EQ(model::splitParamlist(L"\"D:/s/setup.exe\""), Pieces{});
    EXPECT_EQ(model::splitParamlist(L"\"setup.exe\"/s"), (Pieces{L"s"}));
    EXPECT_EQ(model::splitParamlist(L"\"D:/s/setup.exe /s"), Pieces{}); // no closing quote
}

TEST(CommandLine, FirstLanguageIdIsTakenOutInTheCaseTyped) {
    Pieces pieces{L"s ", L" ID:0c0A ", L"id:0409"};
    EXPECT_EQ(model::takeLanguageId(pieces), L"0c0A");
    EXPECT_EQ(pieces, (Pieces{L"s ", L"id:0409"}));

    Pieces wrongLength{L"id:080", L"id:08044", L"idx0804"};
    EXPECT_EQ(model::takeLanguageId(wrongLength), std::nullopt);
    EXPECT_EQ(wrongLength.size(), 3u);
}

TEST(CommandLine, SilentAndUsageRecognition) {
    EXPECT_TRUE(model::isSilentParameter(L" S "));
    EXPECT_FALSE(model::isSilentParameter(L"silent"));
    EXPECT_FALSE(model::isSilentParameter(L"s x"));
    EXPECT_TRUE(model::isUsageRequest({L"setup.exe", L"/?"}));
    EXPECT_FALSE(model::isUsageRequest({L"setup.exe", L"/s", L"/?"}));
    EXPECT_FALSE(model::isUsageRequest({L"setup.exe", L"/? "}));
    EXPECT_FALSE(model::isUsageRequest({L"/?"}));
}

TEST(CommandLine, ReadsEverythingAtOnce) {
    const auto line = model::readCommandLine(L"setup /s /id:0804", {L"setup", L"/s", L"/id:0804"});
    EXPECT_TRUE(line.silent);
    EXPECT_FALSE(line.usage);
    EXPECT_TRUE(line.anyArgument);
    EXPECT_EQ(line.languageId, L"0804");
    EXPECT_EQ(line.paramlist, (Pieces{L"s "}));

    const auto bare = model::readCommandLine(L"setup", {L"setup"});
    EXPECT_FALSE(bare.silent || bare.usage || bare.anyArgument || bare.languageId);
}

// The forms deployment tools write: quotes around a value or around the whole switch, a
// "/" inside quotes, switches glued together or apart.
TEST(CommandLine, DeploymentSwitchesInEveryQuotingForm) {
    struct Row {
        const wchar_t* line;
        std::vector<std::wstring> arguments; // as the system splits them, program first
        bool silent;
        bool anyArgument;
        std::optional<std::wstring> log;
        std::optional<std::wstring> dir;
        std::optional<std::wstring> components;
    };
    const std::vector<Row> rows{
        {LR"("C:\p\setup.exe" /s "/dir:C:\Some Where")",
         {L"setup", L"/s", LR"(/dir:C:\Some Where)"},
         true,
         true,
         {},
         LR"(C:\Some Where)",
         {}},
        {LR"(setup.exe /s /dir:"C:\Some Where")",
         {L"setup", L"/s", LR"(/dir:C:\Some Where)"},
         true,
         true,
         {},
         LR"(C:\Some Where)",
         {}},
        {LR"(setup.exe /log:"C:\a b\x.log")",
         {L"setup", LR"(/log:C:\a b\x.log)"},
         false,
         false,
         LR"(C:\a b\x.log)",
         {},
         {}},
        {LR"("C:\p\setup.exe" "/log:C:\a b/x.log" /s)",
         {L"setup", LR"(/log:C:\a b/x.log)", L"/s"},
         true,
         true,
         LR"(C:\a b/x.log)",
         {},
         {}},
        {LR"(setup.exe /LOG /s/id:0804)",
         {L"setup", L"/LOG", L"/s/id:0804"},
         true,
         true,
         L"",
         {},
         {}},
        {LR"(setup.exe /components:Core,-Help /log)",
         {L"setup", L"/components:Core,-Help", L"/log"},
         false,
         false,
         L"",
         {},
         L"Core,-Help"},
        {LR"(setup.exe x /log)", {L"setup", L"x", L"/log"}, false, true, L"", {}, {}},
        {LR"(setup.exe /dir:C:\a b)",
         {L"setup", LR"(/dir:C:\a)", L"b"},
         false,
         false,
         {},
         LR"(C:\a b)",
         {}},
        // Without a closing quote the rest of the line is the value.
        {LR"(setup.exe /dir:"C:\a /s)",
         {L"setup", LR"(/dir:C:\a /s)"},
         false,
         false,
         {},
         LR"(C:\a /s)",
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows.data());
        const auto line = model::readCommandLine(row.line, row.arguments);
        EXPECT_EQ(line.silent, row.silent);
        EXPECT_EQ(line.anyArgument, row.anyArgument);
        EXPECT_EQ(line.deployment.logFile, row.log);
        EXPECT_EQ(line.deployment.destination, row.dir);
        EXPECT_EQ(line.deployment.components, row.components);
    }
}
