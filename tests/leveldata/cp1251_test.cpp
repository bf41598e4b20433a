// SPDX-License-Identifier: GPL-3.0-or-later
#include "leveldata/cp1251.h"

#include <gtest/gtest.h>

#include <set>

using namespace leveldata;

TEST(Cp1251, EveryByteRoundTripsAndWhatCannotBeEncodedIsAQuestionMark)
{
    std::set<std::string> seen;
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string text = cp1251ToUtf8(byte);
        EXPECT_EQ(utf8ToCp1251(text), byte) << "byte " << b;
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 256u);

    // Letters have their bytes; what the code page lacks, and ill-formed UTF-8, becomes '?'.
    EXPECT_EQ(utf8ToCp1251("Ёё№€—«» ЖИКЯ яэюа"), "\xA8\xB8\xB9\x88\x97\xAB\xBB \xC6\xC8\xCA\xDF \xFF\xFD\xFE\xE0");
    EXPECT_EQ(utf8ToCp1251("Zoë 日本 😀 \xC2\x99"), "Zo? ?? ? ?");
    EXPECT_EQ(utf8ToCp1251("a\x80"
                           "b"),
              "a?b"); // stray continuation byte
    EXPECT_EQ(utf8ToCp1251("a\xE2\x82"
                           "b"),
              "a?b");                                                             // truncated sequence: one '?'
    EXPECT_EQ(utf8ToCp1251("\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80"), "?????????"); // overlong, surrogate, too big
    EXPECT_EQ(utf8ToCp1251("end\xD0"), "end?");
}
