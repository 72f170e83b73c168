#include "platform/folder_text.h"

#include <QDir>

QString FolderAsUsersWriteIt(const std::filesystem::path& folder,
                             const UserEnvironment& environment) {
    QString full = QDir::toNativeSeparators(QString::fromStdU16String(folder.u16string()));
    const std::filesystem::path home(reinterpret_cast<const char8_t*>(environment.home.c_str()));
    if (environment.home.empty() || !home.is_absolute()) {
        return full;
    }
    QString homeText = QDir::toNativeSeparators(QString::fromStdU16String(home.u16string()));
    while (homeText.size() > 1 && homeText.endsWith(QDir::separator())) {
        homeText.chop(1);
    }
    // Folder names compare as the file system does: without case on Windows.
    const Qt::CaseSensitivity names =
        QDir::separator() == QLatin1Char('\\') ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (full.startsWith(homeText + QDir::separator(), names)) {
        return QString::fromUtf8(UserHomeAbbreviation) + full.mid(homeText.size());
    }
    return full;
}
