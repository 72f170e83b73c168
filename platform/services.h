#pragma once

// The window-system services the programs use, each behind a small interface with one real
// implementation and a test double. Windows reach them through Services(); a program installs
// the real ones at start (InstallRealServices), a test replaces single members with doubles.

#include "platform/file_locations.h"
#include "platform/file_replace.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

// The further services, each declared in its own header in platform/.
class IniFileService;       // ini_file.h: the initialization-file functions
class InstanceService;      // instance_lock.h: the previous-instance test
class SystemMetricsService; // system_metrics.h: GetSystemMetrics and the screen in twips
class PlatformIdService;    // platform_id.h: GetPlatformId
class WindowStyleService;   // window_styles.h: topmost, taskbar button, colour key, dragging
class ColorChooserService;  // color_chooser.h: the standard colour dialog
class TrayIconService;      // tray_icon.h: the notification-area icon

enum class MessageIcon { None, Error, Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };

struct MessageRequest {
    QString text;
    QString caption;
    MessageIcon icon = MessageIcon::Error;
    MessageButtons buttons = MessageButtons::Ok;
    MessageResult defaultButton = MessageResult::Ok; // the preselected button
};

// Modal message boxes.
class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    // Shows the box and returns the button the user chose (Escape on a Yes/No box answers No).
    virtual MessageResult show(const MessageRequest& request) = 0;
};

// The system clock in local time.
class ClockService {
public:
    virtual ~ClockService() = default;
    [[nodiscard]] virtual QDateTime now() const = 0;
};

// The running program: its folder, its file name and its title, and ending it at once.
class ProgramService {
public:
    virtual ~ProgramService() = default;
    // Folder of the executable, without a trailing separator.
    [[nodiscard]] virtual QString folder() const = 0;
    // File name of the executable without extension ("Zelvar").
    [[nodiscard]] virtual QString name() const = 0;
    // The program's title, the caption of its message boxes.
    [[nodiscard]] virtual QString title() const = 0;
    // Ends the program at once: no window is closed in the ordinary way, nothing is saved.
    [[noreturn]] virtual void endAtOnce(int exitStatus) = 0;
};

// The services in use. Members are never null once InstallRealServices() has run; a test sets
// the members it replaces and restores them afterwards (see tests/support).
struct PlatformServices {
    MessageBoxService* messageBox = nullptr;
    ClockService* clock = nullptr;
    ProgramService* program = nullptr;
    IniFileService* iniFiles = nullptr;
    InstanceService* instance = nullptr;
    SystemMetricsService* metrics = nullptr;
    PlatformIdService* platformId = nullptr;
    WindowStyleService* windowStyles = nullptr;
    ColorChooserService* colorChooser = nullptr;
    TrayIconService* trayIcon = nullptr;
    FileLocations fileLocations; // where the program keeps its files (FindProgramFileLocations)
};

PlatformServices& Services();

// Installs the real services for a program titled `title` (call after QApplication exists), the
// engine host over them, Qt's Japanese translation, the font substitutions for the design's
// Japanese font names and the program icon as every window's icon, and finds where the program
// keeps its files.
void InstallRealServices(const QString& title);

// Finds where the program keeps its files (platform/file_locations.h), for the program service's
// folder and the current user, into Services().fileLocations. The programs do it once, at start;
// a test that changes the folder or the user's environment does it again.
void FindProgramFileLocations();

// Shorthand for the most common box: `text` with the error icon, an OK button and the program's
// title as caption.
void ShowErrorMessage(const QString& text);

// Where this program keeps its files, as found at start (FindProgramFileLocations).
const FileLocations& ProgramFileLocations();

// The engine host's definition files for this program (UTF-8 paths): the one to read, and the one
// to write (empty when the program's folder is shared and the user has no folder of their own).
std::string ProgramDefinitionFileToRead(const std::string& fileName);
std::string ProgramDefinitionFileToWrite(const std::string& fileName);

// The engine host's replacement of a definition file: makes the user's data folder when it is
// missing, then replaces the file safely (platform/file_replace.h). Every failure comes back with
// its words: an empty path (no user folder, ENOENT) and a folder that cannot be made included.
WriteResult ReplaceProgramFile(const std::string& path, std::string_view bytes);

// Says that the user has no folder of their own for the program's files, so nothing is saved.
QString NoUserFolderText();

// The path that a write failed on (when it had one) and the system's words for the error, one
// line each, for the message that reports the failure.
QString WriteFailureDetails(const WriteResult& failure);

// A path of the file locations as Qt text, and back.
QString PathText(const std::filesystem::path& path);
std::filesystem::path TextPath(const QString& text);

// Today's local date from the clock service.
QDate Today();

// GetPlatformId through the platform-identifier service.
std::int16_t GetPlatformId();
