// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/profile.h"

#include "leveldata/cp1251.h"
#include "tests/support/testfiles.h"

#include <gtest/gtest.h>

using leveldata::Profile;
using leveldata::utf8ToCp1251;
using testsupport::fileBytes;

namespace {

const std::filesystem::path Data = LEVELDATA_TEST_DATA;

} // namespace

// Each fixture holds one nasty input; its name says which reading rule it exercises.
TEST(ProfileRead, EachRuleOnItsFixture)
{
    struct Case
    {
        const char *file, *section, *key, *value; // names in UTF-8, looked up in Windows-1251
    };
    const Case cases[] = {
        {"case_insensitive.lay", "LAYER", "text", "ascii"},
        {"case_insensitive.lay", "НИвА", "кЛЮЧ", "cyrillic"},
        {"case_insensitive.lay", "ЁЖё", "ъ", "yo"},
        {"case_insensitive.lay", "Layer", "texts", ""},
        {"blanks.lay", "Sec", "key", "value with  inner"},
        {"quotes.lay", "q", "double", "a b"},
        {"quotes.lay", "q", "single", "x"},
        {"quotes.lay", "q", "mixed", "\"a'"},
        {"quotes.lay", "q", "lone", "\""},
        {"quotes.lay", "q", "empty", ""},
        {"quotes.lay", "q", "spaced", " a "},
        {"quotes.lay", "q", "nested", "\"in\""},
        {"comments.lay", "c", ";b", ""}, // " \t;b=2": an indented comment is one too
        {"comments.lay", "c", "c", "3 ;not a comment"},
        {"no_equals.lay", "s", "lonely", ""},
        {"no_equals.lay", "s", "k", "v"},
        {"before_first_section.lay", "", "k", ""},
        {"before_first_section.lay", "s", "k", ""},
        {"section_brackets.lay", "a", "x", "1"},
        {"section_brackets.lay", "a", "y", "2"}, // "[c" has no ']': an ordinary line
        {"duplicate_sections.lay", "d", "k", "first"},
        {"duplicate_sections.lay", "d", "only", ""},
        {"duplicate_keys.lay", "d", "k", "first"},
        {"lf_only.lay", "s", "m", "w"},
        {"cr_only.lay", "s", "m", "w"},
        {"no_final_line_end.lay", "s", "k", "v"},
        {"bom.lay", "s", "k", "v"},
        {"nul_bytes.lay", "s", "k", "ab"},
        {"nul_bytes.lay", "Layer", "1", "4"},
    };
    for (const Case &c : cases) {
        const Profile profile(fileBytes(Data / c.file));
        EXPECT_EQ(profile.read(utf8ToCp1251(c.section), utf8ToCp1251(c.key)), c.value)
            << c.file << " [" << c.section << "] " << c.key;
    }
    const std::string longValue = fileBytes(Data / "long_value.lay");
    EXPECT_EQ(Profile(longValue).read("s", "k"), longValue.substr(7, 199));
    EXPECT_EQ(Profile(longValue).read("s", "k", std::string::npos), longValue.substr(7, longValue.find('\r', 7) - 7));
}

TEST(ProfileWrite, ChangesOnlyWhatItWrites)
{
    struct Case
    {
        const char *before, *section, *key, *value, *after;
    };
    const Case cases[] = {
        // A new file, and missing sections appended after a line end of their own.
        {"", "s", "k", "", "[s]\r\nk=\r\n"},
        {"[a]\r\nx=1", "b", "k", "v", "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        {"[a]\rx=1\r", "b", "k", "v", "[a]\rx=1\r[b]\r\nk=v\r\n"},
        {"[a]\r\n\r\n", "b", "k", "v", "[a]\r\n\r\n[b]\r\nk=v\r\n"},
        // A missing key goes after the last key line of the first matching section.
        {"[a]\r\nx=1\r\n; note\r\n\r\n[b]\r\ny=2\r\n", "A", "k", "v",
         "[a]\r\nx=1\r\nk=v\r\n; note\r\n\r\n[b]\r\ny=2\r\n"},
        {"[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
        {"[a]\nx=1", "a", "k", "v", "[a]\nx=1\r\nk=v\r\n"},
        {"[a]\r\n;c\r\n[a]\r\nk=old\r\n", "a", "k", "v", "[a]\r\nk=v\r\n;c\r\n[a]\r\nk=old\r\n"},
        // An existing key keeps its line up to the '='; the first of duplicates is the one.
        {"[A]\r\n  KEY = old  \r\nz=1\r\n", "a", "key", "new", "[A]\r\n  KEY =new\r\nz=1\r\n"},
        {"[a]\nk=1\nk=2", "a", "k", "", "[a]\nk=\nk=2"},
    };
    for (const Case &c : cases) {
        Profile profile(c.before);
        profile.write(c.section, c.key, c.value);
        EXPECT_EQ(profile.bytes(), c.after) << "writing [" << c.section << "] " << c.key << " into: " << c.before;
        EXPECT_EQ(profile.read(c.section, c.key), c.value) << "read back from: " << c.after;
    }
}
