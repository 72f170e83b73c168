#include "editor/holiday_rows.h"

#include "date/serial.h"

#include <cstdlib>
#include <utility>

namespace {

const QChar IdeographicSpace(0x3000);
const QChar WaveDash(0xFF5E);

// `value` with at least `digits` digits, leading zeros; a negative value keeps its sign in front.
std::string zeroPadded(int value, int digits) {
    std::string text = std::to_string(std::abs(value));
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return value < 0 ? "-" + text : text;
}

} // namespace

QStringList HolidayFixedRows() {
    return {
        QStringLiteral("振替休日　　　　 | 1973/4～× | 日曜と祝日が重なる場合の翌日"),
        QStringLiteral("　 〃 　(改正)　 | 2007/1～   | または、それに続く祝日の翌日"),
        QStringLiteral("国民の休日　　　 | 1986～     | 祝日と祝日に挟まれた平日"),
        QStringLiteral("春分の日　　　　 | 1949～2150 | 春分日(2150年まで計算で算出)"),
        QStringLiteral("秋分の日　　　　 | 1948～2150 | 秋分日(2150年まで計算で算出)"),
        QString(60, QLatin1Char('-')),
    };
}

QString PadHolidayName(const QString& name) {
    return (name + QString(8, IdeographicSpace)).left(8);
}

QString RightAligned(int value, int width) {
    return QString::number(value).rightJustified(width, QLatin1Char(' '));
}

QString RightAlignedOrBlank(int value, int width) {
    return value == 0 ? QString(width, QLatin1Char(' ')) : RightAligned(value, width);
}

QString HolidayRowText(const HolidayDef& def) {
    QString row = PadHolidayName(QString::fromStdString(def.Name));
    row += QStringLiteral(" | ");
    row += RightAlignedOrBlank(def.FromYear, 4);
    if (def.FromYear == def.ToYear) {
        row += IdeographicSpace;
        row += QStringLiteral("    ");
    } else {
        row += WaveDash;
        row += RightAlignedOrBlank(def.ToYear, 4);
    }
    row += QStringLiteral(" | ");
    row += RightAligned(def.Month, 2);
    row += QStringLiteral("月");
    if (def.Kind == 1) {
        row += RightAligned(def.Day, 2);
        row += QStringLiteral("日");
    } else if (def.Kind == 2) {
        // The file numbers weekdays 0 = Sunday ... 6 = Saturday; the editor itself offers Monday
        // to Saturday only, but a loaded Sunday rule is shown as such. A number outside 0..6
        // names no weekday.
        row += QStringLiteral("第");
        row += QString::number(def.Week);
        row += QString::fromUtf8(WeekdayLetter(def.Weekday + 1));
        row += QStringLiteral("曜日");
    }
    return row;
}

std::string HolidaySortKey(const HolidayDef& def) {
    std::string key = zeroPadded(def.Month, 2);
    if (def.Kind == 1) {
        key += zeroPadded(def.Day, 2);
    } else if (def.Kind == 2) {
        key += zeroPadded((def.Week - 1) * 7 + def.Weekday, 2);
    }
    key += zeroPadded(def.FromYear, 4);
    return key;
}

std::optional<int> SortHolidayDefs(std::vector<HolidayDef>& defs, int count,
                                   std::optional<int> follow) {
    const auto n = static_cast<std::size_t>(count);
    // The keys travel with their records, so each comparison sees the records as they stand.
    std::vector<std::string> keys;
    keys.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        keys.push_back(HolidaySortKey(defs[i]));
    }
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) {
            if (keys[i] < keys[j]) {
                std::swap(defs[i], defs[j]);
                std::swap(keys[i], keys[j]);
                if (follow) {
                    if (*follow == static_cast<int>(i)) {
                        follow = static_cast<int>(j);
                    } else if (*follow == static_cast<int>(j)) {
                        follow = static_cast<int>(i);
                    }
                }
            }
        }
    }
    return follow;
}

QStringList HolidayListRows(const std::vector<HolidayDef>& defs, int count) {
    QStringList rows = HolidayFixedRows();
    rows.reserve(HolidayFixedRowCount + count);
    for (int i = 0; i < count; ++i) {
        rows.append(HolidayRowText(defs[static_cast<std::size_t>(i)]));
    }
    return rows;
}
