#pragma once

// A colour swatch: a small sunken panel filled with a colour in the window system's 32-bit form
// (0x00BBGGRR, or a system colour reference resolved through the palette when drawn). A click
// with the left button, or Space or Enter while it has the focus, emits clicked(); the swatch does
// not choose colours itself.

#include <QFrame>
#include <cstdint>

class ColorSwatch final : public QFrame {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    // The colour as stored (a system colour reference stays a reference).
    [[nodiscard]] std::int32_t color() const { return color_; }
    // Sets the colour; setting the colour it holds does nothing.
    void setColor(std::int32_t value);

signals:
    void clicked();
    void colorChanged(std::int32_t value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::int32_t color_ = 0;
    bool pressed_ = false; // the left button went down on the swatch
};
