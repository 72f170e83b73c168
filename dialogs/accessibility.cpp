#include "dialogs/accessibility.h"

#include "dialogs/days_calculator_dialog.h"
#include "dialogs/era_jump_dialog.h"
#include "dialogs/option_settings.h"
#include "dialogs/options_dialog.h"
#include "widgets/accessible_names.h"

#include <string>

namespace {

// The values a size box takes: the setting's smallest up to the largest of three digits.
std::string sizeRange(const char* key) {
    return std::to_string(OptionSettingOf(QString::fromLatin1(key)).minimum) + "〜999";
}

} // namespace

// A drop-down list reads its selected entry as its name on Linux, so what it chooses is in its
// description as well.
void NameForScreenReaders(EraJumpDialog& dialog) {
    NameControls(dialog, {
                             {"Combo1", "元号", "元号"},
                             {"Text1_1", "元号の年", "1〜99"},
                             {"VScroll1_1", "元号の年の増減", "1〜99"},
                             {"Text1_0", "年", "1〜9999"},
                             {"VScroll1_0", "年の増減", "1〜9999"},
                             {"Command1", "決定", "この年をカレンダーに表示します"},
                         });
}

void NameForScreenReaders(DaysCalculatorDialog& dialog) {
    NameControls(dialog, {
                             {"Text1_0", "最初の日付の年", "1〜9999"},
                             {"Text1_1", "最初の日付の月", "1〜12"},
                             {"Text1_2", "最初の日付の日", "1〜31"},
                             {"Text1_6", "日後の日数", "0〜99999999"},
                             {"Command1_0", "日後", "最初の日付から日数後の日付を計算します"},
                             {"Text1_3", "2番目の日付の年", "1〜9999"},
                             {"Text1_4", "2番目の日付の月", "1〜12"},
                             {"Text1_5", "2番目の日付の日", "1〜31"},
                             {"Text1_7", "日前の日数", "0〜99999999"},
                             {"Command1_1", "日前", "2番目の日付から日数前の日付を計算します"},
                             {"Command1_2", "日間", "二つの日付の間の日数を計算します"},
                             {"Text1_8", "日間の日数", "両端の日を含む日数"},
                         });
}

void NameForScreenReaders(OptionsDialog& dialog) {
    NameControls(dialog, {
                             {"Text1_0", "横幅", sizeRange("MainWidth").c_str()},
                             {"Text1_1", "高さ", sizeRange("MainHeight").c_str()},
                             {"Text1_2", "時計の表示領域の高さ"},
                             {"Text2", "時計のフォント"},
                             {"Picture1_0", "背景の色"},
                             {"Picture1_1", "入力欄の背景の色"},
                             {"Picture1_2", "文字の色"},
                             {"Picture1_3", "土曜の色"},
                             {"Picture1_4", "日祝の色"},
                             {"Picture1_5", "今日の色"},
                             {"Picture1_8", "時計の文字の色"},
                             {"Picture1_6", "境界線の色"},
                             {"Picture1_7", "境界線の影の色"},
                         });
}
