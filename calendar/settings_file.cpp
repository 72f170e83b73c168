#include "calendar/settings_file.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "platform/ini_file.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "platform/window_styles.h"
#include "widgets/lenient_number.h"
#include "widgets/trim_spaces.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <cerrno>
#include <charconv>
#include <limits>
#include <type_traits>
#include <utility>
#include <variant>

namespace {

const QString MainFormSection = QStringLiteral("MainForm");
const QString OptionSection = QStringLiteral("Option");

// Left or Top absent from the file.
constexpr std::int32_t PositionAbsent = -480000;

std::int32_t readInt(const QString& section, const QString& key, std::int32_t defaultValue) {
    return Services().iniFiles->readInt(IniPath(), section, key, defaultValue);
}

// Writes one value, keeping its failure in `failure`. A settings folder of the user's own is made
// on the first write, so a run that changes nothing leaves no trace.
void write(const QString& section, const QString& key, const QString& value, WriteResult& failure) {
    const QString path = IniPath();
    if (path.isEmpty()) {
        // No folder of the user's: nothing is written, least of all a shared one.
        failure = WriteResult::failed(ENOENT);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (WriteResult result = Services().iniFiles->writeString(path, section, key, value);
        !result.written()) {
        failure = std::move(result);
    }
}

// A setting's value as the file stores it.
QString settingText(const SettingField& field) {
    return std::visit(
        [](auto* value) -> QString {
            using T = std::remove_pointer_t<decltype(value)>;
            if constexpr (std::is_same_v<T, QString>) {
                return *value;
            } else if constexpr (std::is_same_v<T, double>) {
                return FontSizeText(*value);
            } else {
                return QString::number(*value);
            }
        },
        field);
}

// Reads one setting into `current` and `lastRead`, with the reading rule of its type: a text is
// taken without its outer spaces, a number with fraction (the font size) is the leading number
// of its text, an integer follows the integer reading rules.
void readSetting(const OptionSetting& setting, CalendarSettings& s) {
    OptionValues defaults;
    const SettingField fallback = setting.field(defaults);
    const SettingField target = setting.field(s.current);
    std::visit(
        [&](auto* value) {
            using T = std::remove_pointer_t<decltype(value)>;
            const T defaultValue = *std::get<T*>(fallback);
            if constexpr (std::is_same_v<T, QString>) {
                *value = ReadIniString(OptionSection, setting.key, defaultValue);
            } else if constexpr (std::is_same_v<T, double>) {
                *value = LeadingNumber(
                    ReadIniString(OptionSection, setting.key, FontSizeText(defaultValue)));
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                *value = ReadIniInt16(OptionSection, setting.key, defaultValue);
            } else {
                *value = readInt(OptionSection, setting.key, defaultValue);
            }
            *std::get<T*>(setting.field(s.lastRead)) = *value;
        },
        target);
}

} // namespace

QString IniPath() {
    const std::filesystem::path folder = ProgramFileLocations().settingsFolder;
    if (folder.empty()) {
        return {};
    }
    return QDir(PathText(folder)).filePath(Services().program->name() + QStringLiteral(".ini"));
}

QString SettingsNotSavedText(const WriteResult& failure) {
    const QString path = IniPath();
    if (path.isEmpty()) {
        return NoUserFolderText() + QStringLiteral("\n設定を保存出来ませんでした。");
    }
    QString text =
        QDir::toNativeSeparators(path) + QStringLiteral("\n設定を保存出来ませんでした。");
    if (!failure.written() && failure.path == TextPath(path)) {
        text += QStringLiteral("\n") + QString::fromStdString(failure.reason);
    }
    return text;
}

void ReportUnreadableSettingsFile() {
    const QString path = IniPath();
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    switch (Services().iniFiles->refusal(path)) {
    case IniRefusal::None:
        return;
    case IniRefusal::TooLarge:
        reason = QStringLiteral("設定ファイルが大きすぎるため読み込めません。");
        break;
    case IniRefusal::NotReadable:
        reason = QStringLiteral("設定ファイルを読み込めません。");
        break;
    }
    ShowErrorMessage(QDir::toNativeSeparators(path) + QStringLiteral("\n") + reason +
                     QStringLiteral("\n既定の設定で起動します。"));
}

QString ReadIniString(const QString& section, const QString& key, const QString& defaultValue) {
    const QString text = Services().iniFiles->readString(IniPath(), section, key, QString(), 256);
    if (text.isEmpty()) {
        return defaultValue;
    }
    return TrimSpaces(text);
}

std::int16_t ReadIniInt16(const QString& section, const QString& key, std::int16_t defaultValue) {
    const std::int32_t value = readInt(section, key, defaultValue);
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return defaultValue;
    }
    return static_cast<std::int16_t>(value);
}

std::int16_t ReadShowMenu() {
    readSetting(OptionSettingOf(QStringLiteral("ShowMenu")), CalendarOptions());
    return CalendarOptions().current.ShowMenu;
}

void ReadOptions(CalendarWindow* window) {
    CalendarSettings& s = CalendarOptions();
    for (const OptionSetting& setting : OptionSettings()) {
        // ShowMenu decides which window to open; ReadShowMenu has read it before.
        if (setting.key != QStringLiteral("ShowMenu")) {
            readSetting(setting, s);
        }
    }
    // A size below what the options dialog accepts (a hand-edited file) would give a window too
    // small to reach its menu: it reads as the default, and the file keeps its value.
    const OptionValues defaults;
    if (s.current.MainWidth < OptionSettingOf(QStringLiteral("MainWidth")).minimum) {
        s.current.MainWidth = s.lastRead.MainWidth = defaults.MainWidth;
    }
    if (s.current.MainHeight < OptionSettingOf(QStringLiteral("MainHeight")).minimum) {
        s.current.MainHeight = s.lastRead.MainHeight = defaults.MainHeight;
    }
    if (GetPlatformId() < 2) {
        s.current.Transparent = 0;
    }
    if (window != nullptr) {
        QFont clockFont = window->clockLabel->font();
        ApplyClockFont(clockFont, s.current.clockFont);
        window->clockLabel->setFont(clockFont);
    }
}

void ClampToScreen(std::int32_t width, std::int32_t height, std::int32_t& left, std::int32_t& top) {
    const SystemMetricsService& metrics = *Services().metrics;
    const std::int64_t px = metrics.twipsPerPixelX();
    const std::int64_t py = metrics.twipsPerPixelY();
    const std::int64_t vl = metrics.metric(Metric::XVirtualScreen) * px;
    const std::int64_t vt = metrics.metric(Metric::YVirtualScreen) * py;
    std::int64_t vr = vl + metrics.metric(Metric::CxVirtualScreen) * px;
    std::int64_t vb = vt + metrics.metric(Metric::CyVirtualScreen) * py;
    if (vl == 0 && vt == 0 && vr == 0 && vb == 0) {
        vr = metrics.screenWidthTwips();
        vb = metrics.screenHeightTwips();
    }
    // The steps run in this order: the right and bottom rules may undo the left and top ones
    // when the window is larger than the screen.
    std::int64_t x = left;
    std::int64_t y = top;
    if (x <= vl - width + 50 * px) {
        x = vl;
    }
    if (x >= vr - 50 * px) {
        x = vr - width;
    }
    if (y <= vt - height + 50 * py) {
        y = vt;
    }
    if (y >= vb - 50 * py) {
        y = vb - height;
    }
    left = static_cast<std::int32_t>(x);
    top = static_cast<std::int32_t>(y);
}

void ReadPosition(CalendarWindow& window) {
    CalendarSettings& s = CalendarOptions();
    const SystemMetricsService& metrics = *Services().metrics;
    const int px = metrics.twipsPerPixelX();
    const int py = metrics.twipsPerPixelY();

    std::int32_t left = readInt(MainFormSection, QStringLiteral("Left"), PositionAbsent);
    if (left == PositionAbsent) {
        left = (metrics.screenWidthTwips() - window.windowWidth) / 2;
    }
    std::int32_t top = readInt(MainFormSection, QStringLiteral("Top"), PositionAbsent);
    if (top == PositionAbsent) {
        top = (metrics.screenHeightTwips() - window.windowHeight) / 2;
    }
    ClampToScreen(window.windowWidth, window.windowHeight, left, top);

    window.move(qRound(static_cast<double>(left) / px), qRound(static_cast<double>(top) / py));
    s.LastReadLeft = window.x() * px;
    s.LastReadTop = window.y() * py;

    s.AlwaysOnTop = ReadIniInt16(MainFormSection, QStringLiteral("AlwaysOnTop"), 0);
    if (s.AlwaysOnTop == 1 || s.AlwaysOnTop == 0) {
        const bool on = s.AlwaysOnTop == 1;
        window.alwaysOnTopCommand->setChecked(on);
        Services().windowStyles->setTopmost(&window, on);
    }
}

WriteResult WritePosition(const CalendarWindow& window) {
    CalendarSettings& s = CalendarOptions();
    const SystemMetricsService& metrics = *Services().metrics;
    WriteResult failure;
    Qt::WindowStates state = window.windowState();
    if (!window.isVisible()) {
        state &= ~Qt::WindowMinimized; // hidden in the notification area
    }
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const std::int32_t left = window.x() * metrics.twipsPerPixelX();
        if (left != s.LastReadLeft) {
            write(MainFormSection, QStringLiteral("Left"), QString::number(left), failure);
        }
        const std::int32_t top = window.y() * metrics.twipsPerPixelY();
        if (top != s.LastReadTop) {
            write(MainFormSection, QStringLiteral("Top"), QString::number(top), failure);
        }
    }
    const std::int16_t onTop = window.alwaysOnTopCommand->isChecked() ? 1 : 0;
    if (onTop != s.AlwaysOnTop) {
        s.AlwaysOnTop = onTop;
        write(MainFormSection, QStringLiteral("AlwaysOnTop"), QString::number(onTop), failure);
    }
    return failure;
}

WriteResult WriteOptions() {
    CalendarSettings& s = CalendarOptions();
    WriteResult failure;
    for (const OptionSetting& setting : OptionSettings()) {
        const QString text = settingText(setting.field(s.current));
        if (text != settingText(setting.field(s.lastRead))) {
            write(OptionSection, setting.key, text, failure);
        }
    }
    return failure;
}

QString FontSizeText(double size) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
