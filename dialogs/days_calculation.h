#pragma once

// The days calculator's rules as functions over the texts of its fields and labels, so that the
// window only moves texts between these and its controls.
//
// Fields (fields elements): 0..2 year, month and day of the first date; 3..5 those of the second
// date; 6 the number of days after the first date; 7 the number of days before the second date;
// 8 the day count from the first to the second date, both included. The value of a field is the
// leading number of its text (0 for an empty or non-numeric text); every number written into a
// field or a label is plain decimal without leading zeros.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

struct CalculatorTexts {
    std::array<QString, 9> fields;    // fields elements 0..8
    std::array<QString, 2> eraLabels; // eraLabels: era of the first and of the second date
    std::array<QString, 5> results;   // resultLabels: years, months, days, weeks, remaining days
};

// The three buttons, by their element number.
enum class CalculatorButton { DaysAfter = 0, DaysBefore = 1, DaysBetween = 2 };

// What a calculation asks the window to report before it shows the new texts.
struct CalculationOutcome {
    bool dayCountCorrected = false; // the days-after or days-before number left the range
};

// The value of a field's text, rounded to a whole number (halves to even).
std::int32_t FieldValue(const QString& text);

// The date text "yyyymmdd" of the date whose year field is `firstElement` (0 or 3).
std::string DateOfFields(const CalculatorTexts& texts, int firstElement);

// The era label of a date text: EraLabel of St_Era, empty when no era applies.
QString EraLabelOfDate(const std::string& date);

// The state in which the window opens: the earlier of (the calendar's year and month with
// today's day) and today becomes the first date, the other the second; both era labels are set
// and the "日間" calculation runs once.
void SetOpeningDates(CalculatorTexts& texts, const QString& calendarYear,
                     const QString& calendarMonth, QDate today);

// Up (down == false) or Down in date field `element` (0..5): steps the year, the month across
// the year's end, or the day across the month's end by one day, within 1 January of the year 1
// and 31 December 9999, then renews that date's era label. Returns false (and changes nothing)
// for the fields 6 to 8, whose arrow keys are left to the field.
bool StepDateField(CalculatorTexts& texts, int element, bool down);

// The corrections when date field `element` (0..5) loses the focus: that field at least 1, both
// months at most 12, both days at most their month's length, both dates before 31 December 9999,
// then the era label of the field's date.
void CorrectDateFields(CalculatorTexts& texts, int element);

// The calculation of a button: "日後" computes the second date, "日前" the first, "日間" the days
// between them; then the inclusive span labels. A days number that would leave the supported
// range is replaced by the largest one that stays inside it, which the outcome reports.
CalculationOutcome RunCalculation(CalculatorTexts& texts, CalculatorButton button);

// The span from `earlier` to `later` with both days counted ("yyyymmdd" texts, earlier <= later),
// as the "YYYYMMDD" text of St_YMD_Span. Also right when `later` is 31 December 9999, whose next
// day lies outside the date texts.
std::string InclusiveSpan(const std::string& earlier, const std::string& later);
