#include "widgets/fitted_entry.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace {

// The space QLineEdit keeps between its frame and its text on each side.
constexpr int LineEditTextMargin = 2;

bool fits(const QFont& font, const QString& text, int room) {
    return QFontMetrics(font).horizontalAdvance(text) <= room;
}

void fitText(QLineEdit* box, const QFont& own) {
    const QString text = box->text();
    const int room = TextRoom(box);
    QFont drawn = own;
    if (!fits(own, text, room)) {
        int pixels = QFontInfo(own).pixelSize() - 1;
        for (; pixels > 1; --pixels) {
            drawn.setPixelSize(pixels);
            if (fits(drawn, text, room)) {
                break;
            }
        }
        drawn.setPixelSize(std::max(pixels, 1));
    }
    if (box->font() != drawn) {
        box->setFont(drawn);
    }
}

} // namespace

int TextRoom(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    contents = contents.marginsRemoved(box->textMargins());
    return contents.width() - 2 * LineEditTextMargin;
}

void KeepTextWhole(QLineEdit* box) {
    const QFont own = box->font();
    QObject::connect(box, &QLineEdit::textChanged, box, [box, own] { fitText(box, own); });
    fitText(box, own);
}
