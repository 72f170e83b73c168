#pragma once

// The holiday list "祝日の一覧": every holiday of a period of years, one line each, in a text box
// to copy from. Loads the definition files when it opens.

#include <QDialog>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class ListingBox;

class HolidayListWindow : public QDialog {
    Q_OBJECT

public:
    explicit HolidayListWindow(QWidget* parent = nullptr);

    // "出力(&G)": lists the holidays of the period into the listing box.
    void output();
    // "すべて選択(&A)": selects the whole listing and focuses it.
    void selectAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The year of a period box, or 0 when its text is no year 1..9999.
    static int yearOf(const QLineEdit* box);

    std::array<QLabel*, 2> rangeLabels{};  // "期間", "～"
    std::array<QLineEdit*, 2> yearBoxes{}; // first and last year
    QPushButton* outputButton = nullptr;   // "出力(&G)"
    ListingBox* listing = nullptr;         // the listing
    QMenuBar* menuBar_ = nullptr;
    QAction* returnCommand = nullptr;
    QMenu* editMenu = nullptr;
    QAction* selectAllCommand = nullptr;
    bool centred_ = false;
};
