#include "calendar/calendar_settings.h"

#include <QFont>

FontRecord DefaultClockFont() {
    FontRecord font;
    font.Name = QStringLiteral("ＭＳ ゴシック");
    font.Size = 16;
    font.Bold = -1;
    return font;
}

CalendarSettings& CalendarOptions() {
    static CalendarSettings settings;
    return settings;
}

namespace {
std::int16_t flag(bool on) {
    return on ? std::int16_t{-1} : std::int16_t{0};
}
} // namespace

void CopyFont(QFont& font, FontRecord& record, int direction) {
    if (direction == 1) {
        record.Name = font.family();
        record.Size = font.pointSizeF();
        record.Bold = flag(font.bold());
        record.Italic = flag(font.italic());
        record.Underline = flag(font.underline());
        record.Strikethrough = flag(font.strikeOut());
    } else if (direction == 2) {
        font.setFamily(record.Name);
        if (record.Size > 0) {
            font.setPointSizeF(record.Size);
        }
        font.setBold(record.Bold != 0);
        font.setItalic(record.Italic != 0);
        font.setUnderline(record.Underline != 0);
        font.setStrikeOut(record.Strikethrough != 0);
    }
}
