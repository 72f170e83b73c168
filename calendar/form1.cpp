#include "calendar/form1.h"

#include <QMenu>
#include <QMenuBar>

Form1::Form1() : CalendarWindow(true) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("カレンダー"));
    // A fixed single border with a minimize box and no maximize box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    createCommands();
    QMenuBar* bar = menuBar();
    bar->setNativeMenuBar(false);
    bar->addAction(MNU_Exit);
    bar->addAction(MNU_ThisYM);
    MNU_Tool = bar->addMenu(QStringLiteral("ツール(&T)"));
    MNU_Tool->setObjectName(QStringLiteral("MNU_Tool"));
    MNU_Tool->addAction(MNU_Gengo);
    MNU_Tool->addAction(MNU_Calc_Days);
    MNU_Tool->addAction(makeSeparator("MNU_Pipe"));
    MNU_Tool->addAction(MNU_A_Top);
    MNU_Tool->addAction(makeSeparator("MNU_Pipe2"));
    MNU_Tool->addAction(MNU_Option);
}
