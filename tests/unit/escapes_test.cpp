#include "base/escapes.hpp"

#include <gtest/gtest.h>

using namespace parcelkit::base;

TEST(Extstr, DecodesTagsWrittenInAnyCase) {
    EXPECT_EQ(extstr(L"a<PARCELKIT_SPACE>b"), L"a b");
    EXPECT_EQ(extstr(L"x<Parcelkit_Enter>y"), L"x\r\ny");
    EXPECT_EQ(extstr(L"<parcelkit_equals><parcelkit_comma><parcelkit_vline><parcelkit_num_sign>"),
              L"=,|#");
    EXPECT_EQ(extstr(L"no tags, just text"), L"no tags, just text");
}

TEST(Extstr, DecodesEachOccurrenceOnceWithoutRescanning) {
    EXPECT_EQ(extstr(L"<parcelkit_<parcelkit_num_sign>>"), L"<parcelkit_#>");
    EXPECT_EQ(extstr(L"<parcelkit_comma><parcelkit_comma>"), L",,");
}

TEST(DeExtstr, EncodesSeparatorsButKeepsBlanks) {
    EXPECT_EQ(de_extstr(L"a b=c,d"), L"a b<parcelkit_equals>c<parcelkit_comma>d");
    EXPECT_EQ(de_extstr(L"p|q#r"), L"p<parcelkit_vline>q<parcelkit_num_sign>r");
}

TEST(DeExtstr, OnlyACarriageReturnLineFeedPairBecomesTheEnterTag) {
    EXPECT_EQ(de_extstr(L"a\r\nb"), L"a<parcelkit_enter>b");
    EXPECT_EQ(de_extstr(L"a\nb\rc"), L"a\nb\rc");
    EXPECT_EQ(de_extstr(L"\n\r\n\r"), L"\n<parcelkit_enter>\r");
}

TEST(DeExtstr, ExtstrRestoresTextWithoutTagsOfItsOwn) {
    const std::wstring text = L"C:\\My Files\\a=b,c|d#e\r\nf\ng";
    EXPECT_EQ(extstr(de_extstr(text)), text);
    // Tag text of its own comes back decoded.
    EXPECT_EQ(extstr(de_extstr(L"x<parcelkit_comma>y")), L"x,y");
}

TEST(Parse, CutsTheFirstFieldAtOneCharacter) {
    std::wstring list = L"prog.exe|/q|C:\\dir";
    EXPECT_EQ(parse(list, L"|"), L"prog.exe");
    EXPECT_EQ(list, L"/q|C:\\dir");

    std::wstring single = L"no separator";
    EXPECT_EQ(parse(single, L"|"), L"no separator");
    EXPECT_EQ(single, L"");

    std::wstring leading = L"|rest|more";
    EXPECT_EQ(parse(leading, L"|"), L"");
    EXPECT_EQ(leading, L"rest|more");

    std::wstring blanks = L" a , b ";
    EXPECT_EQ(parse(blanks, L","), L" a ");
    EXPECT_EQ(blanks, L" b ");
}

TEST(Parse, SplitsAnEntryAtItsFirstEqualsSign) {
    std::wstring entry = L"a.txt,b.txt=#setupdir#=x";
    EXPECT_EQ(parse(entry, L"="), L"a.txt,b.txt");
    EXPECT_EQ(entry, L"#setupdir#=x");
}

TEST(Extstring, AppendsOnlyNonEmptyFieldsAndKeepsBlanks) {
    std::vector<std::wstring> fields;
    extstring(L",", L",a, b ,,c,", fields);
    EXPECT_EQ(fields, (std::vector<std::wstring>{L"a", L" b ", L"c"}));

    std::vector<std::wstring> none;
    extstring(L",", L",,,", none);
    extstring(L",", L"", none);
    EXPECT_TRUE(none.empty());
}

TEST(Extstring, DoesNotEmptyTheTargetFirst) {
    std::vector<std::wstring> fields{L"kept"};
    extstring(L"\\", L"C:\\Program Files\\App", fields);
    extstring(L"\\", L"C:\\Program Files\\App", fields);
    EXPECT_EQ(fields, (std::vector<std::wstring>{L"kept", L"C:", L"Program Files", L"App", L"C:",
                                                 L"Program Files", L"App"}));
}

TEST(Extstring, SplitsACommandLineAtSlashes) {
    std::vector<std::wstring> pieces;
    extstring(L"/", L"\"C:\\setup\\setup.exe\" /s /id:0804", pieces);
    EXPECT_EQ(pieces, (std::vector<std::wstring>{L"\"C:\\setup\\setup.exe\" ", L"s ", L"id:0804"}));
}
