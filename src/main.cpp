// The program: start-up, then the window events until the property list ends it.
#include "DesktopServices.h"
#include "Globals.h"
#include "QtTranslation.h"
#include "ShellHooks.h"
#include "frmGraph.h"
#include "frmInputApartment.h"
#include "frmInputParking.h"
#include "frmSysPrintList.h"
#include "mdlMain.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vanrek"));
    installDesktopServices();
    installQtTranslation();
    // The plan entry forms, the plan windows and the printer settings register
    // themselves here with ShellHooks as they are built into the program.
    ShellHooks::setPlanWindowFactory([] { return new frmGraph; });
    frmInputParking::install();
    frmInputApartment::install();
    ShellHooks::setPrinterSettings([](QWidget *owner) {
        frmSysPrintList list(AppPath(), owner);
        list.exec();
    });

    switch (Main()) {
    case StartResult::AlreadyRunning:
        return 0;
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
