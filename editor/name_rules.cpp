#include "editor/name_rules.h"

#include "date/codepage.h"

namespace {

// Whether `text` survives the trip to code page 932 and back unchanged.
bool roundTrips(const QString& text) {
    const std::string utf8 = text.toStdString();
    const std::optional<std::string> bytes = Utf8ToCp932(utf8);
    return bytes.has_value() && Cp932ToUtf8(*bytes) == utf8;
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
