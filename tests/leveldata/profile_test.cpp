#include "leveldata/profile.h"

#include "leveldata/cp1251.h"
#include "testsupport.h"

using namespace leveldata;
using leveldata::test::dataFile;
using leveldata::test::fileBytes;

namespace {

Profile fixture(std::string_view name)
{
    return Profile(fileBytes(dataFile(name)));
}

std::string written(std::string bytes, std::string_view section, std::string_view key, std::string_view value)
{
    Profile profile(std::move(bytes));
    profile.write(section, key, value);
    return profile.bytes();
}

} // namespace

TEST(ProfileRead, NamesMatchRegardlessOfCaseAndBlanks)
{
    const Profile p = fixture("case_insensitive.lay");
    EXPECT_EQ(p.read("LAYER", "text"), "ascii");
    EXPECT_EQ(p.read(utf8ToCp1251("НИвА"), utf8ToCp1251("кЛЮЧ")), "cyrillic");
    EXPECT_EQ(p.read(utf8ToCp1251("ЁЖё"), utf8ToCp1251("ъ")), "yo");
    EXPECT_EQ(p.read("Layer", "texts"), "");
    EXPECT_EQ(fixture("blanks.lay").read("Sec", "key"), "value with  inner");
}

TEST(ProfileRead, QuotedValueLosesOuterPair)
{
    const Profile p = fixture("quotes.lay");
    const std::pair<const char *, const char *> cases[] = {
        {"double", "a b"}, {"single", "x"}, {"mixed", "\"a'"}, {"lone", "\""},
        {"empty", ""}, {"spaced", " a "}, {"nested", "\"in\""},
    };
    for (const auto &[key, value] : cases)
        EXPECT_EQ(p.read("q", key), value) << key;
}

TEST(ProfileRead, OnlyKeyLinesInsideSectionsAreKeys)
{
    const Profile c = fixture("comments.lay");
    EXPECT_EQ(c.read("c", ";a") + c.read("c", "a") + c.read("c", "b"), "");
    EXPECT_EQ(c.read("c", "c"), "3 ;not a comment");
    EXPECT_EQ(fixture("no_equals.lay").read("s", "lonely"), "");
    EXPECT_EQ(fixture("no_equals.lay").read("s", "k"), "v");
    const Profile orphan = fixture("before_first_section.lay");
    EXPECT_EQ(orphan.read("", "k") + orphan.read("s", "k"), "");
    EXPECT_EQ(orphan.read("s", "j"), "1");
    // "[c" has no ']': an ordinary line, so "y" still belongs to section "a".
    const Profile b = fixture("section_brackets.lay");
    EXPECT_EQ(b.read("a", "x") + b.read("a", "y"), "12");
    EXPECT_EQ(b.read("a]b", "x") + b.read("c", "y"), "");
}

TEST(ProfileRead, FirstDuplicateSectionAndKeyWin)
{
    const Profile s = fixture("duplicate_sections.lay");
    EXPECT_EQ(s.read("d", "k"), "first");
    EXPECT_EQ(s.read("d", "only"), "");
    EXPECT_EQ(fixture("duplicate_keys.lay").read("d", "k"), "first");
}

TEST(ProfileRead, AnyLineEndAndByteOrderMarkAreAccepted)
{
    for (const char *name : {"lf_only.lay", "cr_only.lay"})
        EXPECT_EQ(fixture(name).read("s", "k") + fixture(name).read("s", "m"), "vw") << name;
    EXPECT_EQ(fixture("no_final_line_end.lay").read("s", "k"), "v");
    EXPECT_EQ(fixture("bom.lay").read("s", "k"), "v");
}

TEST(ProfileRead, ValueIsCutAt199BytesAndAtNul)
{
    const std::string value = fixture("long_value.lay").read("s", "k");
    EXPECT_EQ(value, fileBytes(dataFile("long_value.lay")).substr(7, 199));
    EXPECT_EQ(fixture("nul_bytes.lay").read("s", "k"), "ab");
    EXPECT_EQ(fixture("nul_bytes.lay").read("Layer", "1"), "4");
}

TEST(ProfileWrite, NewFileAndMissingSection)
{
    EXPECT_EQ(written("", "s", "k", ""), "[s]\r\nk=\r\n");
    EXPECT_EQ(written("[a]\r\nx=1", "b", "k", "v"), "[a]\r\nx=1\r\n[b]\r\nk=v\r\n");
    EXPECT_EQ(written("[a]\rx=1\r", "b", "k", "v"), "[a]\rx=1\r[b]\r\nk=v\r\n");
    EXPECT_EQ(written("[a]\r\n\r\n", "b", "k", "v"), "[a]\r\n\r\n[b]\r\nk=v\r\n");
}

TEST(ProfileWrite, MissingKeyGoesAfterLastKeyLineOfItsSection)
{
    EXPECT_EQ(written("[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "A", "k", "v"),
              "[a]\r\nx=1\r\nk=v\r\n; note\r\n\r\n[b]\r\ny=2\r\n");
    EXPECT_EQ(written("[a]", "a", "k", "v"), "[a]\r\nk=v\r\n");
    EXPECT_EQ(written("[a]\nx=1", "a", "k", "v"), "[a]\nx=1\r\nk=v\r\n");
    EXPECT_EQ(written("[a]\r\n;c\r\n[a]\r\nk=old\r\n", "a", "k", "v"), "[a]\r\nk=v\r\n;c\r\n[a]\r\nk=old\r\n");
}

TEST(ProfileWrite, ExistingKeyIsReplacedInPlace)
{
    EXPECT_EQ(written("[A]\r\n  KEY = old  \r\nz=1\r\n", "a", "key", "new"), "[A]\r\n  KEY =new\r\nz=1\r\n");
    EXPECT_EQ(written("[a]\nk=1\nk=2", "a", "k", ""), "[a]\nk=\nk=2");
}
