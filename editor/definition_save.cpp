#include "editor/definition_save.h"

#include "date/codepage.h"
#include "editor/editor_messages.h"
#include "platform/services.h"

#include <QBrush>
#include <QListWidgetItem>

QString DefinitionFileName(DefinitionFile file) {
    return file == DefinitionFile::Holidays ? QStringLiteral("Korin1.csv")
                                            : QStringLiteral("Korin2.csv");
}

bool MayOverwrite(DefinitionFile file, const FileStamp& loaded) {
    if (CurrentDefinitionStamp(file) == loaded) {
        return true;
    }
    return AskConfirmation(DefinitionFileName(file) +
                           QStringLiteral("は他のプログラムによって変更されています。\r\n"
                                          "上書きしますか?"));
}

void TellConversionOnce(DefinitionFile file, bool& told) {
    if (told || !DefinitionFileWasUtf8(file)) {
        return;
    }
    told = true;
    MessageRequest request;
    request.text = DefinitionFileName(file) + QStringLiteral("はUTF-8で書かれています。\r\n"
                                                             "シフトJISに変換して保存します。");
    request.caption = Services().program->title();
    request.icon = MessageIcon::Information;
    Services().messageBox->show(request);
}

bool HasCodePage932Form(const QString& text) {
    return Utf8ToCp932(text.toStdString()).has_value();
}

void MarkRow(QListWidgetItem* item, const QString& reason) {
    if (reason.isEmpty()) {
        item->setData(Qt::ForegroundRole, QVariant());
        item->setToolTip(QString());
        return;
    }
    item->setForeground(QBrush(Qt::red));
    item->setToolTip(reason);
}

QString UnwritableNameReason() {
    return QStringLiteral("名前にシフトJISで書けない文字があります。");
}

bool MayWriteWhole(DefinitionFile file) {
    if (DefinitionFileWasReadWhole(file)) {
        return true;
    }
    ShowErrorMessage(DefinitionFileName(file) +
                     QStringLiteral("ファイルには%1件を超える定義があり、すべてを読み込めて"
                                    "いないため、保存できません。\r\nファイルは変更していません。")
                         .arg(MaxDefinitionRecords));
    return false;
}

void ShowDefinitionWriteFailure(DefinitionFile file, const WriteResult& failure, bool record,
                                int line, const QString& recordText) {
    QString text =
        QStringLiteral("ファイルの書き込みを失敗しました Err=") + QString::number(failure.error);
    if (record) {
        const QString where =
            line > 0 ? QStringLiteral("%1の%2行目").arg(DefinitionFileName(file)).arg(line)
                     : DefinitionFileName(file) + QStringLiteral("に書く定義");
        text += QStringLiteral("\r\n\r\n%1「%2」の名前にファイルに書けない文字があります。")
                    .arg(where, recordText);
    } else if (!failure.reason.empty()) {
        // The file system refused the write: where, and in the system's words.
        text += QStringLiteral("\r\n\r\n") + WriteFailureDetails(failure);
    }
    ShowErrorMessage(text);
}
