// Korinset: the editor of the holiday and era definition files.

#include "editor/main_window.h"
#include "platform/services.h"
#include "platform/window_system_choice.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    PreferXWaylandOnWayland();
    QApplication app(argc, argv);
    InstallRealServices(QStringLiteral("Korinset"));
    EditorMainWindow window;
    window.show();
    return QApplication::exec();
}
