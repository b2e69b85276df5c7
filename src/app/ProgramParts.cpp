#include "ProgramParts.h"

#include "ShellHooks.h"
#include "frmGraph.h"
#include "frmInputApartment.h"
#include "frmInputParking.h"
#include "frmSysPrintList.h"
#include "mdlMain.h"

void installProgramParts()
{
    ShellHooks::setPlanWindowFactory([] { return new frmGraph; });
    frmInputParking::install();
    frmInputApartment::install();
    ShellHooks::setPrinterSettings([](QWidget *owner) {
        frmSysPrintList list(AppPath(), owner);
        list.exec();
    });
}
