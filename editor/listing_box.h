#pragma once

// The holiday list's text box: plain text shown line by line, whose lines end in CR LF when the
// text leaves the box (copy, drag, listingText()), as the listing's format has them.

#include <QPlainTextEdit>

class ListingBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit ListingBox(QWidget* parent = nullptr);

    // The whole text with CR LF line ends.
    [[nodiscard]] QString listingText() const;

    // `text` with every line end (LF, CR or CR LF, and the box's paragraph separators) as CR LF.
    static QString withCrLf(QString text);

protected:
    QMimeData* createMimeDataFromSelection() const override;
};
