#pragma once

// The options dialog "オプション": the look of the calendar window (title and menu, the
// notification-area icon, flat or 3D, the size of the calendar area, the colours, a transparent
// background, the clock). Modeless, one at a time. It edits only its own controls until the user
// confirms; then the values go into the in-memory settings and the calendar window is re-created
// from them, so that every change takes effect at once.

#include "dialogs/calendar_access.h"

#include <QDialog>
#include <array>
#include <filesystem>
#include <functional>
#include <vector>

class ColorSwatch;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The version line: "Ver." and the last five characters of five spaces, the major version, "."
// and the minor version as two digits ("Ver. 1.00", "Ver.12.03").
QString VersionLine(int major, int minor);

// The colour swatches swatches: 0..5 show Color1..Color6 (by ColorSlot), then the clock's colours.
namespace Swatch {
enum : std::size_t { BoundaryLine = 6, BoundaryShadow = 7, ClockText = 8, Count = 9 };
} // namespace Swatch

class OptionsDialog final : public QDialog {
    Q_OBJECT

public:
    // Loads the controls from the calendar's current settings.
    explicit OptionsDialog(CalendarAccess& calendar, QWidget* parent = nullptr);

    // Controls, named as on the window's design.
    QCheckBox* titleAndMenuBox = nullptr;               // title and menu (ShowMenu)
    QCheckBox* trayIconBox = nullptr;                   // notification-area icon (TaskTray)
    QPushButton* defaultsButton = nullptr;              // "規定値に戻す"
    QCheckBox* koyomiBox = nullptr;                     // "暦を表示" (ShowKoyomi)
    QCheckBox* loginStartBox = nullptr;                 // "ログイン時に起動する"
    QGroupBox* appearanceFrame = nullptr;               // "カレンダーの外観"
    std::array<QRadioButton*, 2> lookButtons{};         // "フラット", "3D"
    QGroupBox* sizeFrame = nullptr;                     // "カレンダー表示領域の大きさ"
    std::array<QLineEdit*, 3> sizeBoxes{};              // width, height, hidden clock height
    QGroupBox* colourFrame = nullptr;                   // "色設定"
    QCheckBox* transparentBox = nullptr;                // transparent background
    std::array<ColorSwatch*, Swatch::Count> swatches{}; // see Swatch
    std::array<QLabel*, ColorSlot::Count> colourLabels{}; // the labels of swatches 0..5
    QCheckBox* clockBox = nullptr;                        // clock (ShowClock)
    QGroupBox* clockFrame = nullptr;                      // "時計"
    QLabel* clockHeightLabel = nullptr; // becomes the label of swatch 8, "文字の色"
    QLabel* fontLabel = nullptr;        // "フォント", hidden on loading
    QLabel* boundaryLabel = nullptr;    // label of swatches 6 and 7
    QLineEdit* clockFontBox = nullptr;  // hidden; carries the clock font
    QLabel* versionLabel = nullptr;
    std::array<QPushButton*, 2> confirmButtons{}; // "決定(&O)", "キャンセル(&C)"

    // The values the controls hold now, as confirming would store them.
    [[nodiscard]] OptionValues values() const;

    // "規定値に戻す": the controls take the defaults; nothing is stored.
    void restoreDefaults();

    // "決定(&O)": checks the size, switches the start at login, stores the values, re-creates the
    // calendar window and closes. Returns false when a size was refused or the start at login
    // could not be switched.
    bool confirm();

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One setting shown by a control: `show` puts a value into the control, `take` reads it back.
    // Loading, "規定値に戻す" and confirming all go through the list, in the order of creation.
    struct Binding {
        std::function<void(const OptionValues&)> show;
        std::function<void(OptionValues&)> take;
    };

    void createControls();
    void createTopRow();
    void createAppearanceFrame();
    void createSizeFrame();
    void createColourFrame();
    void createClockFrame();
    void createButtonRow();
    void bind(std::function<void(const OptionValues&)> show,
              std::function<void(OptionValues&)> take);
    // A check box for a flag; `shown` runs after each value is put in.
    void bindCheck(QCheckBox* box, std::int16_t OptionValues::*member,
                   void (OptionsDialog::*shown)() = nullptr);
    // A swatch for one element of a colour array; a click opens the colour chooser.
    template <std::size_t N>
    void bindSwatch(ColorSwatch* swatch, std::array<std::int32_t, N> OptionValues::*colours,
                    std::size_t slot);
    void load();
    void showValues(const OptionValues& values);
    void rearrangeClockFrame();
    void centreOnScreen();
    void check1Clicked();
    void check3Clicked();
    void check4Clicked();
    void option1Clicked();
    void chooseColour(ColorSwatch* swatch);
    void setSizeText(QLineEdit* box, std::int32_t value);
    void setClockFont(const ClockFontValues& font);
    bool checkMinimum(QLineEdit* box, int minimum);
    // This program's executable, whose start at login the dialog shows and switches.
    static std::filesystem::path programFile();
    // Writes or removes the start at login when the box differs from the desktop's entry; a
    // failure is reported and keeps the dialog open.
    bool applyLoginStart();

    CalendarAccess& calendar_;
    std::vector<Binding> bindings_;
    ClockFontValues clockFont_; // the font clockFontBox carries
    bool transparencyAvailable_ = true;
};
