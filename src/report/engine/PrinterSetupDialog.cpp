#include "PrinterSetupDialog.h"

#include "PaperCodes.h"
#include "PrinterCatalog.h"
#include "Styling.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

QComboBox *listBox(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(24);
    return box;
}

void fill(QComboBox *box, const QList<PrinterCatalog::Entry> &entries, int code)
{
    box->clear();
    for (const PrinterCatalog::Entry &e : entries)
        box->addItem(e.name, e.code);
    box->setCurrentIndex(box->findData(code));
    box->setEnabled(box->count() > 0);
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(const ReportPrinter &start, const QString &acceptText, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PrinterSetupDialog"));
    setWindowTitle(QStringLiteral("プリンタの設定"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(gothicFont(9));

    m_printer = listBox(this, "cmbPrinter");
    m_size = listBox(this, "cmbSize");
    m_bin = listBox(this, "cmbBin");
    auto *direction = new QWidget(this);
    m_portrait = new QRadioButton(QStringLiteral("縦"), direction);
    m_portrait->setObjectName(QStringLiteral("optPortrait"));
    m_landscape = new QRadioButton(QStringLiteral("横"), direction);
    m_landscape->setObjectName(QStringLiteral("optLandscape"));
    auto *directionRow = new QHBoxLayout(direction);
    directionRow->setContentsMargins(0, 0, 0, 0);
    directionRow->addWidget(m_portrait);
    directionRow->addWidget(m_landscape);
    directionRow->addStretch();

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("プリンタ名"), m_printer);
    form->addRow(QStringLiteral("用紙サイズ"), m_size);
    form->addRow(QStringLiteral("給紙方法"), m_bin);
    form->addRow(QStringLiteral("印刷方向"), direction);

    auto *ok = new QPushButton(acceptText, this);
    ok->setObjectName(QStringLiteral("butOK"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    cancel->setObjectName(QStringLiteral("butCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *whole = new QVBoxLayout(this);
    whole->addLayout(form);
    whole->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    const PrinterCatalog &catalog = PrinterCatalog::current();
    m_printer->addItems(catalog.printerNames());
    QString device = catalog.installedName(start.DeviceName());
    if (device.isEmpty())
        device = catalog.defaultPrinterName();
    m_printer->setCurrentIndex(m_printer->findText(device));
    m_startPrinter = m_printer->currentText();
    m_startPaper = start.PaperSize();
    listPrinter(start.PaperSize(), start.PaperBin());
    (start.Orientation() == 2 ? m_landscape : m_portrait)->setChecked(true);
    connect(m_printer, &QComboBox::currentIndexChanged, this,
            [this] { listPrinter(m_size->currentData().toInt(), m_bin->currentData().toInt()); });
    m_printer->setFocus();
}

void PrinterSetupDialog::listPrinter(int paperSize, int paperBin)
{
    const PrinterCatalog &catalog = PrinterCatalog::current();
    const QString device = m_printer->currentText();
    QList<PrinterCatalog::Entry> sizes = catalog.paperSizes(device);
    const auto lists = [&sizes](int code) {
        return std::any_of(sizes.begin(), sizes.end(),
                           [code](const PrinterCatalog::Entry &e) { return e.code == code; });
    };
    // The paper the report is set to is applied as it is, offered or not (direct print and the
    // preview use it): on the printer the dialog starts with, it stays listed.
    if (device == m_startPrinter && !lists(m_startPaper)) {
        if (const auto kept = PaperCodes::pageSize(m_startPaper))
            sizes.append({m_startPaper, kept->name()});
    }
    // A paper this printer lacks gives way to the printer's own.
    const bool offered = lists(paperSize);
    fill(m_size, sizes, offered ? paperSize : PaperCodes::paperCode(catalog.defaultPageSize(device)));
    fill(m_bin, catalog.paperBins(device), paperBin);
}

ReportPrinter::SetupChoice PrinterSetupDialog::choice() const
{
    ReportPrinter::SetupChoice c;
    c.accepted = result() == QDialog::Accepted;
    c.device = m_printer->currentText();
    c.paperSize = m_size->currentData().toInt();
    c.orientation = m_landscape->isChecked() ? 2 : 1;
    c.paperBin = m_bin->currentData().toInt();
    return c;
}

ReportPrinter::SetupChoice PrinterSetupDialog::run(QWidget *owner, const ReportPrinter &start,
                                                   const QString &acceptText)
{
    PrinterSetupDialog dialog(start, acceptText, owner);
    dialog.exec();
    return dialog.choice();
}
