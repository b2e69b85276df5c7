#pragma once

#include "ReportPrinter.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

/// The printer set-up dialog ("プリンタの設定"): printer, paper size, paper source and
/// orientation at once, starting from a report printer's settings. It offers only the
/// papers and sources the printer settings can store (those with a driver code), so what
/// it answers can be shown again; a printer without sources shows that box disabled. The
/// paper it starts from stays listed on the printer it starts with, even where that printer
/// does not offer it, as a run applies it all the same. The accept button reads "OK", or
/// "印　刷" where accepting prints.
class PrinterSetupDialog : public QDialog
{
    Q_OBJECT

public:
    PrinterSetupDialog(const ReportPrinter &start, const QString &acceptText, QWidget *parent = nullptr);

    /// What the boxes show; accepted when the dialog was.
    ReportPrinter::SetupChoice choice() const;
    /// Shows the dialog modally and returns its choice: the report printer's set-up
    /// dialog as the program installs it (ReportPrinter::setSetupRunner).
    static ReportPrinter::SetupChoice run(QWidget *owner, const ReportPrinter &start, const QString &acceptText);

private:
    /// Lists the printer's papers and sources, keeping the codes chosen where it has them.
    void listPrinter(int paperSize, int paperBin);

    QComboBox *m_printer = nullptr;
    QComboBox *m_size = nullptr;
    QComboBox *m_bin = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QString m_startPrinter;
    int m_startPaper = 0;
};
