#pragma once

/// Plugs the parts built into this program into the shell's hooks: the plan window
/// (frmGraph), the parking and apartment entry forms and the printer-settings list; and
/// puts the print job (cPrinter) and the toolkit's dialogs behind the services that
/// open them (the printer set-up, the PDF file, the file and folder pickers).
/// Called once before Main(), by the program and by the test that drives it whole.
void installProgramParts();
