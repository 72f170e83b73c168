#include "platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtJapaneseTranslation(const QStringList& folders) {
    static QTranslator translator;
    if (!translator.isEmpty()) {
        return true;
    }
    for (const QString& folder : folders) {
        if (translator.load(QStringLiteral("qtbase_ja"), folder)) {
            return QCoreApplication::installTranslator(&translator);
        }
    }
    return false;
}

QStringList QtTranslationFolders() {
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}
