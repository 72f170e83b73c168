#include "editor/name_rules.h"

#include "date/codepage.h"

namespace {

// Whether the file can hold `text`: it reads back the same, or as the code page's own forms of
// the same characters (the JIS wave dash as the fullwidth tilde).
bool roundTrips(const QString& text) {
    return Utf8ToCp932(text.toStdString()).has_value();
}

} // namespace

QString NameProblem(const QString& name) {
    if (name.contains(QLatin1Char(','))) {
        return QStringLiteral("名前に「,」（半角のカンマ）は使えません。");
    }
    if (name.startsWith(QLatin1Char('"'))) {
        return QStringLiteral("名前の先頭に「\"」（半角の引用符）は使えません。");
    }
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("名前に制御文字（タブや改行など）は使えません。");
        }
    }
    if (roundTrips(name)) {
        return {};
    }
    // Name the first character that the file cannot hold, whole surrogate pairs included.
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QString character = name.mid(i, length);
        if (!roundTrips(character)) {
            return QStringLiteral("「%1」はファイルに保存できない文字です。").arg(character);
        }
        i += length;
    }
    return QStringLiteral("名前にファイルに保存できない文字が含まれています。");
}
