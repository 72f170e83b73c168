#pragma once

// Shared pieces of the editor's window tests: the platform doubles with the program's folder
// holding fixture definition files, file access in code page 932, finding controls, typing, and
// the form that the holiday and era editors share.

#include "date/codepage.h"
#include "date/definitions.h"
#include "tests/support/platform_doubles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstddef>
#include <gtest/gtest.h>
#include <memory>
#include <string>

class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        doubles.program.programName = QStringLiteral("Korinset");
        doubles.program.programTitle = QStringLiteral("Korinset");
        useFixture("standard");
    }

    // Copies the definition files of fixtures/<name> into the program's folder.
    void useFixture(const char* name) {
        const QDir from(QStringLiteral(ZELVAR_TEST_FIXTURES "/") + QString::fromUtf8(name));
        for (const QString& file : from.entryList(QDir::Files)) {
            QFile::remove(doubles.file(file));
            QFile::copy(from.filePath(file), doubles.file(file));
            QFile(doubles.file(file)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    // Writes UTF-8 `text` as code page 932 into the program's folder.
    void writeDefinitions(const QString& fileName, const std::string& text) {
        QFile file(doubles.file(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const std::string bytes = Utf8ToCp932(text).value();
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // The bytes of a file of the program's folder.
    [[nodiscard]] QByteArray fileBytes(const QString& fileName) const {
        QFile file(doubles.file(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // UTF-8 `text` in code page 932.
    static QByteArray cp932(const std::string& text) {
        return QByteArray::fromStdString(Utf8ToCp932(text).value());
    }

    // The texts of the message boxes shown so far.
    [[nodiscard]] QStringList messages() const {
        QStringList texts;
        for (const MessageRequest& request : doubles.messageBox.shown) {
            texts.append(request.text);
        }
        return texts;
    }

    // Asserts that the last box was the error `text` in the program's own voice.
    void expectLastError(const QString& text) const {
        expectLastBox(text, MessageIcon::Error, MessageButtons::Ok, QStringLiteral("Korinset"));
    }

    // Asserts that the last box was the confirmation `text`, with "No" as its default.
    void expectLastQuestion(const QString& text) const {
        expectLastBox(text, MessageIcon::Warning, MessageButtons::YesNo, QStringLiteral("確認"));
        if (!doubles.messageBox.shown.empty()) {
            EXPECT_EQ(doubles.messageBox.shown.back().defaultButton, MessageResult::No);
        }
    }

    // Asserts that a box was shown and that the last one had these text, icon, buttons and
    // caption.
    void expectLastBox(const QString& text, MessageIcon icon, MessageButtons buttons,
                       const QString& caption) const {
        ASSERT_FALSE(doubles.messageBox.shown.empty());
        const MessageRequest& last = doubles.messageBox.shown.back();
        EXPECT_EQ(last.text, text);
        EXPECT_EQ(last.icon, icon);
        EXPECT_EQ(last.buttons, buttons);
        EXPECT_EQ(last.caption, caption);
    }

    template <typename T> static T* child(const QWidget* window, const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // The controls `<prefix>_0` ... `<prefix>_<N-1>` of a control array.
    template <typename T, std::size_t N>
    static std::array<T*, N> children(const QWidget* window, const char* prefix) {
        std::array<T*, N> found{};
        for (std::size_t i = 0; i < N; ++i) {
            found[i] = child<T>(window, QStringLiteral("%1_%2")
                                            .arg(QString::fromLatin1(prefix))
                                            .arg(i)
                                            .toLatin1()
                                            .constData());
        }
        return found;
    }

    // Shows `window` and waits until it is the active window, as the user's window is.
    static void showActive(QWidget* window) {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }

    // Types `text` key by key, non-ASCII characters included.
    static void type(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
    }

    // Replaces the whole text of a box by typing.
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        } else {
            type(box, text);
        }
    }

    // Clicks row `row` of `list`, as the user selects it.
    static void clickRow(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }

    static void doubleClickRow(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }

    static QStringList rowsOf(const QListWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->count(); ++i) {
            rows.append(list->item(i)->text());
        }
        return rows;
    }

    static int selectedRowOf(const QListWidget* list) {
        const QList<QListWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.first());
    }

    PlatformDoubles doubles;
};

// The holiday and era editors share one form: the list of definitions, the panel with the name
// box, 新規/変更/削除, 決定/取消 and 更新/キャンセル.
class DefinitionEditorTest : public EditorWindowTest {
protected:
    // Finds the shared controls of `window` by their object names.
    void findFormControls(const QWidget* window) {
        list = child<QListWidget>(window, "List1");
        frame = child<QFrame>(window, "Frame1");
        name = child<QLineEdit>(window, "Text2");
        command1 = children<QPushButton, 3>(window, "Command1");
        confirm = child<QPushButton>(window, "Command2_0");
        abandon = child<QPushButton>(window, "Command2_1");
        update = child<QPushButton>(window, "Command3_0");
        cancel = child<QPushButton>(window, "Command3_1");
    }

    // Loads the definition files and opens a new editor window over them, active, with the
    // shared controls found.
    template <typename Window> void openEditor(std::unique_ptr<Window>& window) {
        St_LoadDefinitions();
        window = std::make_unique<Window>();
        ASSERT_NO_FATAL_FAILURE(showActive(window.get()));
        findFormControls(window.get());
    }

    // Asserts that the last box asked whether to delete the selected definition.
    void expectDeleteQuestion() const {
        expectLastQuestion(
            QString::fromUtf16(u"本当に削除してよろしいですか?\r\n\r\n"
                               u"（この操作は、入力ミスに対処するためのみにあるものです。）"));
    }

    // The enabled state of 新規, 変更 and 削除: the record of the mode.
    [[nodiscard]] std::array<bool, 3> modeButtons() const {
        return {command1[0]->isEnabled(), command1[1]->isEnabled(), command1[2]->isEnabled()};
    }

    QListWidget* list = nullptr;
    QFrame* frame = nullptr;
    QLineEdit* name = nullptr;
    std::array<QPushButton*, 3> command1{};
    QPushButton* confirm = nullptr;
    QPushButton* abandon = nullptr;
    QPushButton* update = nullptr;
    QPushButton* cancel = nullptr;
};

// The shipped definition files in the program folder instead of the small fixtures.
class ShippedDefinitionFilesTest : public DefinitionEditorTest {
protected:
    void SetUp() override {
        for (const QString& name : {QStringLiteral("Korin1.csv"), QStringLiteral("Korin2.csv")}) {
            QFile::remove(doubles.file(name));
            ASSERT_TRUE(
                QFile::copy(QStringLiteral(ZELVAR_SOURCE_DIR "/data/") + name, doubles.file(name)));
            QFile(doubles.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }
};
