#include "date/codepage.h"

#include <gtest/gtest.h>
#include <string>

TEST(CodePage932, ConvertsJapaneseTextBothWays) {
    const std::string bytes = "\x8c\xb3\x93\xfa"; // 元日
    EXPECT_EQ(Cp932ToUtf8(bytes), "元日");
    EXPECT_EQ(Utf8ToCp932("元日"), bytes);
    // Half-width katakana are single bytes; 0x5C is the backslash.
    EXPECT_EQ(Cp932ToUtf8("\xb1\x5c"), "ｱ\\");
    EXPECT_EQ(Utf8ToCp932("ｱ\\"), std::string("\xb1\x5c"));
    EXPECT_EQ(Cp932ToUtf8("plain,ascii\r\n"), "plain,ascii\r\n");
    // Characters of the code page's own extensions (NEC and IBM rows).
    const std::string extended = "①Ⅰ㈱髙";
    ASSERT_TRUE(Utf8ToCp932(extended).has_value());
    EXPECT_EQ(Cp932ToUtf8(*Utf8ToCp932(extended)), extended);
}

TEST(CodePage932, InvalidBytesBecomeReplacementCharacters) {
    EXPECT_EQ(Cp932ToUtf8("a\xff"
                          "b"),
              "a\uFFFDb");
    EXPECT_EQ(Cp932ToUtf8("\x81"), "\uFFFD");     // a lead byte cut off at the end
    EXPECT_EQ(Cp932ToUtf8("\x81,x"), "\uFFFD,x"); // a lead byte before a comma
    EXPECT_EQ(Cp932ToUtf8("\x8c\xb3\xfd\x93\xfa"), "元\uFFFD日");
    std::string noise;
    for (int i = 0; i < 4096; ++i) {
        noise.push_back(static_cast<char>(0x80 + i % 3));
    }
    EXPECT_FALSE(Cp932ToUtf8(noise).empty());
}

TEST(CodePage932, TextWithoutACodePage932FormIsRefused) {
    EXPECT_FALSE(Utf8ToCp932("\U0001F600").has_value());
    EXPECT_FALSE(Utf8ToCp932("한국어").has_value());
    EXPECT_FALSE(Utf8ToCp932("\xc3").has_value()); // not UTF-8
    EXPECT_EQ(Utf8ToCp932(""), std::string());
}

TEST(CodePage932, EveryByteThatStartsNoCharacterIsRefusedAlike) {
    // Bytes that start no character, whatever a system's tables would make of them.
    EXPECT_EQ(Cp932ToUtf8("\x80\xa0\xfd\xfe\xff"), "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    // A lead byte with a trail byte that has no mapping: the lead byte is replaced and the
    // trail byte read again on its own.
    EXPECT_EQ(Cp932ToUtf8("\x85\x40"), "\uFFFD@");
    EXPECT_EQ(Cp932ToUtf8("\x81\x20"), "\uFFFD ");
    // Long runs of valid and invalid bytes mixed convert piece by piece.
    std::string mixed;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        mixed += "\x8c\xb3\xff";
        expected += "元\uFFFD";
    }
    EXPECT_EQ(Cp932ToUtf8(mixed), expected);
}

TEST(CodePage932, TextIsWrittenOnlyInAFormThatReadsBackTheSame) {
    // The yen sign and the overline have look-alikes (0x5C, 0x7E) that read back as the
    // backslash and the tilde: writing them would change the text.
    EXPECT_FALSE(Utf8ToCp932("\u00A5").has_value());
    EXPECT_FALSE(Utf8ToCp932("\u203E").has_value());
    EXPECT_FALSE(Utf8ToCp932("\uFFFD").has_value());
    EXPECT_FALSE(Utf8ToCp932("\u0080").has_value());
    EXPECT_EQ(Utf8ToCp932("\\~"), std::string("\\~"));
}

TEST(CodePage932, InvalidUtf8SequencesBecomeReplacementCharacters) {
    EXPECT_EQ(ValidUtf8("元日 abc"), "元日 abc");
    EXPECT_EQ(ValidUtf8("a\xff"
                        "b"),
              "a\uFFFDb");
    EXPECT_EQ(ValidUtf8("\xe5\x85"), "\uFFFD\uFFFD");           // cut off
    EXPECT_EQ(ValidUtf8("\xc0\xaf"), "\uFFFD\uFFFD");           // an overlong slash
    EXPECT_EQ(ValidUtf8("\xed\xa0\x80"), "\uFFFD\uFFFD\uFFFD"); // a surrogate
    EXPECT_EQ(ValidUtf8("\xf0\x9f\x98\x80"), "\U0001F600");
}

TEST(CodePage932, JisFormsAreWrittenAsTheCodePagesOwnCharacters) {
    // JIS form, the code page's own form, their bytes. Every system writes these same bytes.
    const struct {
        const char* jis;
        const char* codePage;
        const char* bytes;
    } kin[] = {
        {"\u301C", "\uFF5E", "\x81\x60"}, {"\u2212", "\uFF0D", "\x81\x7C"},
        {"\u2016", "\u2225", "\x81\x61"}, {"\u00A2", "\uFFE0", "\x81\x91"},
        {"\u00A3", "\uFFE1", "\x81\x92"}, {"\u00AC", "\uFFE2", "\x81\xCA"},
        {"\u2014", "\u2015", "\x81\x5C"},
    };
    for (const auto& k : kin) {
        EXPECT_EQ(Utf8ToCp932(k.jis), std::string(k.bytes)) << k.jis;
        EXPECT_EQ(Utf8ToCp932(k.codePage), std::string(k.bytes)) << k.codePage;
        EXPECT_EQ(Cp932ToUtf8(k.bytes), k.codePage);
    }
    EXPECT_EQ(Utf8ToCp932("春\u301C秋,\u00A3\u2212"),
              std::string("\x8f\x74\x81\x60\x8f\x48,\x81\x92\x81\x7C"));
    // A character next to them that the code page lacks is still refused.
    EXPECT_FALSE(Utf8ToCp932("\u301C\u00A5").has_value());
}

TEST(CodePage932, LeadBytesAreThoseThatAnnounceASecondByte) {
    int leads = 0;
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        leads += IsCp932LeadByte(byte) ? 1 : 0;
        if (IsCp932LeadByte(byte)) {
            // A lead byte alone at the end of the text starts no character.
            EXPECT_EQ(Cp932ToUtf8(std::string(1, static_cast<char>(byte))), "\uFFFD") << c;
        }
    }
    EXPECT_EQ(leads, 31 + 29); // 0x81..0x9F and 0xE0..0xFC
    for (const unsigned char edge : {0x80, 0xA0, 0xDF, 0xFD}) {
        EXPECT_FALSE(IsCp932LeadByte(edge)) << int(edge);
    }
    for (const unsigned char edge : {0x81, 0x9F, 0xE0, 0xFC}) {
        EXPECT_TRUE(IsCp932LeadByte(edge)) << int(edge);
    }
    // Half-width katakana are single bytes between the two ranges.
    EXPECT_EQ(Cp932ToUtf8("\xb1\xb2"), "ｱｲ");
}
