// The program: start-up, then the window events until the property list ends it.
#include "DesktopServices.h"
#include "Globals.h"
#include "ProgramParts.h"
#include "QtTranslation.h"
#include "mdlMainStart.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vanrek"));
    installDesktopServices();
    installQtTranslation();
    installProgramParts();

    switch (Main()) {
    case StartResult::AlreadyRunning:
        return 0;
    case StartResult::NoLock:
    case StartResult::NoDatabase:
        releaseGlobals();
        return 1;
    case StartResult::Started:
        break;
    }
    const int rc = QApplication::exec();
    EndMain();
    releaseGlobals();
    return rc;
}
