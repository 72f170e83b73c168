#pragma once

// A label that always shows its whole text on one line: when the text is wider (or taller) than
// the label at the label's own font, it is drawn at the largest smaller size at which it fits.
// The label keeps its place and size, so the controls beside it do not move.

#include <QFont>
#include <QLabel>

class FittedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    // The font the text is drawn with: the label's font, or the same font at a smaller pixel
    // size where the text needs it (never below one pixel).
    [[nodiscard]] QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
