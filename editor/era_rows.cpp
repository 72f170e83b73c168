#include "editor/era_rows.h"

#include "date/serial.h"
#include "editor/holiday_rows.h"
#include "editor/name_rules.h"
#include "widgets/lenient_number.h"

#include <algorithm>

namespace {

constexpr char16_t MarkedRowSign = u'※';

// The whole number that `text` begins with (halves to even), 0 when it begins with none.
int leadingWhole(const QString& text) {
    return LeadingWholeNumber(text);
}

} // namespace

QString EraDatePart(int year, int month, int day) {
    return RightAligned(year, 4) + QStringLiteral("年") + RightAligned(month, 2) +
           QStringLiteral("月") + RightAligned(day, 2) + QStringLiteral("日");
}

QString EraRowText(int year, int month, int day, const QString& name) {
    return EraDatePart(year, month, day) + QStringLiteral(" | ") + name;
}

QString EraRowFromDef(const EraDef& era) {
    const QString start = QString::fromStdString(era.StartDate);
    return EraRowText(leadingWhole(start.mid(0, 4)), leadingWhole(start.mid(4, 2)),
                      leadingWhole(start.mid(6, 2)), QString::fromStdString(era.Name));
}

EraRowFields ParseEraRow(const QString& row) {
    EraRowFields fields;
    fields.year = leadingWhole(row.mid(0, 4));
    fields.month = leadingWhole(row.mid(5, 2));
    fields.day = leadingWhole(row.mid(8, 2));
    fields.name = TrimSpaces(row.mid(EraNamePosition));
    return fields;
}

EraDef EraDefFromRow(const QString& row) {
    const EraRowFields fields = ParseEraRow(row);
    EraDef era;
    era.StartDate = MakeDateText(fields.year, fields.month, fields.day);
    era.Name = fields.name.toStdString();
    return era;
}

bool IsEditableEraStart(const std::string& startDate) {
    if (startDate.size() != 8 || !std::all_of(startDate.begin(), startDate.end(),
                                              [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    const int year = std::stoi(startDate.substr(0, 4));
    const int month = std::stoi(startDate.substr(4, 2));
    const int day = std::stoi(startDate.substr(6, 2));
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

QString EraMarkedRowText(const QString& startDate, const QString& name) {
    return QChar(MarkedRowSign) + startDate + QStringLiteral(" | ") + name;
}

bool IsMarkedEraRow(const QString& row) {
    return row.startsWith(QChar(MarkedRowSign));
}

int EraInsertPosition(const QStringList& rows, const QString& row) {
    return EraInsertPosition(
        static_cast<int>(rows.size()), [&rows](int i) { return rows.at(i); }, row);
}

bool HasEraDate(const QStringList& rows, const QString& datePart) {
    return std::any_of(rows.begin(), rows.end(), [&datePart](const QString& row) {
        return row.left(EraDatePartLength) == datePart;
    });
}
