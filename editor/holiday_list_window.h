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

    std::array<QLabel*, 2> Label1{};   // "期間", "～"
    std::array<QLineEdit*, 2> Text1{}; // first and last year
    QPushButton* Command1 = nullptr;   // "出力(&G)"
    ListingBox* Text2 = nullptr;       // the listing
    QMenuBar* menuBar_ = nullptr;
    QAction* MNU_Return = nullptr;
    QMenu* MNU_Edit = nullptr;
    QAction* MNU_Edit_All = nullptr;
    bool centred_ = false;
};
