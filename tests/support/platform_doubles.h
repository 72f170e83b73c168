#pragma once

// Test doubles of the platform services. PlatformDoubles installs all of them (and an engine host
// over them) for the lifetime of the object and restores what was installed before.

#include "platform/color_chooser.h"
#include "platform/colors.h"
#include "platform/file_locations.h"
#include "platform/ini_file.h"
#include "platform/instance_lock.h"
#include "platform/platform_id.h"
#include "platform/services.h"
#include "platform/system_metrics.h"
#include "platform/tray_icon.h"
#include "platform/window_styles.h"
#include "recording_host.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QWidget>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <optional>
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
    [[noreturn]] void endProgram() override {
        Services().program->endAtOnce(1);
        std::abort(); // not reached: FakeProgram throws
    }
    [[nodiscard]] std::string programFolder() const override {
        return Services().program->folder().toStdString();
    }
    [[nodiscard]] std::string definitionFileToRead(const std::string& fileName) const override {
        return ProgramDefinitionFileToRead(fileName);
    }
    [[nodiscard]] std::string definitionFileToWrite(const std::string& fileName) const override {
        return ProgramDefinitionFileToWrite(fileName);
    }
    [[nodiscard]] WriteResult replaceFile(const std::string& path,
                                          std::string_view bytes) override {
        return ReplaceProgramFile(path, bytes);
    }
};

// The real initialization files, with writes that can be made to fail (failWrites) and a record
// of every write asked for.
class FakeIniFiles final : public IniFileService {
public:
    struct Write {
        QString path, section, key, value;
    };
    [[nodiscard]] IniRefusal refusal(const QString& path) const override {
        return real.refusal(path);
    }
    [[nodiscard]] std::int32_t readInt(const QString& path, const QString& section,
                                       const QString& key,
                                       std::int32_t defaultValue) const override {
        return real.readInt(path, section, key, defaultValue);
    }
    [[nodiscard]] QString readString(const QString& path, const QString& section,
                                     const QString& key, const QString& defaultValue,
                                     int bufferSize) const override {
        return real.readString(path, section, key, defaultValue, bufferSize);
    }
    [[nodiscard]] WriteResult writeString(const QString& path, const QString& section,
                                          const QString& key, const QString& value) override {
        writes.push_back({path, section, key, value});
        if (failWrites) {
            return WriteResult::failed(EIO);
        }
        return real.writeString(path, section, key, value);
    }
    IniFiles real;
    bool failWrites =
        false; // every write fails (EIO, without path or words) and leaves the file alone
    std::vector<Write> writes;
};

// Another copy of the program runs while otherCopyRunning is true.
class FakeInstance final : public InstanceService {
public:
    [[nodiscard]] bool acquire() override {
        ++acquireCalls;
        if (otherCopyRunning) {
            return false;
        }
        held = true;
        return true;
    }
    void release() override { held = false; }
    bool otherCopyRunning = false;
    bool held = false;
    int acquireCalls = 0;
};

// The classic 96-dpi metrics on a 1024 × 768 screen; any metric can be set.
class FakeSystemMetrics final : public SystemMetricsService {
public:
    [[nodiscard]] int metric(Metric which) const override {
        // Without an override, the classic desktop: a screen of 1024 x 768 pixels at 0, 0.
        auto it = values.find(which);
        return it != values.end() ? it->second : ClassicMetric(which);
    }
    [[nodiscard]] int twipsPerPixelX() const override { return twipsX; }
    [[nodiscard]] int twipsPerPixelY() const override { return twipsY; }
    std::map<Metric, int> values; // overrides
    int twipsX = 15;
    int twipsY = 15;
};

class FakePlatformId final : public PlatformIdService {
public:
    [[nodiscard]] std::int16_t platformId() const override { return id; }
    std::int16_t id = 2;
};

// Records the styles asked for per window; a system move is refused unless systemMoveWorks.
class FakeWindowStyles final : public WindowStyleService {
public:
    void setTopmost(QWidget* window, bool on) override {
        topmostCalls.emplace_back(window, on);
        topmost[window] = on;
    }
    [[nodiscard]] bool isTopmost(const QWidget* window) const override {
        auto it = topmost.find(window);
        return it != topmost.end() && it->second;
    }
    int setTaskbarButton(QWidget* window, int mode) override {
        taskbarCalls.emplace_back(window, mode);
        if (window == nullptr) {
            return -1;
        }
        const bool had = hasTaskbarButton(window);
        if (mode == -1 || mode == 0) {
            taskbar[window] = mode == -1;
        }
        return had ? 1 : 0;
    }
    // Until a button is asked for or taken away, a window has one as the real service sees it:
    // an ordinary window has one, a tool window (FramelessCalendarWindow) has none.
    [[nodiscard]] bool hasTaskbarButton(const QWidget* window) const override {
        auto it = taskbar.find(window);
        if (it == taskbar.end()) {
            return window != nullptr && window->windowType() == Qt::Window;
        }
        return it->second;
    }
    void setColorKey(QWidget* window, std::optional<QColor> key) override {
        colorKeys[window] = key;
    }
    bool startSystemMove(QWidget* window) override {
        ++systemMoveCalls;
        (void)window;
        return systemMoveWorks;
    }
    std::map<const QWidget*, bool> topmost;
    std::map<const QWidget*, bool> taskbar;
    std::map<const QWidget*, std::optional<QColor>> colorKeys;
    std::vector<std::pair<QWidget*, bool>> topmostCalls;
    std::vector<std::pair<QWidget*, int>> taskbarCalls;
    bool systemMoveWorks = false;
    int systemMoveCalls = 0;
};

// Answers from a queue (cancel, −1, when it is empty) and records each request.
class FakeColorChooser final : public ColorChooserService {
public:
    struct Request {
        QWidget* owner;
        std::int32_t initial;
    };
    [[nodiscard]] std::int32_t choose(QWidget* owner, std::int32_t initial) override {
        requests.push_back({owner, initial});
        if (answers.empty()) {
            return -1;
        }
        const std::int32_t answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::int32_t> answers;
    std::vector<Request> requests;
};

// Answers each request from its queue (Success when it is empty), records every call, and lets a
// test press the mouse buttons on the icon.
class FakeTrayIcon final : public TrayIconService {
public:
    struct Call {
        TrayRequest request;
        QString tip;
    };
    TrayAnswer call(TrayRequest request, const QString& tip, const QIcon& icon) override {
        (void)icon;
        calls.push_back({request, tip});
        std::deque<TrayAnswer>& queue = answers[request];
        TrayAnswer answer = TrayAnswer::Success;
        if (!queue.empty()) {
            answer = queue.front();
            queue.pop_front();
        }
        if (answer == TrayAnswer::Success) {
            shown = request != TrayRequest::Delete;
        }
        return answer;
    }
    [[nodiscard]] bool isShown() const override { return shown; }
    void pressLeft(QPoint globalPos = {}) { emit leftButtonDown(globalPos); }
    void pressRight(QPoint globalPos = {}) { emit rightButtonDown(globalPos); }
    // Number of calls of one kind.
    [[nodiscard]] int count(TrayRequest request) const {
        int n = 0;
        for (const Call& c : calls) {
            n += c.request == request ? 1 : 0;
        }
        return n;
    }
    std::map<TrayRequest, std::deque<TrayAnswer>> answers;
    std::vector<Call> calls;
    bool shown = false;
};

class PlatformDoubles {
public:
    PlatformDoubles() : saved_(Services()) {
        Services().messageBox = &messageBox;
        Services().clock = &clock;
        Services().program = &program;
        Services().iniFiles = &iniFiles;
        Services().instance = &instance;
        Services().metrics = &metrics;
        Services().platformId = &platformId;
        Services().windowStyles = &windowStyles;
        Services().colorChooser = &colorChooser;
        Services().trayIcon = &trayIcon;
        FindProgramFileLocations();
        SetEngineHost(&engineHost);
    }
    ~PlatformDoubles() {
        Services() = saved_;
        SetEngineHost(nullptr);
    }
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;

    // Path of a file in the program's folder.
    [[nodiscard]] QString file(const QString& name) const {
        return QDir(program.folder()).filePath(name);
    }

    // Marks the program's folder as shared by its users (SharedFolderMarker in it), so that the
    // programs keep the files they write in the user's own folders, and finds the locations
    // again; false when the marker cannot be made.
    [[nodiscard]] bool shareProgramFolder() const {
        QFile marker(file(QString::fromLatin1(SharedFolderMarker)));
        const bool made = marker.open(QIODevice::WriteOnly);
        FindProgramFileLocations();
        return made;
    }

    // Finds the program's file locations again, as a program starting now would: after a test
    // changed the user's environment.
    void findFileLocations() const { FindProgramFileLocations(); }

    FakeMessageBox messageBox;
    FixedClock clock;
    FakeProgram program;
    FakeIniFiles iniFiles;
    FakeInstance instance;
    FakeSystemMetrics metrics;
    FakePlatformId platformId;
    FakeWindowStyles windowStyles;
    FakeColorChooser colorChooser;
    FakeTrayIcon trayIcon;
    DoublesEngineHost engineHost;

private:
    PlatformServices saved_;
};
