#pragma once

// Shared pieces of the benchmarks of the real windows: the platform doubles over the shipped
// definition files, and a main that runs the benchmarks inside a QApplication.

#include "tests/support/platform_doubles.h"

#include <QApplication>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <functional>
#include <memory>

// Platform doubles whose program folder holds the shipped definition files; aborts when a file
// cannot be copied, since every measurement would then be of something else.
inline std::unique_ptr<PlatformDoubles> DoublesWithShippedFiles() {
    auto doubles = std::make_unique<PlatformDoubles>();
    for (const char* name : {"Korin1.csv", "Korin2.csv"}) {
        const QString file = QString::fromLatin1(name);
        if (!QFile::copy(QStringLiteral(ZELVAR_SOURCE_DIR "/data/") + file, doubles->file(file))) {
            std::abort();
        }
    }
    return doubles;
}

// Runs the benchmarks named on the command line inside a QApplication, on the offscreen platform
// unless QT_QPA_PLATFORM names another. `beforeQuit` ends what the benchmarks left open while
// the application still runs.
inline int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& beforeQuit) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    beforeQuit();
    return 0;
}
