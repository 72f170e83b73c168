#include "dialogs/option_settings.h"

#include <QFont>
#include <stdexcept>

namespace {

using Table = std::vector<OptionSetting>;
template <typename T> using Member = T OptionValues::*;

// A single value: one row under its own key.
template <typename T>
void addRows(Table& table, const char* key, Member<T> member, std::int32_t minimum) {
    table.push_back({QString::fromLatin1(key),
                     [member](OptionValues& v) -> SettingField { return &(v.*member); }, minimum});
}

// An array of colours: one row per element, keyed by the name and the element's number from 1.
template <std::size_t N>
void addRows(Table& table, const char* key, Member<std::array<std::int32_t, N>> member,
             std::int32_t minimum) {
    for (std::size_t i = 0; i < N; ++i) {
        table.push_back({QString::fromLatin1(key) + QString::number(i + 1),
                         [member, i](OptionValues& v) -> SettingField { return &(v.*member)[i]; },
                         minimum});
    }
}

// The clock font: one row per property, keyed by the prefix and the property's name.
void addRows(Table& table, const char* key, Member<ClockFontValues> member, std::int32_t minimum) {
    const QString prefix = QString::fromLatin1(key);
    auto part = [&](const char* name, auto property) {
        table.push_back({prefix + QString::fromLatin1(name),
                         [member, property](OptionValues& v) -> SettingField {
                             return &((v.*member).*property);
                         },
                         minimum});
    };
    part("Name", &ClockFontValues::name);
    part("Size", &ClockFontValues::size);
    part("Bold", &ClockFontValues::bold);
    part("Italic", &ClockFontValues::italic);
    part("Underline", &ClockFontValues::underline);
    part("Strikethrough", &ClockFontValues::strikethrough);
}

Table makeTable() {
    Table table;
#define ZELVAR_OPTION_ROWS(type, member, key, defaultValue, minimum)                               \
    addRows(table, key, &OptionValues::member, minimum);
    ZELVAR_OPTION_SETTINGS(ZELVAR_OPTION_ROWS)
#undef ZELVAR_OPTION_ROWS
    return table;
}

} // namespace

void ApplyClockFont(QFont& font, const ClockFontValues& values) {
    font.setFamily(values.name);
    if (values.size > 0) {
        font.setPointSizeF(values.size);
    }
    font.setBold(values.bold != 0);
    font.setItalic(values.italic != 0);
    font.setUnderline(values.underline != 0);
    font.setStrikeOut(values.strikethrough != 0);
}

const std::vector<OptionSetting>& OptionSettings() {
    static const Table table = makeTable();
    return table;
}

const OptionSetting& OptionSettingOf(const QString& key) {
    for (const OptionSetting& setting : OptionSettings()) {
        if (setting.key == key) {
            return setting;
        }
    }
    throw std::out_of_range("no setting " + key.toStdString());
}
