#include "editor/holiday_list_window.h"
#include "editor/listing_box.h"
#include "tests/editor/editor_test_support.h"

#include <QAction>
#include <QClipboard>
#include <QPushButton>
#include <QTextCursor>
#include <memory>

namespace {

class HolidayListWindowTest : public EditorWindowTest {
protected:
    void SetUp() override { open(); }
    void open() {
        window = std::make_unique<HolidayListWindow>();
        ASSERT_NO_FATAL_FAILURE(showActive(window.get()));
        first = child<QLineEdit>(window.get(), "Text1_0");
        last = child<QLineEdit>(window.get(), "Text1_1");
        output = child<QPushButton>(window.get(), "Command1");
        listing = child<ListingBox>(window.get(), "Text2");
    }
    void list(const QString& from, const QString& to) {
        first->setText(from);
        last->setText(to);
        QTest::mouseClick(output, Qt::LeftButton);
    }

    std::unique_ptr<HolidayListWindow> window;
    QLineEdit* first = nullptr;
    QLineEdit* last = nullptr;
    QPushButton* output = nullptr;
    ListingBox* listing = nullptr;
};

const QString k2023 = QStringLiteral("2023/01/01\t(日)\t元日\r\n"
                                     "2023/01/02\t(月)\t振替休日\r\n"
                                     "2023/01/09\t(月)\t成人の日\r\n"
                                     "2023/02/11\t(土)\t建国記念の日\r\n"
                                     "2023/02/23\t(木)\t天皇誕生日\r\n"
                                     "2023/03/21\t(火)\t春分の日\r\n"
                                     "2023/04/29\t(土)\t昭和の日\r\n"
                                     "2023/05/03\t(水)\t憲法記念日\r\n"
                                     "2023/05/04\t(木)\tみどりの日\r\n"
                                     "2023/05/05\t(金)\tこどもの日\r\n"
                                     "2023/09/18\t(月)\t敬老の日\r\n"
                                     "2023/09/23\t(土)\t秋分の日\r\n");

TEST_F(HolidayListWindowTest, OpeningLoadsTheFilesAndProposes1948ToThisYear) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("祝日の一覧"));
    EXPECT_EQ(first->text(), QStringLiteral("1948"));
    EXPECT_EQ(last->text(), QStringLiteral("2024"));
    EXPECT_EQ(first->maxLength(), 4);
    EXPECT_EQ(last->maxLength(), 4);
    EXPECT_EQ(HolidayDefCount, 14);
    EXPECT_TRUE(listing->toPlainText().isEmpty());
    // Right away, the default period lists every holiday from 1948 on, oldest first.
    QTest::mouseClick(output, Qt::LeftButton);
    const QString text = listing->listingText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("1948/01/01\t(木)\t元日\r\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("2024/09/23\t(月)\t振替休日\r\n")));
    EXPECT_TRUE(output->isEnabled());
}

TEST_F(HolidayListWindowTest, OutputListsThePeriodLineByLine) {
    list(QStringLiteral("2023"), QStringLiteral("2023"));
    EXPECT_EQ(listing->listingText(), k2023);
    EXPECT_EQ(listing->document()->blockCount(), 13); // twelve lines and the empty last one

    // A period that ends before it starts becomes its first year.
    list(QStringLiteral("2023"), QStringLiteral("1990"));
    EXPECT_EQ(last->text(), QStringLiteral("2023"));
    EXPECT_EQ(listing->listingText(), k2023);

    // Years without holidays give no line; a period without any empties the box.
    list(QStringLiteral("1900"), QStringLiteral("1947"));
    EXPECT_TRUE(listing->toPlainText().isEmpty());
}

TEST_F(HolidayListWindowTest, EmptyOrUnreadableYearsKeepTheFocusAndTheListing) {
    list(QStringLiteral("2023"), QStringLiteral("2023"));
    list(QString(), QStringLiteral("2023"));
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(listing->listingText(), k2023);
    list(QStringLiteral("abc"), QStringLiteral("2023"));
    EXPECT_TRUE(first->hasFocus());
    list(QStringLiteral("2023"), QStringLiteral("x"));
    EXPECT_EQ(last->text(), QStringLiteral("2023")); // "x" reads as 0, before 2023
    list(QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(listing->listingText(), k2023);
    EXPECT_TRUE(doubles.messageBox.shown.empty());
}

TEST_F(HolidayListWindowTest, SelectAllTakesTheWholeListingFromAnywhereAndCopiesWithCrLf) {
    list(QStringLiteral("2023"), QStringLiteral("2023"));
    first->setFocus();
    QTest::keyClick(first, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(listing->hasFocus());
    const QTextCursor cursor = listing->textCursor();
    EXPECT_EQ(cursor.selectionStart(), 0);
    EXPECT_EQ(cursor.selectionEnd(), listing->document()->characterCount() - 1);
    EXPECT_FALSE(first->hasSelectedText());

    listing->moveCursor(QTextCursor::Start);
    child<QAction>(window.get(), "MNU_Edit_All")->trigger();
    EXPECT_EQ(listing->textCursor().selectedText().size(), listing->toPlainText().size());
    listing->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), k2023);
}

TEST_F(HolidayListWindowTest, ReopeningReadsTheFilesAgainAndReturnCloses) {
    list(QStringLiteral("2023"), QStringLiteral("2023"));
    writeDefinitions(QStringLiteral("Korin1.csv"), "新しい日,1,6,1,,,2023,\r\n");
    child<QAction>(window.get(), "MNU_Return")->trigger();
    EXPECT_FALSE(window->isVisible());
    open();
    list(QStringLiteral("2023"), QStringLiteral("2023"));
    EXPECT_EQ(listing->listingText(), QStringLiteral("2023/03/21\t(火)\t春分の日\r\n"
                                                     "2023/06/01\t(木)\t新しい日\r\n"
                                                     "2023/09/23\t(土)\t秋分の日\r\n"));
}

} // namespace
