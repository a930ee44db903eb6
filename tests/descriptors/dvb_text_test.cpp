#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "descriptors/dvb_text.h"

// DVB texts as the character tables of ETSI EN 300 468 Annex A code them.
namespace cut2edl {
namespace {

std::string utf8_of(const std::vector<std::uint8_t>& bytes) { return dvb_text_to_utf8(bytes); }

TEST(DvbText, TheDefaultTablePutsEachMarkAfterItsLetter) {
    EXPECT_EQ(utf8_of({'R', 'a', 'i', ' ', '1'}), "Rai 1");
    // 0xC2 is the acute accent, sent before the e: e then U+0301.
    EXPECT_EQ(utf8_of({'C', 'a', 'f', 0xC2, 'e'}), "Cafe\xCC\x81");
    // 0xC8 (diaeresis) at the end has no letter and stands alone; 0xA4 is the euro sign, 0xE9 O with stroke.
    EXPECT_EQ(utf8_of({0xA4, 0xE9, 0xC8}), "\xE2\x82\xAC\xC3\x98\xCC\x88");
    // 0xC9 is unassigned.
    EXPECT_EQ(utf8_of({'a', 0xC9}), "a\xEF\xBF\xBD");
}

TEST(DvbText, ControlCodesAreDropped) {
    // Emphasis on (0x86) and off (0x87), a line break (0x8A), an escape and a bell.
    EXPECT_EQ(utf8_of({0x86, 'T', 'G', '1', 0x87, 0x8A, 0x1B, '[', '2', 'J', 0x07}), "TG1[2J");
    // The wide tables' control codes lie at U+E080-U+E09F: U+E086 in UCS-2.
    EXPECT_EQ(utf8_of({0x11, 0xE0, 0x86, 0x00, 'X'}), "X");
}

TEST(DvbText, SelectorsNameTheirTables) {
    // ISO/IEC 8859-5 (selector 0x01): 0xB0 is Cyrillic capital A, U+0410.
    EXPECT_EQ(utf8_of({0x01, 0xB0, '1'}), "\xD0\x90" "1");
    // ISO/IEC 8859-9 (0x05): 0xFE is s with cedilla, U+015F.
    EXPECT_EQ(utf8_of({0x05, 0xFE}), "\xC5\x9F");
    // ISO/IEC 8859-15 (0x0B): 0xA4 is the euro sign.
    EXPECT_EQ(utf8_of({0x0B, 0xA4}), "\xE2\x82\xAC");
    // 0x10 0x00 0x02 names ISO/IEC 8859-2, where 0xB1 is a with ogonek, U+0105.
    EXPECT_EQ(utf8_of({0x10, 0x00, 0x02, 0xB1}), "\xC4\x85");
    // UCS-2: 'A' and Cyrillic A; UTF-8 as it stands, a stray byte replaced.
    EXPECT_EQ(utf8_of({0x11, 0x00, 'A', 0x04, 0x10}), "A\xD0\x90");
    EXPECT_EQ(utf8_of({0x15, 0xC3, 0x9C, 0xFF}), "\xC3\x9C\xEF\xBF\xBD");
}

TEST(DvbText, WhatCannotBeDecodedKeepsItsAscii) {
    // 0x08 and 0x12 select no table that is read, and 0x10 0x00 0x0C names no part.
    EXPECT_EQ(utf8_of({0x08, 'A', 0xC1}), "A\xEF\xBF\xBD");
    EXPECT_EQ(utf8_of({0x12, 'B', 0xB0, 0xA1}), "B\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf8_of({0x10, 0x00, 0x0C, 'C'}), "C");
    EXPECT_EQ(utf8_of({0x10, 0x00}), "");
    EXPECT_EQ(utf8_of({}), "");
    // A UCS-2 character cut off by the end.
    EXPECT_EQ(utf8_of({0x11, 0x00, 'A', 0x04}), "A\xEF\xBF\xBD");
}

}  // namespace
}  // namespace cut2edl
