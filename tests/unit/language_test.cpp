#include "fake_file_system.hpp"
#include "memory_profile.hpp"
#include "model/language.hpp"
#include "model/messages.hpp"

#include <gtest/gtest.h>

using namespace parcelkit;

TEST(Language, LocaleSectionIsUpperCaseHexOfAtLeastFourDigits) {
    EXPECT_EQ(model::localeSection(0x0804), L"0804");
    EXPECT_EQ(model::localeSection(0x0c0a), L"0C0A");
    EXPECT_EQ(model::localeSection(0x7), L"0007");
    EXPECT_EQ(model::localeSection(0x10407), L"10407");
}

TEST(Language, LanguageFileWithTheSystemLocaleOrElse0409) {
    doubles::FakeFileSystem files;
    files.addFile(L"E:\\setup\\language.ini");
    doubles::MemoryProfileStore store;
    store.put(L"E:\\setup\\language.ini", L"[0409]\r\n1=Install\r\n[0804]\r\n1=安装\r\n");
    const auto chinese = model::chooseLanguageSource(L"E:\\setup", 0x0804, files, store);
    EXPECT_TRUE(chinese.offerDialog);
    EXPECT_EQ(chinese.langsection, L"0804");
    const auto german = model::chooseLanguageSource(L"E:\\setup", 0x0407, files, store);
    EXPECT_EQ(german.langsection, L"0409");
    EXPECT_EQ(german.langfile->path(), L"E:\\setup\\language.ini");
}

TEST(Language, WithoutLanguageFileTextsComeFromSetupIni) {
    doubles::FakeFileSystem files;
    doubles::MemoryProfileStore store;
    store.put(L"E:\\setup\\setup.ini",
              L"[language]\r\n24=Usage:<parcelkit_enter>setup /s\r\n3=\r\n");
    const auto source = model::chooseLanguageSource(L"E:\\setup", 0x0804, files, store);
    EXPECT_FALSE(source.offerDialog);
    EXPECT_EQ(source.langsection, L"language");
    const model::MessageTexts texts(*source.langfile, source.langsection);
    EXPECT_EQ(texts.text(model::msg::UsageText), L"Usage:<parcelkit_enter>setup /s");
    // Present but empty gives the empty text; missing gives the built-in default.
    EXPECT_EQ(texts.text(model::msg::Next), L"");
    EXPECT_EQ(texts.text(model::msg::Back), L"上一步");
    EXPECT_EQ(texts.text(model::msg::ReadmeTitle), L"readme");
    EXPECT_EQ(texts.text(model::msg::ReadmeLabel), L"Readme");
}
