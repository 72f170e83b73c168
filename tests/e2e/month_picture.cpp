#include "month_picture.h"

#include <QColor>
#include <QRect>
#include <chrono>
#include <cmath>
#include <vector>

namespace e2e {

namespace {

bool isRed(QRgb c) {
    return qRed(c) >= 170 && qGreen(c) <= 110 && qBlue(c) <= 110;
}
bool isBlue(QRgb c) {
    return qBlue(c) >= 170 && qRed(c) <= 110 && qGreen(c) <= 110;
}
bool isDark(QRgb c) {
    return qRed(c) <= 100 && qGreen(c) <= 100 && qBlue(c) <= 100;
}

// Bounding box of the pixels matching `test` within rows [top, bottom] and columns [left, right].
QRect boxOf(const QImage& image, bool (*test)(QRgb), int left, int right, int top, int bottom) {
    QRect box;
    for (int y = top; y <= bottom && y < image.height(); ++y) {
        for (int x = left; x <= right && x < image.width(); ++x) {
            if (test(image.pixel(x, y))) {
                box = box.united(QRect(x, y, 1, 1));
            }
        }
    }
    return box;
}

} // namespace

std::optional<MonthPicture> ReadMonth(const QImage& source) {
    if (source.isNull()) {
        return std::nullopt;
    }
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    // The header's "日" holds the topmost red pixels (holidays lie below it).
    int headerTop = -1;
    for (int y = 0; y < image.height() && headerTop < 0; ++y) {
        for (int x = 0; x < image.width() / 2; ++x) {
            if (isRed(image.pixel(x, y))) {
                headerTop = y;
                break;
            }
        }
    }
    if (headerTop < 0) {
        return std::nullopt;
    }
    const int band = 14; // a header glyph is at most this tall at the calendar's font size
    const QRect sunday = boxOf(image, isRed, 0, image.width() / 2, headerTop, headerTop + band);
    const QRect saturday =
        boxOf(image, isBlue, image.width() / 2, image.width() - 1, headerTop, headerTop + band);
    if (sunday.isEmpty() || saturday.isEmpty()) {
        return std::nullopt;
    }
    const double x0 = sunday.center().x() + 0.5;
    const double y0 = sunday.center().y() + 0.5;
    const double across = (saturday.center().x() + 0.5 - x0) / 6.0;
    if (across < 12.0 || across > 60.0) {
        return std::nullopt;
    }
    const double down = across * 280.0 / 350.0;

    MonthPicture read;
    const int halfWidth = static_cast<int>(across * 0.27);
    const int halfHeight = static_cast<int>(down * 0.28);
    for (int i = 0; i < 44; ++i) {
        const QPoint centre(static_cast<int>(std::lround(x0 + across * (i % 7))),
                            static_cast<int>(std::lround(y0 + down * (i / 7))));
        read.centres[static_cast<std::size_t>(i)] = centre;
        if (i < 7) {
            read.inks[static_cast<std::size_t>(i)] = Ink::Empty;
            continue;
        }
        int red = 0;
        int blue = 0;
        int dark = 0;
        for (int y = centre.y() - halfHeight; y <= centre.y() + halfHeight; ++y) {
            for (int x = centre.x() - halfWidth; x <= centre.x() + halfWidth; ++x) {
                if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) {
                    continue;
                }
                const QRgb c = image.pixel(x, y);
                red += isRed(c) ? 1 : 0;
                blue += isBlue(c) ? 1 : 0;
                dark += isDark(c) ? 1 : 0;
            }
        }
        const int enough = 4;
        Ink ink = Ink::Empty;
        if (red >= enough) {
            ink = Ink::Holiday;
        } else if (blue >= enough) {
            ink = Ink::Saturday;
        } else if (dark >= enough) {
            ink = Ink::Plain;
        }
        read.inks[static_cast<std::size_t>(i)] = ink;
    }
    return read;
}

MonthInks ExpectedMonth(int year, int month, const std::set<int>& holidays) {
    using namespace std::chrono;
    const year_month_day first{std::chrono::year{year}, std::chrono::month{unsigned(month)},
                               std::chrono::day{1}};
    const unsigned weekday = std::chrono::weekday{sys_days{first}}.c_encoding(); // 0 = Sunday
    const unsigned days = unsigned(year_month_day_last{
        std::chrono::year{year}, month_day_last{std::chrono::month{unsigned(month)}}}
                                       .day());
    MonthInks inks{};
    inks.fill(Ink::Empty);
    for (unsigned day = 1; day <= days; ++day) {
        const std::size_t cell = 7 + weekday + day - 1;
        const std::size_t column = cell % 7;
        Ink ink = Ink::Plain;
        if (column == 0 || holidays.count(int(day)) != 0) {
            ink = Ink::Holiday;
        } else if (column == 6) {
            ink = Ink::Saturday;
        }
        inks[cell] = ink;
    }
    return inks;
}

std::string Describe(const MonthInks& inks) {
    static const char* names[] = {"-", "plain", "blue", "red"};
    std::string text;
    for (std::size_t i = 7; i < inks.size(); ++i) {
        text += std::to_string(i) + ":" + names[static_cast<int>(inks[i])] + " ";
    }
    return text;
}

std::set<int> HolidayDaysIn(const QString& listing, int year, int month) {
    const QString prefix = QStringLiteral("%1/%2/")
                               .arg(year, 4, 10, QLatin1Char('0'))
                               .arg(month, 2, 10, QLatin1Char('0'));
    std::set<int> days;
    for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(prefix)) {
            days.insert(line.mid(8, 2).toInt());
        }
    }
    return days;
}

} // namespace e2e
