#include "dialogs/days_calculation.h"

#include "date/eras.h"
#include "date/serial.h"
#include "date/year_month.h"
#include "widgets/lenient_number.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr std::int32_t LastYear = 9999;
constexpr const char* LastKeptDate = "99991231"; // a date field pair never keeps this or later

QString number(std::int64_t value) {
    return QString::number(value);
}

int value(const CalculatorTexts& texts, int element) {
    return FieldValue(texts.fields.at(element));
}

// The first field (0 or 3) of the date that field `element` belongs to.
int dateStart(int element) {
    return element < 3 ? 0 : 3;
}

void writeDate(CalculatorTexts& texts, int firstElement, const std::string& date) {
    // The date text's parts, as numbers without leading zeros.
    texts.fields.at(firstElement) = number(std::stoi(date.substr(0, date.size() - 4)));
    texts.fields.at(firstElement + 1) = number(std::stoi(date.substr(date.size() - 4, 2)));
    texts.fields.at(firstElement + 2) = number(std::stoi(date.substr(date.size() - 2)));
}

void renewEraLabel(CalculatorTexts& texts, int firstElement) {
    texts.eraLabels.at(firstElement / 3) = EraLabelOfDate(DateOfFields(texts, firstElement));
}

// Up or Down in a year field.
void stepYear(CalculatorTexts& texts, int element, bool down) {
    const int year = value(texts, element);
    if (!down && year > 1) {
        texts.fields.at(element) = number(year - 1);
    } else if (down && year < LastYear) {
        texts.fields.at(element) = number(year + 1);
    }
}

// Up or Down in a month field; at January and December the year moves too.
void stepMonth(CalculatorTexts& texts, int element, bool down) {
    const int yearElement = element - 1;
    const YearMonth from{value(texts, yearElement), std::clamp(value(texts, element), 1, 12)};
    const YearMonth to = StepMonths(from, down ? 1 : -1);
    if (to.year != from.year) {
        texts.fields.at(yearElement) = number(to.year);
    }
    if (to != from) {
        texts.fields.at(element) = number(to.month);
    }
}

// Up or Down in a day field; at the month's ends the whole date moves by one day.
void stepDay(CalculatorTexts& texts, int element, bool down) {
    const int first = element - 2;
    const int day = value(texts, element);
    const int month = value(texts, first + 1);
    const int year = value(texts, first);
    if (!down) {
        if (day > 1) {
            texts.fields.at(element) = number(day - 1);
        } else if (year > 1 || (year == 1 && month > 1)) {
            writeDate(texts, first, St_AddDays(DateOfFields(texts, first), -1));
        }
    } else {
        if (day < 28) {
            texts.fields.at(element) = number(day + 1);
        } else if (year < LastYear || (year == LastYear && (month < 12 || day < 31))) {
            writeDate(texts, first, St_AddDays(DateOfFields(texts, first), 1));
        }
    }
}

// The result labels of the inclusive span between the two dates.
void showSpan(CalculatorTexts& texts) {
    const std::string first = DateOfFields(texts, 0);
    const std::string second = DateOfFields(texts, 3);
    const std::string span =
        second < first ? InclusiveSpan(second, first) : InclusiveSpan(first, second);
    texts.results[0] = number(std::stoi(span.substr(0, 4))) + QStringLiteral("年");
    texts.results[1] = number(std::stoi(span.substr(4, 2))) + QStringLiteral("ヶ月");
    texts.results[2] = number(std::stoi(span.substr(6, 2))) + QStringLiteral("日間");
    const std::int32_t count = FieldValue(texts.fields[8]);
    // The count is never negative (it is an absolute value plus one); truncation as for a
    // positive quotient.
    texts.results[3] = number(count / 7) + QStringLiteral("週間");
    texts.results[4] = number(count % 7) + QStringLiteral("日");
}

// Field 7 takes field 6's text and field 8 the inclusive count.
void copyDifference(CalculatorTexts& texts, bool fromDaysAfter) {
    if (fromDaysAfter) {
        texts.fields[7] = texts.fields[6];
    } else {
        texts.fields[6] = texts.fields[7];
    }
    texts.fields[8] = number(std::abs(static_cast<std::int64_t>(FieldValue(texts.fields[6]))) + 1);
}

} // namespace

std::int32_t FieldValue(const QString& text) {
    return LeadingWholeNumber(text);
}

std::string DateOfFields(const CalculatorTexts& texts, int firstElement) {
    return MakeDateText(value(texts, firstElement), value(texts, firstElement + 1),
                        value(texts, firstElement + 2));
}

QString EraLabelOfDate(const std::string& date) {
    St_Era(date);
    return QString::fromStdString(EraLabel(EraName, EraYearText));
}

void SetOpeningDates(CalculatorTexts& texts, const QString& calendarYear,
                     const QString& calendarMonth, QDate today) {
    const std::string shown =
        MakeDateText(FieldValue(calendarYear), FieldValue(calendarMonth), today.day());
    const std::string todayText = MakeDateText(today.year(), today.month(), today.day());
    const bool shownFirst = shown < todayText;
    writeDate(texts, 0, shownFirst ? shown : todayText);
    writeDate(texts, 3, shownFirst ? todayText : shown);
    renewEraLabel(texts, 0);
    renewEraLabel(texts, 3);
    RunCalculation(texts, CalculatorButton::DaysBetween);
}

bool StepDateField(CalculatorTexts& texts, int element, bool down) {
    switch (element) {
    case 0:
    case 3:
        stepYear(texts, element, down);
        break;
    case 1:
    case 4:
        stepMonth(texts, element, down);
        break;
    case 2:
    case 5:
        stepDay(texts, element, down);
        break;
    default:
        return false;
    }
    renewEraLabel(texts, dateStart(element));
    return true;
}

void CorrectDateFields(CalculatorTexts& texts, int element) {
    if (element < 0 || element > 5) {
        return;
    }
    if (value(texts, element) < 1) {
        texts.fields.at(element) = QStringLiteral("1");
    }
    for (int first : {0, 3}) {
        if (value(texts, first + 1) > 12) {
            texts.fields.at(first + 1) = QStringLiteral("12");
        }
    }
    for (int first : {0, 3}) {
        const int days = St_DaysInMonth(static_cast<std::int16_t>(value(texts, first)),
                                        static_cast<std::int16_t>(value(texts, first + 1)));
        const int day = value(texts, first + 2);
        // A month outside 1..12 has no length; its day is left for the month's own correction.
        if (days > 0 && day > 28 && day > days) {
            texts.fields.at(first + 2) = number(days);
        }
    }
    for (int first : {0, 3}) {
        if (DateOfFields(texts, first) >= LastKeptDate) {
            texts.fields.at(first) = QStringLiteral("9999");
            texts.fields.at(first + 1) = QStringLiteral("12");
            texts.fields.at(first + 2) = QStringLiteral("30");
        }
    }
    renewEraLabel(texts, dateStart(element));
}

CalculationOutcome RunCalculation(CalculatorTexts& texts, CalculatorButton button) {
    CalculationOutcome outcome;
    const std::string first = DateOfFields(texts, 0);
    const std::string second = DateOfFields(texts, 3);
    switch (button) {
    case CalculatorButton::DaysAfter: {
        const std::int64_t a = St_YMD_to_Days(first);
        const std::int64_t v = FieldValue(texts.fields[6]);
        if (a + v > MaxSerialDay) {
            outcome.dayCountCorrected = true;
            texts.fields[6] = number(MaxSerialDay - a);
        } else if (a + v < 1) {
            outcome.dayCountCorrected = true;
            texts.fields[6] = number(1 - a);
        }
        writeDate(texts, 3, St_AddDays(first, FieldValue(texts.fields[6])));
        copyDifference(texts, true);
        renewEraLabel(texts, 3);
        break;
    }
    case CalculatorButton::DaysBefore: {
        const std::int64_t b = St_YMD_to_Days(second);
        const std::int64_t v = FieldValue(texts.fields[7]);
        if (b - v < 1) {
            outcome.dayCountCorrected = true;
            texts.fields[7] = number(b - 1);
        } else if (b - v > MaxSerialDay) {
            outcome.dayCountCorrected = true;
            texts.fields[7] = number(b - MaxSerialDay);
        }
        writeDate(texts, 0, St_AddDays(second, -FieldValue(texts.fields[7])));
        copyDifference(texts, false);
        renewEraLabel(texts, 0);
        break;
    }
    case CalculatorButton::DaysBetween:
        texts.fields[6] = number(St_DaysBetween(first, second));
        copyDifference(texts, true);
        break;
    }
    showSpan(texts);
    return outcome;
}

std::string InclusiveSpan(const std::string& earlier, const std::string& later) {
    if (later < LastKeptDate) {
        return St_YMD_Span(earlier, St_AddDays(later, 1));
    }
    // The day after 31 December 9999 has no date text. The span to a 1 January depends on the
    // end year only through the year count, so from a start before 9999 it is the span to
    // 1 January 9999 plus one year; from a start within 9999 it is the same as 400 years
    // earlier, the calendar repeating itself every 400 years.
    const int startYear = std::stoi(earlier.substr(0, 4));
    if (startYear < LastYear) {
        std::string span = St_YMD_Span(earlier, "99990101");
        const int years = std::stoi(span.substr(0, 4)) + 1;
        return MakeDateText(years, std::stoi(span.substr(4, 2)), std::stoi(span.substr(6, 2)));
    }
    return St_YMD_Span("9599" + earlier.substr(4), "96000101");
}
