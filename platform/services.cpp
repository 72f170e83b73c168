#include "platform/services.h"

#include "date/file_read.h"
#include "date/host.h"
#include "platform/color_chooser.h"
#include "platform/design_fonts.h"
#include "platform/file_replace.h"
#include "platform/ini_file.h"
#include "platform/instance_lock.h"
#include "platform/platform_id.h"
#include "platform/qt_translation.h"
#include "platform/system_metrics.h"
#include "platform/tray_icon.h"
#include "platform/window_styles.h"
#include "resources/zelvar_icon.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

// A service asked for before it is installed is a fault of the program, not of the user: it stops
// with a message instead of following a null pointer.
template <class Service> Service& Installed(Service* service) {
    if (service == nullptr) {
        std::fputs("platform service used before it was installed\n", stderr);
        std::abort();
    }
    return *service;
}

class RealMessageBox final : public MessageBoxService {
public:
    MessageResult show(const MessageRequest& request) override {
        QMessageBox box;
        box.setWindowTitle(request.caption);
        box.setText(request.text);
        switch (request.icon) {
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::None:
            break;
        }
        if (request.buttons == MessageButtons::Ok) {
            QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.setDefaultButton(ok);
            box.setEscapeButton(ok);
            box.exec();
            return MessageResult::Ok;
        }
        // Button texts as on a Japanese desktop, whatever translation Qt has loaded.
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(request.defaultButton == MessageResult::Yes ? yes : no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageResult::Yes : MessageResult::No;
    }
};

class RealClock final : public ClockService {
public:
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class RealProgram final : public ProgramService {
public:
    explicit RealProgram(QString title) : title_(std::move(title)) {}
    [[nodiscard]] QString folder() const override { return QCoreApplication::applicationDirPath(); }
    [[nodiscard]] QString name() const override {
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
    [[nodiscard]] QString title() const override { return title_; }
    [[noreturn]] void endAtOnce(int exitStatus) override { std::exit(exitStatus); }

private:
    QString title_;
};

// The date engine's host over the platform services.
class PlatformEngineHost final : public EngineHost {
public:
    void showError(const std::string& message) override {
        ShowErrorMessage(QString::fromStdString(message));
    }
    [[noreturn]] void endProgram() override {
        Installed(Services().program).endAtOnce(EXIT_FAILURE);
        std::abort(); // not reached: the program service never returns from endAtOnce
    }
    [[nodiscard]] std::string programFolder() const override {
        return Installed(Services().program).folder().toStdString();
    }
    [[nodiscard]] std::string definitionFileToRead(const std::string& fileName) const override {
        return ProgramDefinitionFileToRead(fileName);
    }
    [[nodiscard]] std::string definitionFileToWrite(const std::string& fileName) const override {
        return ProgramDefinitionFileToWrite(fileName);
    }
    [[nodiscard]] WriteResult replaceFile(const std::string& path,
                                          std::string_view bytes) override {
        return ReplaceProgramFile(path, bytes);
    }
};

std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// The design's fonts are those of a Japanese Windows desktop; where they are missing, the IPA
// fonts stand in for them.
void substituteJapaneseFonts() {
    const QStringList families = QFontDatabase::families();
    auto substitute = [&families](const QString& name, const QString& with) {
        if (!families.contains(name)) {
            QFont::insertSubstitution(name, with);
        }
    };
    substitute(Gothic, QStringLiteral("IPAGothic"));
    substitute(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
    substitute(PGothic, QStringLiteral("IPAPGothic"));
    substitute(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
    substitute(UiGothic, QStringLiteral("IPAPGothic"));
}

} // namespace

PlatformServices& Services() {
    static PlatformServices services;
    return services;
}

void InstallRealServices(const QString& title) {
    static RealMessageBox messageBox;
    static RealClock clock;
    static RealProgram program(title);
    static PlatformEngineHost engineHost;
    static IniFiles iniFiles;
    static const std::unique_ptr<InstanceLock> instance = InstanceLock::forRunningProgram();
    static SystemMetrics metrics;
    static PlatformId platformId;
    static WindowStyles windowStyles;
    static ColorChooser colorChooser;
    // Owned by the application, so the icon goes before the application does.
    static TrayIconService* trayIcon = new TrayIcon(QCoreApplication::instance());
    PlatformServices& services = Services();
    services.messageBox = &messageBox;
    services.clock = &clock;
    services.program = &program;
    services.iniFiles = &iniFiles;
    services.instance = instance.get();
    services.metrics = &metrics;
    services.platformId = &platformId;
    services.windowStyles = &windowStyles;
    services.colorChooser = &colorChooser;
    services.trayIcon = trayIcon;
    FindProgramFileLocations();
    SetEngineHost(&engineHost);
    InstallQtJapaneseTranslation(QtTranslationFolders());
    substituteJapaneseFonts();
    // Every window without an icon of its own shows the program icon.
    QApplication::setWindowIcon(ZelvarIcon());
}

void ShowErrorMessage(const QString& text) {
    MessageRequest request;
    request.text = text;
    request.caption = Installed(Services().program).title();
    request.icon = MessageIcon::Error;
    Installed(Services().messageBox).show(request);
}

void FindProgramFileLocations() {
    Services().fileLocations = FindFileLocations(TextPath(Installed(Services().program).folder()));
}

const FileLocations& ProgramFileLocations() {
    return Services().fileLocations;
}

std::string ProgramDefinitionFileToRead(const std::string& fileName) {
    return utf8(DefinitionFileToRead(ProgramFileLocations(), fileName));
}

std::string ProgramDefinitionFileToWrite(const std::string& fileName) {
    return utf8(DefinitionFileToWrite(ProgramFileLocations(), fileName));
}

WriteResult ReplaceProgramFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) {
        WriteResult failure;
        failure.error = ENOENT;
        failure.reason = NoUserFolderText().toStdString();
        return failure;
    }
    const std::filesystem::path file = PathFromUtf8(path);
    // The user's data folder is made on the first save. The program's own folder is never made
    // again once it has gone: that write fails visibly.
    if (!ProgramFileLocations().besideProgram) {
        std::error_code ec;
        std::filesystem::create_directories(file.parent_path(), ec);
        if (ec) {
            WriteResult failure;
            failure.error = ec.value();
            failure.path = file.parent_path();
            failure.reason = ec.message();
            return failure;
        }
    }
    return ReplaceFileSafely(file, bytes);
}

QString NoUserFolderText() {
    return UserFoldersFollowXdg
               ? QStringLiteral("利用者のフォルダが見つかりません (HOME、XDG_CONFIG_HOME、"
                                "XDG_DATA_HOME のどれも設定されていません)。"
                                "共用のプログラムフォルダには保存しません。")
               : QStringLiteral("利用者のフォルダが見つかりません (APPDATA が設定されていません)。"
                                "共用のプログラムフォルダには保存しません。");
}

QString WriteFailureDetails(const WriteResult& failure) {
    QString text;
    if (!failure.path.empty()) {
        text = QDir::toNativeSeparators(PathText(failure.path)) + QStringLiteral("\r\n");
    }
    return text + QString::fromStdString(failure.reason);
}

QString PathText(const std::filesystem::path& path) {
    return QString::fromStdU16String(path.u16string());
}

std::filesystem::path TextPath(const QString& text) {
    return {text.toStdU16String()};
}

QDate Today() {
    return Installed(Services().clock).now().date();
}

std::int16_t GetPlatformId() {
    return Installed(Services().platformId).platformId();
}
