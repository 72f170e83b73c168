#include "dialogs/options_dialog.h"

#include "dialogs/accessibility.h"
#include "dialogs/dialog_commands.h"
#include "dialogs/dialog_fonts.h"
#include "platform/color_chooser.h"
#include "platform/colors.h"
#include "platform/platform_id.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "widgets/color_swatch.h"
#include "widgets/lenient_number.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int TypedSizeLength = 3; // characters the user can type into a size box
constexpr int MinimumWidth = 178;
constexpr int MinimumHeight = 175;
constexpr int ClockFrameShrink = 48; // pixels the clock frame loses when it is rearranged
constexpr int FixedDialog = 3;       // border style of the dialog

// Design of the dialog before the clock frame is rearranged, in pixels.
constexpr QSize ClientDesign{420, 436};

QCheckBox* makeCheck(QWidget* parent, const char* name, const char* text, QRect where) {
    auto* box = new QCheckBox(QString::fromUtf8(text), parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setGeometry(where);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, QRect where) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(where);
    return label;
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const char* title, QRect where) {
    auto* frame = new QGroupBox(QString::fromUtf8(title), parent);
    frame->setObjectName(QString::fromUtf8(name));
    frame->setGeometry(where);
    return frame;
}

ColorSwatch* makeSwatch(QWidget* parent, int element, QRect where) {
    auto* swatch = new ColorSwatch(parent);
    swatch->setObjectName(QStringLiteral("Picture1_%1").arg(element));
    swatch->setGeometry(where);
    return swatch;
}

// A check box shows a stored flag: checked for any value but 0.
void setCheck(QCheckBox* box, std::int16_t value) {
    box->setChecked(value != 0);
}

std::int16_t flag(const QCheckBox* box) {
    return box->isChecked() ? 1 : 0;
}

// The pattern "#": digits only, nothing for 0.
QString hashFormat(std::int32_t value) {
    return value == 0 ? QString() : QString::number(value);
}

void moveBy(QWidget* widget, int dy) {
    widget->move(widget->x(), widget->y() + dy);
}

} // namespace

QString VersionLine(int major, int minor) {
    const QString padded = QStringLiteral("     ") + QString::number(major) + QLatin1Char('.') +
                           QStringLiteral("%1").arg(minor, 2, 10, QLatin1Char('0'));
    return QStringLiteral("Ver.") + padded.right(5);
}

OptionValues DefaultOptionValues() {
    OptionValues v;
    v.ShowMenu = 1;
    v.TaskTray = 1;
    v.Appearance = 1;
    v.MainWidth = 194;
    v.MainHeight = 180;
    v.Transparent = 0;
    v.Color = {SystemColor(ColorBtnFace),
               SystemColor(ColorWindow),
               SystemColor(ColorBtnText),
               0xFF0000,
               0x0000FF,
               0x00FFFF};
    v.ShowClock = 0;
    v.C_Height = 33;
    v.CL_Color = {SystemColor(ColorBtnText), SystemColor(Color3dDkShadow), 0xFFFFFF};
    v.clockFont = {QStringLiteral("ＭＳ ゴシック"), 16, -1, 0, 0, 0};
    return v;
}

Form4::Form4(CalendarAccess& calendar, QWidget* parent) : QDialog(parent), calendar_(calendar) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("オプション"));
    setWindowIcon(QApplication::windowIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFont(DesignFont(PGothic, 9, false));
    createControls();
    load();
    NameForScreenReaders(*this);
}

void Form4::createControls() {
    setFixedSize(ClientDesign);

    Check1 = makeCheck(this, "Check1", "タイトル＆メニュー表示", {12, 10, 220, 20});
    Check2 = makeCheck(this, "Check2", "タスクトレイに表示", {12, 32, 220, 20});
    Command2 = new QPushButton(QStringLiteral("規定値に戻す"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(292, 10, 116, 26);

    appearanceFrame = makeFrame(this, "appearanceFrame", "カレンダーの外観", {12, 60, 150, 72});
    Option1[0] = new QRadioButton(QStringLiteral("フラット"), appearanceFrame);
    Option1[1] = new QRadioButton(QStringLiteral("3D"), appearanceFrame);
    for (int i = 0; i < 2; ++i) {
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        Option1[i]->setGeometry(14, 22 + 22 * i, 120, 20);
    }

    sizeFrame = makeFrame(this, "sizeFrame", "カレンダー表示領域の大きさ", {170, 60, 238, 72});
    makeLabel(sizeFrame, "widthLabel", "横幅", {14, 30, 34, 20});
    makeLabel(sizeFrame, "heightLabel", "高さ", {112, 30, 34, 20});
    for (int i = 0; i < 2; ++i) {
        Text1[i] = new QLineEdit(sizeFrame);
        Text1[i]->setGeometry(50 + 98 * i, 28, 44, 24);
    }

    colourFrame = makeFrame(this, "colourFrame", "色設定", {12, 140, 396, 112});
    Check3 = makeCheck(colourFrame, "Check3", "背景を透明にする", {14, 22, 220, 20});
    const std::array<const char*, 6> colourNames{"背景", "入力欄の背景", "文字",
                                                 "土曜", "日祝",         "今日"};
    const std::array<QRect, 6> labelPlaces{QRect{14, 52, 40, 20},  QRect{120, 52, 100, 20},
                                           QRect{14, 82, 40, 20},  QRect{110, 82, 40, 20},
                                           QRect{206, 82, 40, 20}, QRect{302, 82, 40, 20}};
    for (std::size_t i = 0; i < colourNames.size(); ++i) {
        const QRect at = labelPlaces[i];
        colourLabels[i] = makeLabel(colourFrame, "", colourNames[i], at);
        colourLabels[i]->setObjectName(QStringLiteral("colourLabel_%1").arg(i));
        const int swatchLeft = i == 1 ? 222 : at.left() + 42;
        Picture1[i] =
            makeSwatch(colourFrame, static_cast<int>(i), {swatchLeft, at.top() - 2, 40, 22});
    }

    Check4 = makeCheck(this, "Check4", "時計を表示", {12, 260, 220, 20});
    clockFrame = makeFrame(this, "clockFrame", "時計", {12, 284, 396, 104});
    clockHeightLabel =
        makeLabel(clockFrame, "clockHeightLabel", "表示領域の高さ （ピクセル）", {10, 16, 100, 32});
    clockHeightLabel->setWordWrap(true);
    Text1[2] = new QLineEdit(clockFrame);
    Text1[2]->setGeometry(112, 20, 40, 24);
    fontLabel = makeLabel(clockFrame, "fontLabel", "フォント", {160, 22, 172, 20});
    Text2 = new QLineEdit(clockFrame);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setGeometry(334, 20, 56, 24);
    boundaryLabel =
        makeLabel(clockFrame, "boundaryLabel", "境界線の色（線の色、影の色）", {10, 70, 172, 20});
    Picture1[6] = makeSwatch(clockFrame, 6, {184, 68, 28, 24});
    Picture1[7] = makeSwatch(clockFrame, 7, {216, 68, 28, 24});

    Command1[0] = new QPushButton(QStringLiteral("決定(&O)"), this);
    Command1[1] = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    for (int i = 0; i < 2; ++i) {
        Command1[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        Command1[i]->setGeometry(12 + 112 * i, 398, 104, 28);
    }
    LBL_Version = makeLabel(this, "LBL_Version", "", {292, 404, 116, 20});
    LBL_Version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    for (int i = 0; i < 3; ++i) {
        Text1[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
    }
    for (int i = 0; i < 2; ++i) {
        // At most three typed characters; a longer stored value is shown in full (see
        // setSizeText) and the limit returns once the user has shortened it.
        Text1[i]->setMaxLength(TypedSizeLength);
        connect(Text1[i], &QLineEdit::textEdited, this, [box = Text1[i]](const QString& text) {
            if (text.size() <= TypedSizeLength) {
                box->setMaxLength(TypedSizeLength);
            }
        });
    }
    for (QPushButton* button : {Command2, Command1[0], Command1[1]}) {
        button->setAutoDefault(false);
    }

    connect(Check1, &QCheckBox::toggled, this, &Form4::check1Clicked);
    connect(Check3, &QCheckBox::toggled, this, &Form4::check3Clicked);
    connect(Check4, &QCheckBox::toggled, this, &Form4::check4Clicked);
    for (QRadioButton* option : Option1) {
        connect(option, &QRadioButton::toggled, this, &Form4::option1Clicked);
    }
    for (std::size_t i = 0; i < 8; ++i) {
        ColorSwatch* swatch = Picture1[i];
        connect(swatch, &ColorSwatch::clicked, this, [this, swatch] { chooseColour(swatch); });
    }
    connect(Command2, &QPushButton::clicked, this, &Form4::restoreDefaults);
    connect(Command1[0], &QPushButton::clicked, this, &Form4::confirm);
    connect(Command1[1], &QPushButton::clicked, this, &QDialog::reject);
}

void Form4::load() {
    centreOnScreen();
    const OptionValues v = calendar_.options();

    setCheck(Check1, v.ShowMenu);
    check1Clicked();
    setCheck(Check2, v.TaskTray);
    Option1[v.Appearance != 0 ? 1 : 0]->setChecked(true);
    option1Clicked();
    setSizeText(Text1[0], v.MainWidth);
    setSizeText(Text1[1], v.MainHeight);

    transparencyAvailable_ = Services().platformId->platformId() >= 2;
    if (!transparencyAvailable_) {
        Check3->setChecked(false);
        Check3->setEnabled(false);
    } else {
        setCheck(Check3, v.Transparent);
    }
    check3Clicked();
    for (std::size_t i = 0; i < v.Color.size(); ++i) {
        Picture1[i]->setColor(v.Color[i]);
    }
    setCheck(Check4, v.ShowClock);
    check4Clicked();

    Text1[2]->setText(hashFormat(v.C_Height));
    Picture1[6]->setColor(v.CL_Color[1]);
    Picture1[7]->setColor(v.CL_Color[2]);
    setClockFont(v.clockFont);

    LBL_Version->setText(VersionLine(ZELVAR_VERSION_MAJOR, ZELVAR_VERSION_MINOR));
    rearrangeClockFrame();
    centreOnScreen();
    Picture1[8]->setColor(v.CL_Color[0]);
}

void Form4::rearrangeClockFrame() {
    // The clock frame shows only colours: the height box and the font box give way to the
    // clock's text colour, and the boundary colours move up into the first row.
    clockHeightLabel->setText(QStringLiteral("文字の色"));
    boundaryLabel->move(fontLabel->x(), fontLabel->y());
    fontLabel->hide();
    Text1[2]->hide();
    Text2->hide();

    Picture1[8] = makeSwatch(clockFrame, 8, Text1[2]->geometry());
    Picture1[8]->show();
    setTabOrder(Check4, Picture1[8]);
    connect(Picture1[8], &ColorSwatch::clicked, this, [this] { chooseColour(Picture1[8]); });

    const int gap = Picture1[7]->x() - Picture1[6]->x();
    Picture1[6]->move(Text2->x(), Text1[2]->y());
    Picture1[7]->move(Picture1[6]->x() + gap, Picture1[6]->y());

    clockFrame->resize(clockFrame->width(), clockFrame->height() - ClockFrameShrink);
    for (QWidget* w : std::initializer_list<QWidget*>{LBL_Version, Command1[0], Command1[1]}) {
        moveBy(w, -ClockFrameShrink);
    }
    setFixedSize(width(), height() - ClockFrameShrink);
}

void Form4::centreOnScreen() {
    const SystemMetricsService& metrics = *Services().metrics;
    const QSize frame = calendar_.measureFrame(FixedDialog, 0);
    const int outerWidth = PixelsToTwips(width()) + frame.width();
    const int outerHeight = PixelsToTwips(height()) + frame.height();
    move(TwipsToPixels((metrics.screenWidthTwips() - outerWidth) / 2),
         TwipsToPixels((metrics.screenHeightTwips() - outerHeight) / 2));
}

void Form4::setSizeText(QLineEdit* box, std::int32_t value) {
    const QString text = hashFormat(value);
    box->setMaxLength(std::max<int>(TypedSizeLength, static_cast<int>(text.size())));
    box->setText(text);
}

void Form4::setClockFont(const ClockFontValues& font) {
    clockFont_ = font;
    QFont shown(font.name);
    if (font.size > 0) {
        shown.setPointSizeF(font.size);
    }
    shown.setBold(font.bold != 0);
    shown.setItalic(font.italic != 0);
    shown.setUnderline(font.underline != 0);
    shown.setStrikeOut(font.strikethrough != 0);
    Text2->setFont(shown);
    Text2->setText(font.name);
}

void Form4::check1Clicked() {
    // Without title and menu the notification-area icon is the only way to the commands.
    if (!Check1->isChecked()) {
        Check2->setChecked(true);
        Check2->setEnabled(false);
    } else {
        Check2->setEnabled(true);
    }
}

void Form4::check3Clicked() {
    // A transparent background shows neither background colour; they keep their values.
    const bool shown = !Check3->isChecked();
    for (std::size_t i = 0; i < 2; ++i) {
        colourLabels[i]->setVisible(shown);
        Picture1[i]->setVisible(shown);
    }
}

void Form4::check4Clicked() {
    clockFrame->setVisible(Check4->isChecked());
}

void Form4::option1Clicked() {
    // The shadow line is drawn in the 3D look only.
    if (Option1[0]->isChecked()) {
        boundaryLabel->setText(QStringLiteral("境界線の色"));
        Picture1[7]->hide();
    } else {
        boundaryLabel->setText(QStringLiteral("境界線の色（線の色、影の色）"));
        Picture1[7]->show();
    }
}

void Form4::chooseColour(ColorSwatch* swatch) {
    const std::int32_t chosen = Services().colorChooser->choose(this, swatch->color());
    if (chosen != -1) {
        swatch->setColor(chosen);
    }
}

void Form4::restoreDefaults() {
    const OptionValues d = DefaultOptionValues();
    Check1->setChecked(true);
    check1Clicked();
    Check2->setChecked(true);
    Option1[1]->setChecked(true);
    setSizeText(Text1[0], d.MainWidth);
    setSizeText(Text1[1], d.MainHeight);
    Check3->setChecked(false);
    Check3->setEnabled(transparencyAvailable_);
    check3Clicked();
    for (std::size_t i = 0; i < d.Color.size(); ++i) {
        Picture1[i]->setColor(d.Color[i]);
    }
    Check4->setChecked(false);
    check4Clicked();
    Text1[2]->setText(hashFormat(d.C_Height));
    Picture1[6]->setColor(d.CL_Color[1]);
    Picture1[7]->setColor(d.CL_Color[2]);
    setClockFont(d.clockFont);
    Picture1[8]->setColor(d.CL_Color[0]);
}

OptionValues Form4::values() const {
    OptionValues v;
    v.ShowMenu = flag(Check1);
    v.TaskTray = flag(Check2);
    v.Appearance = Option1[0]->isChecked() ? 0 : 1;
    v.MainWidth = LeadingWholeNumber(Text1[0]->text());
    v.MainHeight = LeadingWholeNumber(Text1[1]->text());
    v.Transparent = flag(Check3);
    for (std::size_t i = 0; i < v.Color.size(); ++i) {
        v.Color[i] = Picture1[i]->color();
    }
    v.ShowClock = flag(Check4);
    v.C_Height = LeadingWholeNumber(Text1[2]->text());
    v.CL_Color = {Picture1[8]->color(), Picture1[6]->color(), Picture1[7]->color()};
    v.clockFont = clockFont_;
    return v;
}

bool Form4::checkMinimum(QLineEdit* box, int minimum) {
    if (LeadingNumber(box->text()) >= minimum) {
        return true;
    }
    ShowErrorMessage(QString::number(minimum) + QStringLiteral("以上を入力して下さい。"));
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

bool Form4::confirm() {
    if (!checkMinimum(Text1[0], MinimumWidth) || !checkMinimum(Text1[1], MinimumHeight)) {
        return false;
    }
    calendar_.setOptions(values());
    // The calendar window saves as it closes; the new one reads the file afresh.
    calendar_.closeCalendar();
    calendar_.startCalendar();
    accept();
    return true;
}

void Form4::done(int result) {
    // The program ends with its last window: closing this dialog ends it only when no calendar
    // window is left (the user closed it while the dialog stayed open).
    setAttribute(Qt::WA_QuitOnClose, calendar_.window() == nullptr);
    QDialog::done(result);
}

void Form4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus, and nothing else.
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
            button->click();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

Form4* OpenOptionsDialog(CalendarAccess& calendar) {
    static QPointer<Form4> open;
    if (open == nullptr) {
        open = new Form4(calendar);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
