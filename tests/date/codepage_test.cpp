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
