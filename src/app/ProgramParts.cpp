#include "ProgramParts.h"

#include "ActiveReport.h"
#include "PrinterSetupDialog.h"
#include "ReportPrinter.h"
#include "ShellHooks.h"
#include "cFileDlg.h"
#include "cFoldDlg.h"
#include "cPrinter.h"
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
    cPrinter::install();
    ReportPrinter::setSetupRunner(&PrinterSetupDialog::run);
    ActiveReport::setPdfChooser(&ActiveReport::pdfSaveDialog);
    cFileDlg::setChooser(&cFileDlg::fileDialog);
    cFoldDlg::setChooser(&cFoldDlg::folderDialog);
}
