#include "calendar/settings_file.h"

#include "calendar/calendar_settings.h"
#include "calendar/calendar_window.h"
#include "calendar/start_calendar.h"
#include "platform/ini_file.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "platform/window_styles.h"
#include "widgets/lenient_number.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <charconv>
#include <limits>

namespace {

const QString MainFormSection = QStringLiteral("MainForm");
const QString OptionSection = QStringLiteral("Option");

// Left or Top absent from the file.
constexpr std::int32_t PositionAbsent = -480000;

std::int32_t readInt(const QString& section, const QString& key, std::int32_t defaultValue) {
    return Services().iniFiles->readInt(IniPath(), section, key, defaultValue);
}

void readOption16(SettingValue<std::int16_t>& setting, const QString& key,
                  std::int16_t defaultValue) {
    setting.setBoth(ReadIniInt16(OptionSection, key, defaultValue));
}

void readOption32(SettingValue<std::int32_t>& setting, const QString& key,
                  std::int32_t defaultValue) {
    setting.setBoth(readInt(OptionSection, key, defaultValue));
}

// Writes one value; false when the write failed. A settings folder of the user's own is made on
// the first write, so a run that changes nothing leaves no trace.
bool write(const QString& section, const QString& key, const QString& value) {
    const QString path = IniPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    return Services().iniFiles->writeString(path, section, key, value);
}

template <typename T> bool writeIfChanged(const SettingValue<T>& setting, const QString& key) {
    if (!setting.changed()) {
        return true;
    }
    return write(OptionSection, key, QString::number(setting.current));
}

bool writeIfChanged(std::int16_t current, std::int16_t lastRead, const QString& key) {
    return current == lastRead || write(OptionSection, key, QString::number(current));
}

QString colourKey(const char* prefix, std::size_t index) {
    return QString::fromLatin1(prefix) + QString::number(index + 1);
}

} // namespace

QString IniPath() {
    const QString folder = PathText(ProgramFileLocations().settingsFolder);
    return QDir(folder).filePath(Services().program->name() + QStringLiteral(".ini"));
}

QString ReadIniString(const QString& section, const QString& key, const QString& defaultValue) {
    const QString text = Services().iniFiles->readString(IniPath(), section, key, QString(), 256);
    if (text.isEmpty()) {
        return defaultValue;
    }
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

std::int32_t ReadIniInt32(const QString& section, const QString& key, std::int32_t defaultValue) {
    return readInt(section, key, defaultValue);
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
    readOption16(CalendarOptions().ShowMenu, QStringLiteral("ShowMenu"), 1);
    return CalendarOptions().ShowMenu.current;
}

void ReadOptions() {
    CalendarSettings& s = CalendarOptions();
    const CalendarSettings defaults;
    readOption16(s.TaskTray, QStringLiteral("TaskTray"), defaults.TaskTray.current);
    readOption16(s.Appearance, QStringLiteral("Appearance"), defaults.Appearance.current);
    readOption32(s.MainWidth, QStringLiteral("MainWidth"), defaults.MainWidth.current);
    readOption32(s.MainHeight, QStringLiteral("MainHeight"), defaults.MainHeight.current);
    readOption16(s.Transparent, QStringLiteral("Transparent"), defaults.Transparent.current);
    if (GetPlatformId() < 2) {
        s.Transparent.current = 0;
    }
    for (std::size_t i = 0; i < s.Color.size(); ++i) {
        readOption32(s.Color[i], colourKey("Color", i), defaults.Color[i].current);
    }
    readOption16(s.ShowClock, QStringLiteral("ShowClock"), defaults.ShowClock.current);
    readOption32(s.C_Height, QStringLiteral("C_Height"), defaults.C_Height.current);
    for (std::size_t i = 0; i < s.CL_Color.size(); ++i) {
        readOption32(s.CL_Color[i], colourKey("CL_Color", i), defaults.CL_Color[i].current);
    }

    FontRecord font;
    font.Name =
        ReadIniString(OptionSection, QStringLiteral("C_FontName"), QStringLiteral("ＭＳ ゴシック"));
    font.Size = LeadingNumber(
        ReadIniString(OptionSection, QStringLiteral("C_FontSize"), QStringLiteral("16")));
    font.Bold = ReadIniInt16(OptionSection, QStringLiteral("C_FontBold"), -1);
    font.Italic = ReadIniInt16(OptionSection, QStringLiteral("C_FontItalic"), 0);
    font.Underline = ReadIniInt16(OptionSection, QStringLiteral("C_FontUnderline"), 0);
    font.Strikethrough = ReadIniInt16(OptionSection, QStringLiteral("C_FontStrikethrough"), 0);
    s.ClockFont = font;
    s.ClockFontLastRead = font;

    if (CurrentCalendar != nullptr) {
        QFont clockFont = CurrentCalendar->Label2->font();
        CopyFont(clockFont, s.ClockFont, 2);
        CurrentCalendar->Label2->setFont(clockFont);
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
        window.MNU_A_Top->setChecked(on);
        Services().windowStyles->setTopmost(&window, on);
    }
}

bool WritePosition(const CalendarWindow& window) {
    CalendarSettings& s = CalendarOptions();
    const SystemMetricsService& metrics = *Services().metrics;
    bool ok = true;
    Qt::WindowStates state = window.windowState();
    if (!window.isVisible()) {
        state &= ~Qt::WindowMinimized; // hidden in the notification area
    }
    if (!(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const std::int32_t left = window.x() * metrics.twipsPerPixelX();
        if (left != s.LastReadLeft) {
            ok = write(MainFormSection, QStringLiteral("Left"), QString::number(left)) && ok;
        }
        const std::int32_t top = window.y() * metrics.twipsPerPixelY();
        if (top != s.LastReadTop) {
            ok = write(MainFormSection, QStringLiteral("Top"), QString::number(top)) && ok;
        }
    }
    const std::int16_t onTop = window.MNU_A_Top->isChecked() ? 1 : 0;
    if (onTop != s.AlwaysOnTop) {
        s.AlwaysOnTop = onTop;
        ok = write(MainFormSection, QStringLiteral("AlwaysOnTop"), QString::number(onTop)) && ok;
    }
    return ok;
}

bool WriteOptions() {
    const CalendarSettings& s = CalendarOptions();
    bool ok = true;
    ok = writeIfChanged(s.ShowMenu, QStringLiteral("ShowMenu")) && ok;
    ok = writeIfChanged(s.TaskTray, QStringLiteral("TaskTray")) && ok;
    ok = writeIfChanged(s.Appearance, QStringLiteral("Appearance")) && ok;
    ok = writeIfChanged(s.MainWidth, QStringLiteral("MainWidth")) && ok;
    ok = writeIfChanged(s.MainHeight, QStringLiteral("MainHeight")) && ok;
    ok = writeIfChanged(s.Transparent, QStringLiteral("Transparent")) && ok;
    for (std::size_t i = 0; i < s.Color.size(); ++i) {
        ok = writeIfChanged(s.Color[i], colourKey("Color", i)) && ok;
    }
    ok = writeIfChanged(s.ShowClock, QStringLiteral("ShowClock")) && ok;
    ok = writeIfChanged(s.C_Height, QStringLiteral("C_Height")) && ok;
    for (std::size_t i = 0; i < s.CL_Color.size(); ++i) {
        ok = writeIfChanged(s.CL_Color[i], colourKey("CL_Color", i)) && ok;
    }
    const FontRecord& font = s.ClockFont;
    const FontRecord& read = s.ClockFontLastRead;
    if (font.Name != read.Name) {
        ok = write(OptionSection, QStringLiteral("C_FontName"), font.Name) && ok;
    }
    if (font.Size != read.Size) {
        ok = write(OptionSection, QStringLiteral("C_FontSize"), FontSizeText(font.Size)) && ok;
    }
    ok = writeIfChanged(font.Bold, read.Bold, QStringLiteral("C_FontBold")) && ok;
    ok = writeIfChanged(font.Italic, read.Italic, QStringLiteral("C_FontItalic")) && ok;
    ok = writeIfChanged(font.Underline, read.Underline, QStringLiteral("C_FontUnderline")) && ok;
    ok = writeIfChanged(font.Strikethrough, read.Strikethrough,
                        QStringLiteral("C_FontStrikethrough")) &&
         ok;
    return ok;
}

QString FontSizeText(double size) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, size);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}
