#include "editor/listing_box.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

ListingBox::ListingBox(QWidget* parent) : QPlainTextEdit(parent) {
    // Tab moves on to the next control, as in a multi-line box of the window system: nobody
    // types tabs into the listing, and a keyboard user must be able to leave it.
    setTabChangesFocus(true);
}

QString ListingBox::withCrLf(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

QString ListingBox::listingText() const {
    return withCrLf(toPlainText());
}

QMimeData* ListingBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(withCrLf(textCursor().selection().toPlainText()));
    return data;
}
