#include "editor/accessibility.h"

#include "editor/era_editor.h"
#include "editor/holiday_editor.h"
#include "editor/holiday_list_window.h"
#include "editor/main_window.h"
#include "widgets/accessible_names.h"

void NameForScreenReaders(EditorMainWindow& window) {
    NameControls(window, {
                             {"Command1_0", "祝日の設定", "祝日の定義ファイルを編集します"},
                             {"Command1_1", "元号の設定", "元号の定義ファイルを編集します"},
                         });
}

void NameForScreenReaders(HolidayEditorWindow& window) {
    NameControls(window, {
                             {"List1", "祝日の定義"},
                             {"Text2", "名前", "20文字まで"},
                             {"Text1_1", "月", "1〜12"},
                             {"VScroll1_1", "月の増減", "1〜12"},
                             {"Text1_2", "日", "1〜31"},
                             {"VScroll1_2", "日の増減", "1〜31"},
                             {"Text1_3", "第何週", "1〜4"},
                             {"VScroll1_3", "第何週の増減", "1〜4"},
                             {"Combo1", "曜日", "曜日"},
                             {"Text1_0", "開始年", "0〜9999"},
                             {"VScroll1_0", "開始年の増減", "0〜9999"},
                             {"Text1_4", "廃止年", "0〜9999、0は廃止なし"},
                             {"VScroll1_4", "廃止年の増減", "0〜9999、0は廃止なし"},
                         });
}

void NameForScreenReaders(EraEditorWindow& window) {
    NameControls(window, {
                             {"List1", "元号の定義"},
                             {"Text1_0", "開始年", "1〜9999"},
                             {"VScroll1_0", "開始年の増減", "1〜9999"},
                             {"Text1_1", "開始月", "1〜12"},
                             {"VScroll1_1", "開始月の増減", "1〜12"},
                             {"Text1_2", "開始日", "1〜31"},
                             {"VScroll1_2", "開始日の増減", "1〜31"},
                             {"Text2", "元号名", "8文字まで"},
                         });
}

void NameForScreenReaders(HolidayListWindow& window) {
    NameControls(window, {
                             {"Text1_0", "期間の最初の年"},
                             {"Text1_1", "期間の最後の年"},
                             {"Text2", "祝日の一覧"},
                         });
}
