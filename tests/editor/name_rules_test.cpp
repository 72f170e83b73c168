#include "editor/name_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(NameRules, TrimRemovesOnlyOuterHalfWidthSpaces) {
    EXPECT_EQ(TrimSpaces(QStringLiteral("  元日  ")), QStringLiteral("元日"));
    EXPECT_EQ(TrimSpaces(QStringLiteral("   ")), QString());
    EXPECT_EQ(TrimSpaces(QString()), QString());
    EXPECT_EQ(TrimSpaces(QStringLiteral(" a b ")), QStringLiteral("a b"));
    // Wide blanks belong to the name (the file keeps them as they are).
    EXPECT_EQ(TrimSpaces(QString::fromUtf16(u" \u3000元日\u3000 ")),
              QString::fromUtf16(u"\u3000元日\u3000"));
}

TEST(NameRules, NamesThatReadBackUnchangedPass) {
    for (const char16_t* name : {u"元日", u"成人の日", u"ｽﾎﾟｰﾂの日", u"令和", u"a\"b", u"Ａ，Ｂ",
                                 u"\uFF5E", u"\u3000元日", u"①", u"髙"}) {
        EXPECT_EQ(NameProblem(QString::fromUtf16(name)), QString())
            << QString::fromUtf16(name).toStdString();
    }
}

TEST(NameRules, NamesTheFileWouldChangeAreRefused) {
    EXPECT_EQ(NameProblem(QStringLiteral("海の日,山の日")),
              QStringLiteral("名前に「,」（半角のカンマ）は使えません。"));
    EXPECT_EQ(NameProblem(QStringLiteral("\"海の日")),
              QStringLiteral("名前の先頭に「\"」（半角の引用符）は使えません。"));
    for (const char16_t* name : {u"a\tb", u"\tb", u"a\r\nb", u"a\nb", u"a\x7f"}) {
        EXPECT_EQ(NameProblem(QString::fromUtf16(name)),
                  QStringLiteral("名前に制御文字（タブや改行など）は使えません。"));
    }
    // Characters code page 932 cannot hold are named in the message; a character outside the
    // basic plane is named whole.
    EXPECT_EQ(NameProblem(QStringLiteral("Café")),
              QStringLiteral("「é」はファイルに保存できない文字です。"));
    EXPECT_EQ(NameProblem(QString::fromUtf16(u"祝\U0001F38D日")),
              QString::fromUtf16(u"「\U0001F38D」はファイルに保存できない文字です。"));
    EXPECT_EQ(NameProblem(QString::fromUtf16(u"\u4FF1")), // 俱, not in code page 932
              QString::fromUtf16(u"「\u4FF1」はファイルに保存できない文字です。"));
}

TEST(NameRules, TheJisFormsOfCodePageCharactersPass) {
    // What input methods give for the wave dash, the minus and their kin: the file holds them
    // as the code page's own forms.
    for (const char16_t* name :
         {u"春\u301C秋", u"\u2212", u"\u2016", u"\u00A2", u"\u00A3", u"\u00AC", u"\u2014"}) {
        EXPECT_EQ(NameProblem(QString::fromUtf16(name)), QString())
            << QString::fromUtf16(name).toStdString();
    }
}

} // namespace
