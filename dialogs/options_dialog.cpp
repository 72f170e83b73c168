#include "dialogs/options_dialog.h"

#include "dialogs/accessibility.h"
#include "dialogs/dialog_commands.h"
#include "platform/color_chooser.h"
#include "platform/colors.h"
#include "platform/design_fonts.h"
#include "platform/login_start.h"
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
#include <utility>

namespace {

constexpr int TypedSizeLength = 3;   // characters the user can type into a size box
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

OptionsDialog::OptionsDialog(CalendarAccess& calendar, QWidget* parent)
    : QDialog(parent), calendar_(calendar) {
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

void OptionsDialog::createControls() {
    setFixedSize(ClientDesign);
    createTopRow();
    createAppearanceFrame();
    createSizeFrame();
    createColourFrame();
    createClockFrame();
    createButtonRow();
    for (QPushButton* button : {defaultsButton, confirmButtons[0], confirmButtons[1]}) {
        button->setAutoDefault(false);
    }
}

void OptionsDialog::bind(std::function<void(const OptionValues&)> show,
                         std::function<void(OptionValues&)> take) {
    bindings_.push_back({std::move(show), std::move(take)});
}

void OptionsDialog::bindCheck(QCheckBox* box, std::int16_t OptionValues::*member,
                              void (OptionsDialog::*shown)()) {
    bind(
        [this, box, member, shown](const OptionValues& v) {
            setCheck(box, v.*member);
            if (shown != nullptr) {
                (this->*shown)(); // also when the box kept its state and sent no signal
            }
        },
        [box, member](OptionValues& v) { v.*member = flag(box); });
}

template <std::size_t N>
void OptionsDialog::bindSwatch(ColorSwatch* swatch,
                               std::array<std::int32_t, N> OptionValues::*colours,
                               std::size_t slot) {
    bind([swatch, colours, slot](const OptionValues& v) { swatch->setColor((v.*colours)[slot]); },
         [swatch, colours, slot](OptionValues& v) { (v.*colours)[slot] = swatch->color(); });
    connect(swatch, &ColorSwatch::clicked, this, [this, swatch] { chooseColour(swatch); });
}

void OptionsDialog::createTopRow() {
    titleAndMenuBox = makeCheck(this, "Check1", "タイトル＆メニュー表示", {12, 10, 220, 20});
    connect(titleAndMenuBox, &QCheckBox::toggled, this, &OptionsDialog::check1Clicked);
    bindCheck(titleAndMenuBox, &OptionValues::ShowMenu, &OptionsDialog::check1Clicked);
    trayIconBox = makeCheck(this, "Check2", "タスクトレイに表示", {12, 32, 220, 20});
    bindCheck(trayIconBox, &OptionValues::TaskTray);
    defaultsButton = new QPushButton(QStringLiteral("規定値に戻す"), this);
    defaultsButton->setObjectName(QStringLiteral("Command2"));
    defaultsButton->setGeometry(292, 10, 116, 26);
    connect(defaultsButton, &QPushButton::clicked, this, &OptionsDialog::restoreDefaults);
    koyomiBox = makeCheck(this, "Check5", "暦を表示", {292, 38, 116, 20});
    koyomiBox->setToolTip(
        QStringLiteral("日付のツールチップに旧暦・六曜・二十四節気・雑節を表示します"));
    bindCheck(koyomiBox, &OptionValues::ShowKoyomi);
}

void OptionsDialog::createAppearanceFrame() {
    appearanceFrame = makeFrame(this, "appearanceFrame", "カレンダーの外観", {12, 60, 150, 72});
    lookButtons[0] = new QRadioButton(QStringLiteral("フラット"), appearanceFrame);
    lookButtons[1] = new QRadioButton(QStringLiteral("3D"), appearanceFrame);
    for (int i = 0; i < 2; ++i) {
        lookButtons[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        lookButtons[i]->setGeometry(14, 22 + 22 * i, 120, 20);
        connect(lookButtons[i], &QRadioButton::toggled, this, &OptionsDialog::option1Clicked);
    }
    bind(
        [this](const OptionValues& v) {
            lookButtons[v.Appearance != 0 ? 1 : 0]->setChecked(true);
            option1Clicked();
        },
        [this](OptionValues& v) { v.Appearance = lookButtons[0]->isChecked() ? 0 : 1; });
}

void OptionsDialog::createSizeFrame() {
    sizeFrame = makeFrame(this, "sizeFrame", "カレンダー表示領域の大きさ", {170, 60, 238, 72});
    makeLabel(sizeFrame, "widthLabel", "横幅", {14, 30, 34, 20});
    makeLabel(sizeFrame, "heightLabel", "高さ", {112, 30, 34, 20});
    const std::array<std::int32_t OptionValues::*, 2> members{&OptionValues::MainWidth,
                                                              &OptionValues::MainHeight};
    for (int i = 0; i < 2; ++i) {
        QLineEdit* box = sizeBoxes[i] = new QLineEdit(sizeFrame);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(50 + 98 * i, 28, 44, 24);
        // At most three typed characters; a longer stored value is shown in full (see
        // setSizeText) and the limit returns once the user has shortened it.
        box->setMaxLength(TypedSizeLength);
        connect(box, &QLineEdit::textEdited, this, [box](const QString& text) {
            if (text.size() <= TypedSizeLength) {
                box->setMaxLength(TypedSizeLength);
            }
        });
        const auto member = members[static_cast<std::size_t>(i)];
        bind([this, box, member](const OptionValues& v) { setSizeText(box, v.*member); },
             [box, member](OptionValues& v) { v.*member = LeadingWholeNumber(box->text()); });
    }
}

void OptionsDialog::createColourFrame() {
    colourFrame = makeFrame(this, "colourFrame", "色設定", {12, 140, 396, 112});
    transparentBox = makeCheck(colourFrame, "Check3", "背景を透明にする", {14, 22, 220, 20});
    connect(transparentBox, &QCheckBox::toggled, this, &OptionsDialog::check3Clicked);
    bind(
        [this](const OptionValues& v) {
            // Where the platform cannot show it, the box stays off and cannot be changed.
            transparentBox->setChecked(transparencyAvailable_ && v.Transparent != 0);
            transparentBox->setEnabled(transparencyAvailable_);
            check3Clicked();
        },
        [this](OptionValues& v) { v.Transparent = flag(transparentBox); });
    const std::array<const char*, ColorSlot::Count> colourNames{"背景", "入力欄の背景", "文字",
                                                                "土曜", "日祝",         "今日"};
    const std::array<QRect, ColorSlot::Count> labelPlaces{
        QRect{14, 52, 40, 20},  QRect{120, 52, 100, 20}, QRect{14, 82, 40, 20},
        QRect{110, 82, 40, 20}, QRect{206, 82, 40, 20},  QRect{302, 82, 40, 20}};
    for (std::size_t i = 0; i < colourNames.size(); ++i) {
        const QRect at = labelPlaces[i];
        colourLabels[i] = makeLabel(colourFrame, "", colourNames[i], at);
        colourLabels[i]->setObjectName(QStringLiteral("colourLabel_%1").arg(i));
        const int swatchLeft = i == ColorSlot::EntryBoxes ? 222 : at.left() + 42;
        swatches[i] =
            makeSwatch(colourFrame, static_cast<int>(i), {swatchLeft, at.top() - 2, 40, 22});
        bindSwatch(swatches[i], &OptionValues::Color, i); // swatch i shows colour slot i
    }
}

void OptionsDialog::createClockFrame() {
    clockBox = makeCheck(this, "Check4", "時計を表示", {12, 260, 220, 20});
    connect(clockBox, &QCheckBox::toggled, this, &OptionsDialog::check4Clicked);
    bindCheck(clockBox, &OptionValues::ShowClock, &OptionsDialog::check4Clicked);
    // Not a setting of the file: the box shows whether the desktop's own entry is there now.
    loginStartBox = makeCheck(this, "loginStartBox", "ログイン時に起動する", {250, 260, 158, 20});
    loginStartBox->setChecked(LoginStartIsOn(programFile()));
    clockFrame = makeFrame(this, "clockFrame", "時計", {12, 284, 396, 104});
    clockHeightLabel =
        makeLabel(clockFrame, "clockHeightLabel", "表示領域の高さ （ピクセル）", {10, 16, 100, 32});
    clockHeightLabel->setWordWrap(true);
    sizeBoxes[2] = new QLineEdit(clockFrame);
    sizeBoxes[2]->setObjectName(QStringLiteral("Text1_2"));
    sizeBoxes[2]->setGeometry(112, 20, 40, 24);
    bind([this](const OptionValues& v) { sizeBoxes[2]->setText(hashFormat(v.C_Height)); },
         [this](OptionValues& v) { v.C_Height = LeadingWholeNumber(sizeBoxes[2]->text()); });
    fontLabel = makeLabel(clockFrame, "fontLabel", "フォント", {160, 22, 172, 20});
    clockFontBox = new QLineEdit(clockFrame);
    clockFontBox->setObjectName(QStringLiteral("Text2"));
    clockFontBox->setGeometry(334, 20, 56, 24);
    bind([this](const OptionValues& v) { setClockFont(v.clockFont); },
         [this](OptionValues& v) { v.clockFont = clockFont_; });
    boundaryLabel =
        makeLabel(clockFrame, "boundaryLabel", "境界線の色（線の色、影の色）", {10, 70, 172, 20});
    swatches[Swatch::BoundaryLine] =
        makeSwatch(clockFrame, Swatch::BoundaryLine, {184, 68, 28, 24});
    swatches[Swatch::BoundaryShadow] =
        makeSwatch(clockFrame, Swatch::BoundaryShadow, {216, 68, 28, 24});
    bindSwatch(swatches[Swatch::BoundaryLine], &OptionValues::CL_Color,
               ClockColorSlot::BoundaryLine);
    bindSwatch(swatches[Swatch::BoundaryShadow], &OptionValues::CL_Color,
               ClockColorSlot::BoundaryShadow);
}

void OptionsDialog::createButtonRow() {
    confirmButtons[0] = new QPushButton(QStringLiteral("決定(&O)"), this);
    confirmButtons[1] = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    for (int i = 0; i < 2; ++i) {
        confirmButtons[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        confirmButtons[i]->setGeometry(12 + 112 * i, 398, 104, 28);
    }
    connect(confirmButtons[0], &QPushButton::clicked, this, &OptionsDialog::confirm);
    connect(confirmButtons[1], &QPushButton::clicked, this, &QDialog::reject);
    versionLabel = makeLabel(this, "LBL_Version", "", {292, 404, 116, 20});
    versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void OptionsDialog::load() {
    transparencyAvailable_ = Services().platformId->platformId() >= 2;
    rearrangeClockFrame();
    showValues(calendar_.options());
    versionLabel->setText(VersionLine(ZELVAR_VERSION_MAJOR, ZELVAR_VERSION_MINOR));
    centreOnScreen();
}

void OptionsDialog::showValues(const OptionValues& values) {
    for (const Binding& binding : bindings_) {
        binding.show(values);
    }
}

void OptionsDialog::rearrangeClockFrame() {
    // The clock frame shows only colours: the height box and the font box give way to the
    // clock's text colour, and the boundary colours move up into the first row.
    clockHeightLabel->setText(QStringLiteral("文字の色"));
    boundaryLabel->move(fontLabel->x(), fontLabel->y());
    fontLabel->hide();
    sizeBoxes[2]->hide();
    clockFontBox->hide();

    ColorSwatch* text = swatches[Swatch::ClockText] =
        makeSwatch(clockFrame, Swatch::ClockText, sizeBoxes[2]->geometry());
    text->show();
    // After the two boxes of the clock's row, the clock's text colour first in its frame.
    setTabOrder(loginStartBox, text);
    bindSwatch(text, &OptionValues::CL_Color, ClockColorSlot::Text);

    ColorSwatch* line = swatches[Swatch::BoundaryLine];
    ColorSwatch* shadow = swatches[Swatch::BoundaryShadow];
    const int gap = shadow->x() - line->x();
    line->move(clockFontBox->x(), sizeBoxes[2]->y());
    shadow->move(line->x() + gap, line->y());

    clockFrame->resize(clockFrame->width(), clockFrame->height() - ClockFrameShrink);
    for (QWidget* w :
         std::initializer_list<QWidget*>{versionLabel, confirmButtons[0], confirmButtons[1]}) {
        moveBy(w, -ClockFrameShrink);
    }
    setFixedSize(width(), height() - ClockFrameShrink);
}

void OptionsDialog::centreOnScreen() {
    const SystemMetricsService& metrics = *Services().metrics;
    const QSize frame = calendar_.measureFrame(FixedDialog, 0);
    const int outerWidth = PixelsToTwips(width()) + frame.width();
    const int outerHeight = PixelsToTwips(height()) + frame.height();
    move(TwipsToPixels((metrics.screenWidthTwips() - outerWidth) / 2),
         TwipsToPixels((metrics.screenHeightTwips() - outerHeight) / 2));
}

void OptionsDialog::setSizeText(QLineEdit* box, std::int32_t value) {
    const QString text = hashFormat(value);
    box->setMaxLength(std::max<int>(TypedSizeLength, static_cast<int>(text.size())));
    box->setText(text);
}

void OptionsDialog::setClockFont(const ClockFontValues& font) {
    clockFont_ = font;
    QFont shown(font.name);
    ApplyClockFont(shown, font);
    clockFontBox->setFont(shown);
    clockFontBox->setText(font.name);
}

void OptionsDialog::check1Clicked() {
    // Without title and menu the notification-area icon is the only way to the commands.
    if (!titleAndMenuBox->isChecked()) {
        trayIconBox->setChecked(true);
        trayIconBox->setEnabled(false);
    } else {
        trayIconBox->setEnabled(true);
    }
}

void OptionsDialog::check3Clicked() {
    // A transparent background shows neither background colour; they keep their values.
    const bool shown = !transparentBox->isChecked();
    for (std::size_t i : {ColorSlot::Background, ColorSlot::EntryBoxes}) {
        colourLabels[i]->setVisible(shown);
        swatches[i]->setVisible(shown);
    }
}

void OptionsDialog::check4Clicked() {
    clockFrame->setVisible(clockBox->isChecked());
}

void OptionsDialog::option1Clicked() {
    // The shadow line is drawn in the 3D look only.
    if (lookButtons[0]->isChecked()) {
        boundaryLabel->setText(QStringLiteral("境界線の色"));
        swatches[Swatch::BoundaryShadow]->hide();
    } else {
        boundaryLabel->setText(QStringLiteral("境界線の色（線の色、影の色）"));
        swatches[Swatch::BoundaryShadow]->show();
    }
}

void OptionsDialog::chooseColour(ColorSwatch* swatch) {
    const std::int32_t chosen = Services().colorChooser->choose(this, swatch->color());
    if (chosen != -1) {
        swatch->setColor(chosen);
    }
}

void OptionsDialog::restoreDefaults() {
    showValues(DefaultOptionValues());
}

OptionValues OptionsDialog::values() const {
    OptionValues v;
    for (const Binding& binding : bindings_) {
        binding.take(v);
    }
    return v;
}

bool OptionsDialog::checkMinimum(QLineEdit* box, int minimum) {
    if (LeadingNumber(box->text()) >= minimum) {
        return true;
    }
    ShowErrorMessage(QString::number(minimum) + QStringLiteral("以上を入力して下さい。"));
    box->setFocus(Qt::OtherFocusReason);
    return false;
}

bool OptionsDialog::confirm() {
    if (!checkMinimum(sizeBoxes[0], OptionSettingOf(QStringLiteral("MainWidth")).minimum) ||
        !checkMinimum(sizeBoxes[1], OptionSettingOf(QStringLiteral("MainHeight")).minimum)) {
        return false;
    }
    if (!applyLoginStart()) {
        return false;
    }
    calendar_.setOptions(values());
    // The calendar window saves as it closes; the new one reads the file afresh.
    calendar_.closeCalendar();
    calendar_.startCalendar();
    accept();
    return true;
}

std::filesystem::path OptionsDialog::programFile() {
    return ProgramFile(TextPath(Services().program->folder()),
                       Services().program->name().toStdString());
}

bool OptionsDialog::applyLoginStart() {
    const std::filesystem::path program = programFile();
    const bool wanted = loginStartBox->isChecked();
    if (wanted == LoginStartIsOn(program)) {
        return true;
    }
    const std::string failure = SetLoginStart(program, wanted);
    if (failure.empty()) {
        return true;
    }
    ShowErrorMessage(QStringLiteral("ログイン時の起動を%1できませんでした。\n")
                         .arg(wanted ? QStringLiteral("設定") : QStringLiteral("解除")) +
                     QString::fromStdString(failure));
    loginStartBox->setFocus();
    return false;
}

void OptionsDialog::done(int result) {
    // The program ends with its last window: closing this dialog ends it only when no calendar
    // window is left (the user closed it while the dialog stayed open).
    setAttribute(Qt::WA_QuitOnClose, calendar_.window() == nullptr);
    QDialog::done(result);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
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

OptionsDialog* OpenOptionsDialog(CalendarAccess& calendar) {
    static QPointer<OptionsDialog> open;
    if (open == nullptr) {
        open = new OptionsDialog(calendar);
        open->setAttribute(Qt::WA_DeleteOnClose);
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
