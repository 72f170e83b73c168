#pragma once

// Sets an environment variable for the life of the object and restores it (or its absence).

#include <QByteArray>
#include <QtGlobal>

class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// The program started without any folder of the user's named, as for a service: HOME and the XDG
// folders unset, and on Windows no APPDATA.
class ScopedNoUserFolders {
public:
    ScopedNoUserFolders() = default;

private:
    ScopedEnvironment home_{"HOME", QByteArray()};
    ScopedEnvironment config_{"XDG_CONFIG_HOME", QByteArray()};
    ScopedEnvironment data_{"XDG_DATA_HOME", QByteArray()};
    ScopedEnvironment appData_{"APPDATA", QByteArray()};
};
