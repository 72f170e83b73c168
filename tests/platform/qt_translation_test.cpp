// Qt's own texts (the boxes' context menus, the colour dialog) read Japanese once the translation
// is found in one of the folders the programs look in.

#include "platform/qt_translation.h"
#include "tests/support/temp_folder.h"

#include <QCoreApplication>
#include <QFile>
#include <gtest/gtest.h>

TEST(QtTranslation, QtsOwnTextsReadJapaneseFromTheFirstFolderThatHoldsTheTranslation) {
    const TempFolder empty;
    const TempFolder beside;
    const QString undo = QCoreApplication::translate("QLineEdit", "&Undo");
    ASSERT_EQ(undo, QStringLiteral("&Undo")) << "a translation was installed before the test";

    const QString emptyFolder = QString::fromStdString(empty.path().string());
    EXPECT_FALSE(InstallQtJapaneseTranslation({emptyFolder}));
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));

    // The folder beside the program, as a Windows copy ships it.
    const QString besideFolder = QString::fromStdString(beside.path().string());
    ASSERT_TRUE(QFile::copy(QStringLiteral(ZELVAR_QT_TRANSLATION),
                            besideFolder + QStringLiteral("/qtbase_ja.qm")));
    EXPECT_TRUE(InstallQtJapaneseTranslation({emptyFolder, besideFolder}));
    EXPECT_TRUE(QCoreApplication::translate("QLineEdit", "&Undo").startsWith(u"元に戻す"));

    // The programs look beside themselves first.
    EXPECT_EQ(QtTranslationFolders().value(0),
              QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
}
