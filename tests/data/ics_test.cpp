// The iCalendar writer: folding, escaping, stable identifiers and the events of a range of years.

#include "cli/ics.h"
#include "date/definitions.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<std::string> physicalLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "text does not end with CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

bool startsInsideCharacter(const std::string& text) {
    return !text.empty() && (static_cast<unsigned char>(text[0]) & 0xC0) == 0x80;
}

std::size_t countOf(const std::string& text, const std::string& what) {
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

TEST(Ics, FoldsAtSeventyFiveOctetsWithoutSplittingCharacters) {
    std::string name;
    for (int i = 0; i < 60; ++i) {
        name += "祝"; // three octets each
    }
    for (const std::string& line :
         {"SUMMARY:" + name, "X:" + std::string(200, 'a'), "SUMMARY:a" + name}) {
        const std::string folded = FoldContentLine(line);
        const auto lines = physicalLines(folded);
        ASSERT_GT(lines.size(), 1U) << line;
        std::string unfolded = lines[0];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 75U);
            if (i > 0) {
                ASSERT_EQ(lines[i][0], ' ');
                EXPECT_FALSE(startsInsideCharacter(lines[i].substr(1)));
                unfolded += lines[i].substr(1);
            }
        }
        EXPECT_EQ(unfolded, line);
    }
    // ASCII fills each line to the limit; a short line stays whole.
    const auto ascii = physicalLines(FoldContentLine("X:" + std::string(200, 'a')));
    EXPECT_EQ(ascii[0].size(), 75U);
    EXPECT_EQ(ascii[1].size(), 75U);
    EXPECT_EQ(FoldContentLine("VERSION:2.0"), "VERSION:2.0\r\n");
    EXPECT_EQ(FoldContentLine(std::string(75, 'b')), std::string(75, 'b') + "\r\n");
}

TEST(Ics, EscapesTextAndKeepsIdentifiersStable) {
    EXPECT_EQ(EscapeIcsText("a,b;c\\d\ne\r\nf"), "a\\,b\\;c\\\\d\\ne\\nf");
    EXPECT_EQ(EscapeIcsText("元日"), "元日");

    const std::string uid = HolidayUid("20240101", "元日");
    EXPECT_EQ(uid, HolidayUid("20240101", "元日"));
    EXPECT_NE(uid, HolidayUid("20250101", "元日"));
    EXPECT_NE(uid, HolidayUid("20240101", "元旦"));
    EXPECT_EQ(uid.rfind("20240101-", 0), 0U);
    EXPECT_EQ(uid.find_first_of(" \r\n,;:"), std::string::npos);

    EXPECT_EQ(IcsUtcStamp(0), "19700101T000000Z");
    EXPECT_EQ(IcsUtcStamp(1700000000), "20231114T221320Z");
}

TEST(Ics, GivesOneEventPerRealHoliday) {
    RecordingHost host(std::string(ZELVAR_TEST_FIXTURES) + "/ics");
    St_LoadDefinitions();
    const std::string text = HolidaysToICalendar(2016, 2017, "20240101T000000Z");
    const auto lines = physicalLines(text);
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    EXPECT_EQ(countOf(text, "\nVERSION:2.0\r\n"), 1U);
    EXPECT_EQ(countOf(text, "\nPRODID:"), 1U);

    // 2016: 29 Feb (fifth Monday), 3 Mar, 20 Mar (equinox, a Sunday), 21 Mar (substitute),
    // 22 Sep (equinox). 2017: 3 Mar, 20 Mar, 23 Sep; February has no fifth Monday.
    EXPECT_EQ(countOf(text, "BEGIN:VEVENT\r\n"), 8U);
    EXPECT_EQ(countOf(text, "END:VEVENT\r\n"), 8U);
    EXPECT_EQ(countOf(text, "DTSTAMP:20240101T000000Z\r\n"), 8U);
    EXPECT_EQ(countOf(text, "DTSTART;VALUE=DATE:20160229\r\nDTEND;VALUE=DATE:20160301\r\n"), 1U);
    EXPECT_EQ(countOf(text, "DTSTART;VALUE=DATE:20160321\r\nDTEND;VALUE=DATE:20160322\r\n"
                            "SUMMARY:振替休日\r\n"),
              1U);
    EXPECT_EQ(countOf(text, "DTSTART;VALUE=DATE:201702"), 0U);
    EXPECT_EQ(countOf(text, "SUMMARY:記念\\;日\r\n"), 2U);
    EXPECT_TRUE(host.messages.empty());

    // The events of 2016 come in calendar order.
    std::vector<std::string> starts;
    for (const std::string& line : lines) {
        if (line.rfind("DTSTART;VALUE=DATE:2016", 0) == 0) {
            starts.push_back(line.substr(19));
        }
    }
    EXPECT_EQ(starts, (std::vector<std::string>{"20160229", "20160303", "20160320", "20160321",
                                                "20160922"}));
}

TEST(Ics, LastDayOfTheCalendarLastsOneDay) {
    RecordingHost host(std::string(ZELVAR_TEST_FIXTURES) + "/ics");
    St_LoadDefinitions();
    const std::string text = HolidaysToICalendar(9998, 9999, "20240101T000000Z");
    EXPECT_EQ(countOf(text, "DTSTART;VALUE=DATE:99981231\r\nDTEND;VALUE=DATE:99990101\r\n"), 1U);
    EXPECT_EQ(countOf(text, "DTSTART;VALUE=DATE:99991231\r\nDURATION:P1D\r\n"), 1U);
    EXPECT_EQ(countOf(text, "DTEND;VALUE=DATE:1000"), 0U);
    EXPECT_TRUE(host.messages.empty());
}

} // namespace
