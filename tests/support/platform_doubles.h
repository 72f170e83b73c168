#pragma once

// Test doubles of the platform services. PlatformDoubles installs all of them (and an engine host
// over them) for the lifetime of the object and restores what was installed before.

#include "platform/services.h"
#include "recording_host.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>

#include <deque>
#include <vector>

struct ProgramEndedWithStatus : ProgramEnded {
    explicit ProgramEndedWithStatus(int s) : status(s) {}
    int status;
};

// Records every box and answers from a queue (Ok / the preselected button when it is empty).
class FakeMessageBox final : public MessageBoxService {
public:
    MessageResult show(const MessageRequest& request) override {
        shown.push_back(request);
        if (!answers.empty()) {
            MessageResult answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return request.buttons == MessageButtons::Ok ? MessageResult::Ok : request.defaultButton;
    }
    std::vector<MessageRequest> shown;
    std::deque<MessageResult> answers;
};

// A clock that stands still until the test moves it.
class FixedClock final : public ClockService {
public:
    [[nodiscard]] QDateTime now() const override { return time; }
    QDateTime time{QDate(2024, 3, 15), QTime(12, 0, 0)};
};

// A program living in a temporary folder; ending it throws ProgramEndedWithStatus.
class FakeProgram final : public ProgramService {
public:
    [[nodiscard]] QString folder() const override { return dir.path(); }
    [[nodiscard]] QString name() const override { return programName; }
    [[nodiscard]] QString title() const override { return programTitle; }
    [[noreturn]] void endAtOnce(int exitStatus) override {
        throw ProgramEndedWithStatus(exitStatus);
    }
    QTemporaryDir dir;
    QString programName = QStringLiteral("Zelvar");
    QString programTitle = QStringLiteral("Zelvar");
};

// Engine host over the fake services, so engine messages show up in FakeMessageBox::shown.
class DoublesEngineHost final : public EngineHost {
public:
    void showError(const std::string& message) override {
        ShowErrorMessage(QString::fromStdString(message));
    }
    [[noreturn]] void endProgram() override { Services().program->endAtOnce(1); }
    [[nodiscard]] std::string programFolder() const override {
        return Services().program->folder().toStdString();
    }
};

class PlatformDoubles {
public:
    PlatformDoubles() : saved_(Services()) {
        Services().messageBox = &messageBox;
        Services().clock = &clock;
        Services().program = &program;
        SetEngineHost(&engineHost);
    }
    ~PlatformDoubles() {
        Services() = saved_;
        SetEngineHost(nullptr);
    }
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;

    // Path of a file in the program's folder.
    [[nodiscard]] QString file(const QString& name) const { return QDir(program.folder()).filePath(name); }

    FakeMessageBox messageBox;
    FixedClock clock;
    FakeProgram program;
    DoublesEngineHost engineHost;

private:
    PlatformServices saved_;
};
