#include "editor/editor_messages.h"

#include "platform/services.h"

bool AskConfirmation(const QString& text) {
    MessageRequest request;
    request.text = text;
    request.caption = QStringLiteral("確認");
    request.icon = MessageIcon::Warning;
    request.buttons = MessageButtons::YesNo;
    request.defaultButton = MessageResult::No;
    return Services().messageBox->show(request) == MessageResult::Yes;
}

QString HolidayChangeQuestion() {
    return QStringLiteral("本当に変更してよろしいですか?\r\n\r\n"
                          "（変更できる項目は「廃止年」のみです。）\r\n"
                          "（その他の項目は、入力ミスの修正用です。）");
}

QString HolidayDeleteQuestion() {
    return QStringLiteral("本当に削除してよろしいですか?\r\n\r\n"
                          "（この操作は、入力ミスに対処するためのみにあるものです。）");
}

QString EraChangeQuestion() {
    return QStringLiteral("本当に変更してよろしいですか?\r\n\r\n"
                          "（この操作は、入力ミスに対処するためのみにあるものです。）");
}

QString EraDeleteQuestion() {
    return HolidayDeleteQuestion();
}

QString UpdateQuestion() {
    return QStringLiteral("本当に更新してよろしいですか?");
}
