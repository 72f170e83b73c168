#include "calendar/koyomi_tips.h"

#include "date/serial.h"
#include "koyomi/koyomi.h"

QString KoyomiDayText(int year, int month, int day) {
    if (year < KoyomiFirstYear || year > KoyomiLastYear) {
        return {};
    }
    const DayKoyomi* koyomi = KoyomiOfDay(St_YMD_to_Days(MakeDateText(year, month, day)));
    if (koyomi == nullptr) {
        return {};
    }
    QString text = QString::fromStdString(LunarDateText(*koyomi)) + QLatin1Char(' ') +
                   QString::fromUtf8(RokuyoName(koyomi->rokuyo));
    if (!koyomi->notes.empty()) {
        text += QLatin1Char('\n') + QString::fromStdString(koyomi->notes);
        if (year > 2100) {
            text += QStringLiteral(" (2100年より後は推算の誤差を含みます)");
        }
    }
    return text;
}

QString KoyomiToolTip(const QString& holiday, const QString& koyomi) {
    if (holiday.isEmpty()) {
        return koyomi;
    }
    if (koyomi.isEmpty()) {
        return holiday;
    }
    return holiday + QLatin1Char('\n') + koyomi;
}
