// Feeds arbitrary bytes to the settings-file functions as the contents of the file: reads two
// of the calendar's keys in two sections, then writes a number to one of them and checks that it
// reads back and that the other key kept its value.
//
// Input: byte 0 picks the section and key written, byte 1 the section and key watched, bytes 2-5
// the number written (little-endian), the rest is the file.

#include "date/codepage.h"
#include "platform/ini_file.h"

#include <QString>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Names as the calendar spells them, and spellings that must find the same entries.
constexpr std::array<const char*, 5> sections = {"Option", "MainForm", "option", "MAINFORM",
                                                 "Other"};
constexpr std::array<const char*, 12> keys = {
    "ShowMenu",   "Left",      "Top",      "AlwaysOnTop", "Color1",   "C_FontName",
    "C_FontSize", "MainWidth", "showmenu", "LEFT",        "TaskTray", "Transparent"};

QString name(const char* text) {
    return QString::fromLatin1(text);
}

// The value as a buffer of `size` bytes holds it: at most size - 1 bytes of code page 932.
void checkStringRead(std::string_view file, const QString& section, const QString& key) {
    for (int size : {0, 1, 2, 3, 5, 256}) {
        const QString value = IniReadString(file, section, key, QStringLiteral("既定"), size);
        if (size <= 1 && !value.isEmpty()) {
            std::abort();
        }
        const std::optional<std::string> bytes = Utf8ToCp932(value.toStdString());
        if (bytes && size >= 1 && bytes->size() > static_cast<std::size_t>(size - 1)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) {
        return 0;
    }
    const std::uint8_t written = data[0];
    const std::uint8_t watched = data[1];
    const auto number = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(data[2]) | static_cast<std::uint32_t>(data[3]) << 8 |
        static_cast<std::uint32_t>(data[4]) << 16 | static_cast<std::uint32_t>(data[5]) << 24);
    const std::string_view file(reinterpret_cast<const char*>(data + 6), size - 6);

    const QString section = name(sections[written % sections.size()]);
    const QString key = name(keys[(written / sections.size()) % keys.size()]);
    const QString otherSection = name(sections[watched % sections.size()]);
    const QString otherKey = name(keys[(watched / sections.size()) % keys.size()]);
    const bool sameEntry = section.compare(otherSection, Qt::CaseInsensitive) == 0 &&
                           key.compare(otherKey, Qt::CaseInsensitive) == 0;
    for (const QString& readSection : {section, otherSection}) {
        for (const QString& readKey : {key, otherKey}) {
            (void)IniReadInt(file, readSection, readKey, -480000);
            checkStringRead(file, readSection, readKey);
        }
    }
    const QString before = IniReadString(file, otherSection, otherKey, QStringLiteral("-"), 4096);

    const std::optional<std::string> after =
        IniWriteString(file, section, key, QString::number(number));
    if (!after) {
        std::abort(); // plain names and a decimal number always have a written form
    }
    if (IniReadInt(*after, section, key, number == 7 ? 8 : 7) != number) {
        std::abort(); // the written number reads back
    }
    if (!sameEntry &&
        IniReadString(*after, otherSection, otherKey, QStringLiteral("-"), 4096) != before) {
        std::abort(); // every other key keeps its value
    }
    return 0;
}
