#include "frmSysPrintDtl.h"

#include "FormButtons.h"
#include "FormControls.h"
#include "FormTrap.h"
#include "Globals.h"
#include "ImText.h"
#include "LineButton.h"
#include "MsgBox.h"
#include "PrinterCatalog.h"
#include "PrinterSettingStore.h"
#include "ReportPrinter.h"
#include "StoredValue.h"
#include "Styling.h"
#include "VbControl.h"
#include "cApl.h"
#include "cAreport.h"
#include "cBase.h"
#include "cCtrls.h"
#include "cDao.h"
#include "cFoldDlg.h"
#include "cFrmCtrl.h"
#include "cIni.h"
#include "cPrinter.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace
{

const QString kObject = QStringLiteral("frmSysPrintDtl");
const FormTrap trap(kObject);
const QString kSaveFailed = QStringLiteral("データ保存失敗");

// Layout in twips: a caption column and an input column.
constexpr int kLabelLeft = 240;
constexpr int kLabelWidth = 1215;
constexpr int kInputLeft = 1560;
constexpr int kInputWidth = 4320;
constexpr int kRowTop = 240;
constexpr int kRowStep = 420;
constexpr int kRowHeight = 330;
constexpr int kPickerWidth = 345;

/// Runs one step whose failure only means the step is skipped.
template <class F> void ignoreErrors(F &&step)
{
    try {
        step();
    } catch (...) {
    }
}

bool isUserMove(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

} // namespace

frmSysPrintDtl::frmSysPrintDtl(const QString &appFolder, QWidget *parent) : QDialog(parent), m_appFolder(appFolder)
{
    setObjectName(kObject);
    setWindowTitle(QStringLiteral("プリンタ設定"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(gothicFont(9));
    buildControls();
    trap("Form_Load", [this] { Form_Load(); });
}

frmSysPrintDtl::~frmSysPrintDtl()
{
    Form_Unload();
}

void frmSysPrintDtl::buildControls()
{
    int row = 0;
    const auto caption = [this, &row](const char *name, const QString &text) {
        QLabel *label = FormControls::label(this, QString::fromLatin1(name), text, kLabelLeft, kRowTop + row * kRowStep,
                                            kLabelWidth, kRowHeight);
        label->setIndent(twipsToPixelsX(60));
        return label;
    };
    const auto combo = [this, &row](const char *name, bool editable, int width = kInputWidth) {
        auto *box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setEditable(editable);
        if (editable) {
            // Typed text stays as typed: no completion, nothing added to the list.
            box->setInsertPolicy(QComboBox::NoInsert);
            box->setCompleter(nullptr);
        }
        FormControls::place(box, kInputLeft, kRowTop + row * kRowStep, width, kRowHeight);
        return box;
    };
    const auto picker = [this, &row](const char *name) {
        auto *button = new QPushButton(QStringLiteral("..."), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        FormControls::place(button, kInputLeft + kInputWidth - kPickerWidth, kRowTop + row * kRowStep, kPickerWidth,
                            kRowHeight);
        return button;
    };

    caption("labReport", QStringLiteral("帳票名"));
    cmbReport = combo("cmbReport", true);
    ++row;
    caption("labPrint", QStringLiteral("プリンタ名"));
    cmbPrint = combo("cmbPrint", true, kInputWidth - kPickerWidth - 45);
    butPrint = picker("butPrint");
    ++row;
    caption("labPort", QStringLiteral("使用ポート"));
    cmbPort = combo("cmbPort", true, kInputWidth - kPickerWidth - 45);
    butPort = picker("butPort");
    ++row;
    caption("labSize", QStringLiteral("用紙サイズ"));
    cmbSize = combo("cmbSize", false);
    ++row;
    labDirect = caption("labDirect", QStringLiteral("印刷方向"));
    picDirect = new QWidget(this);
    picDirect->setObjectName(QStringLiteral("picDirect"));
    FormControls::place(picDirect, kInputLeft, kRowTop + row * kRowStep, kInputWidth, kRowHeight);
    for (int i = 0; i < 2; ++i) {
        optDirect[i] = new QRadioButton(i == 0 ? QStringLiteral("縦") : QStringLiteral("横"), picDirect);
        optDirect[i]->setObjectName(QStringLiteral("optDirect"));
        optDirect[i]->setProperty("index", i);
        FormControls::place(optDirect[i], 60 + i * 1080, 0, 900, kRowHeight);
        optDirect[i]->installEventFilter(this);
    }
    ++row;
    caption("labBin", QStringLiteral("給紙方法"));
    cmbBin = combo("cmbBin", false);
    ++row;
    caption("labMode", QStringLiteral("印刷設定"));
    cmbMode = combo("cmbMode", false);
    ++row;
    caption("labKind", QStringLiteral("印刷区分"));
    cmbKind = combo("cmbKind", false);
    ++row;
    caption("labBikou", QStringLiteral("備考"));
    txtBikou = new ImText(this);
    txtBikou->setObjectName(QStringLiteral("txtBikou"));
    FormControls::place(txtBikou, kInputLeft, kRowTop + row * kRowStep, kInputWidth, kRowHeight);
    ++row;

    const int buttonsTop = kRowTop + row * kRowStep + 120;
    lbutEntry =
        qobject_cast<LineButton *>(FormButtons::create(this, QStringLiteral("lbutEntry"), QStringLiteral("登　録")));
    lbutClose = FormButtons::create(this, QStringLiteral("lbutClose"), QStringLiteral("閉じる"));
    const int right = kInputLeft + kInputWidth;
    FormControls::place(lbutClose, right - 1215, buttonsTop, 1215, 420);
    FormControls::place(lbutEntry, right - 2 * 1215 - 90, buttonsTop, 1215, 420);
    setFixedSize(twipsToPixelsX(right + kLabelLeft), twipsToPixelsY(buttonsTop + 420 + 240));

    FormControls::tabOrder({cmbReport, cmbPrint, butPrint, cmbPort, butPort, cmbSize, optDirect[0], optDirect[1],
                            cmbBin, cmbMode, cmbKind, txtBikou, lbutEntry, lbutClose});

    cmbPrint->installEventFilter(this);
    FormButtons::onClick(lbutEntry, this, [this] { trap("lbutEntry_Click", [this] { lbutEntry_Click(); }); });
    FormButtons::onClick(lbutClose, this, [this] {
        // An error while closing leaves the window as it is.
        trap("lbutClose_Click", [this] { close(); });
    });
    connect(butPrint, &QPushButton::clicked, this, [this] { trap("butPrint_Click", [this] { butPrint_Click(); }); });
    connect(butPort, &QPushButton::clicked, this, [this] { trap("butPort_Click", [this] { butPort_Click(); }); });

    const auto choice = [this](QComboBox *box, int16_t *code, const char *procedure) {
        connect(box, &QComboBox::activated, this, [this, box, code, procedure](int index) {
            trap(procedure, [&] {
                if (code)
                    *code = base().CvtInt(box->itemData(index));
                m_changed = true;
            });
        });
    };
    choice(cmbSize, &m_paperSize, "cmbSize_Click");
    choice(cmbBin, &m_paperBin, "cmbBin_Click");
    choice(cmbMode, &m_printMode, "cmbMode_Click");
    choice(cmbKind, &m_kind, "cmbKind_Click");
    choice(cmbPort, nullptr, "cmbPort_Click");
    for (int i = 0; i < 2; ++i)
        connect(optDirect[i], &QRadioButton::clicked, this, [this, i] {
            trap("optDirect_Click", [this, i] {
                m_direct = i == 1 ? 2 : 1;
                m_changed = true;
            });
        });
}

void frmSysPrintDtl::Form_Load()
{
    VbControl::setKeyPreview(this, true);
    m_ctrl = new cFrmCtrl(this);
    m_ctrl->ControlForm(this);
    m_ctrl->DataClear();
    SetInputCtrlStyle(this);
    trap("SetControlsColor", [this] { SetControlsColor(); });
    trap("InitCombo", [this] { InitCombo(); });
}

void frmSysPrintDtl::SetControlsColor()
{
    const std::pair<QWidget *, const char *> pairs[] = {
        {cmbReport, "labReport"}, {cmbPrint, "labPrint"},      {cmbPort, "labPort"},
        {cmbSize, "labSize"},     {optDirect[0], "labDirect"}, {optDirect[1], "labDirect"},
        {cmbBin, "labBin"},       {cmbMode, "labMode"},        {cmbKind, "labKind"}};
    for (const auto &[control, label] : pairs)
        if (cCtrls *item = m_ctrl->ControlItem(control))
            item->setCaption(findChild<QLabel *>(QString::fromLatin1(label)));
    m_ctrl->RestCaptionControl();
    m_ctrl->CaptionBackVisible(true);
    m_ctrl->FormCaptionsColor(1);
    gApl().SetButLineColor(lbutClose, cApl::Exit);
    gApl().SetButLineColor(lbutEntry, cApl::New);
}

void frmSysPrintDtl::InitCombo()
{
    for (QComboBox *box : {cmbPrint, cmbPort, cmbSize, cmbBin, cmbMode, cmbKind})
        box->clear();
    LoadReportNames(cmbReport);
    areport().SetPrinterCombo(cmbPrint);
    listPaperBins(cmbPrint->currentText());
    AddComboItem(cmbMode, 0, QStringLiteral("選択(印刷/プレビュー)"));
    AddComboItem(cmbMode, 1, QStringLiteral("印刷"));
    AddComboItem(cmbMode, 2, QStringLiteral("プレビュー"));
    AddComboItem(cmbMode, 9, QStringLiteral("確認なし"));
    cmbMode->setCurrentIndex(-1);
}

void frmSysPrintDtl::LoadReportNames(QComboBox *combo)
{
    cIni ini;
    ini.setPro_IniPath(QDir(m_appFolder).filePath(QStringLiteral("Vanrek.ini")));
    combo->clear();
    AddComboItem(combo, 0, cPrinter::StandardReportName);
    for (int n = 1;; ++n) {
        const QString key = QStringLiteral("ReportName") + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        const QString value = ini.GetSetIniStr(QStringLiteral("ReportNames"), key, QString());
        if (value.isEmpty())
            break;
        AddComboItem(combo, n, base().PickString(value, 1, 50));
    }
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

void frmSysPrintDtl::SetData(int32_t ID, bool IsEdit, int16_t OsFlag)
{
    if (IsEdit) {
        setWindowTitle(QStringLiteral("プリンタ設定 [詳細]"));
        m_isEdit = true;
        const bool nt = OsFlag == 1;
        DaoRows rs;
        // A row that cannot be read leaves the controls cleared; the log says why.
        trap("SetData", [&] { rs = PrinterSettingStore::row(ID); });
        const auto field = [&rs](const QString &name) { return rs.value(0, name); };
        ignoreErrors([&] {
            m_recordID = base().CvtLng(field(QStringLiteral("ID")));
            m_loadedReport = base().CvtStr(field(QStringLiteral("ReportName")));
            setComboText(cmbReport, m_loadedReport);
        });
        ignoreErrors([&] {
            m_currentPrinter =
                base().CvtStr(field(nt ? QStringLiteral("PrinterNameNT") : QStringLiteral("PrinterName9x")));
            if (const QString listed = listedPrinter(m_currentPrinter); !listed.isEmpty())
                m_currentPrinter = listed;
            setComboText(cmbPrint, m_currentPrinter);
        });
        ignoreErrors([&] {
            areport().SetPortCombo(cmbPort, m_currentPrinter);
            areport().SetPaperSizeCombo(cmbSize, m_currentPrinter);
            setComboText(cmbPort,
                         base().CvtStr(field(nt ? QStringLiteral("PrinterPortNT") : QStringLiteral("PrinterPort9x"))));
        });
        ignoreErrors([&] {
            m_paperSize = base().CvtInt(field(QStringLiteral("PaperSize")));
            setComboText(cmbSize, GetComboTextByData(cmbSize, m_paperSize));
        });
        ignoreErrors([&] { selectDirect(base().CvtInt(field(QStringLiteral("PaperDirect"))) == 2 ? 2 : 1); });
        ignoreErrors([&] {
            m_paperBin = base().CvtInt(field(QStringLiteral("PaperBin")));
            listPaperBins(m_currentPrinter);
            setComboText(cmbBin, GetComboTextByData(cmbBin, m_paperBin));
        });
        ignoreErrors([&] {
            m_printMode = base().CvtInt(field(QStringLiteral("PrintMode")));
            setComboText(cmbMode, GetComboTextByData(cmbMode, m_printMode));
        });
        ignoreErrors([&] { txtBikou->setText(base().CvtStr(field(QStringLiteral("Memo")))); });
        ignoreErrors([&] {
            if (cCtrls *item = m_ctrl->ControlItem(cmbReport))
                item->setStyle(3);
            lbutEntry->setCaption(QStringLiteral("更　新"));
            gApl().SetButLineColor(lbutEntry, cApl::Add);
        });
    } else {
        setWindowTitle(QStringLiteral("プリンタ設定 [新規]"));
        m_isEdit = false;
        ignoreErrors([&] { resetNewEntry(); });
        ignoreErrors([&] {
            if (cCtrls *item = m_ctrl->ControlItem(cmbReport))
                item->setStyle(4);
            lbutEntry->setCaption(QStringLiteral("追　加"));
            gApl().SetButLineColor(lbutEntry, cApl::New);
        });
    }
    m_osFlag = OsFlag;
    ResetChangeFlags();
}

void frmSysPrintDtl::resetNewEntry()
{
    m_loadedReport.clear();
    m_currentPrinter.clear();
    m_paperSize = 0;
    m_direct = 1;
    m_paperBin = 0;
    m_printMode = 0;
    m_kind = 0;
    // The lists keep their items but show no choice: the codes are back at 0.
    for (QComboBox *box : {cmbSize, cmbBin, cmbKind})
        box->setCurrentIndex(-1);
    selectDirect(1);
    cmbMode->setCurrentIndex(0);
}

void frmSysPrintDtl::selectDirect(int16_t orientation)
{
    m_direct = orientation == 2 ? 2 : 1;
    optDirect[m_direct == 2 ? 1 : 0]->setChecked(true);
}

void frmSysPrintDtl::ResetChangeFlags()
{
    if (m_ctrl)
        m_ctrl->FlagClear();
    m_changed = false;
}

bool frmSysPrintDtl::cmbPrint_Validate()
{
    const QString text = cmbPrint->currentText();
    // Queue names are one name in any letter case: the box takes the installed spelling.
    const QString listed = listedPrinter(text);
    if (!listed.isEmpty() && listed != text)
        setComboText(cmbPrint, listed);
    if (text.isEmpty() || text.compare(m_currentPrinter, Qt::CaseInsensitive) == 0)
        return true;
    if (listed.isEmpty()) {
        MsgBox::show(QStringLiteral("プリンタが見つかりません。"), MsgBox::Exclamation, windowTitle(), this);
        return false;
    }
    m_currentPrinter = listed;
    areport().SetPortCombo(cmbPort, listed);
    areport().SetPaperSizeCombo(cmbSize, listed);
    listPaperBins(listed);
    return true;
}

QString frmSysPrintDtl::listedPrinter(const QString &text) const
{
    for (int i = 0; i < cmbPrint->count(); ++i)
        if (cmbPrint->itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return cmbPrint->itemText(i);
    return QString();
}

void frmSysPrintDtl::listPaperBins(const QString &printer)
{
    areport().SetPaperBinCombo(cmbBin, printer);
    // Nothing to choose from: the box says so, and the stored bin stays as it is.
    cmbBin->setEnabled(cmbBin->count() > 0);
}

void frmSysPrintDtl::butPrint_Click()
{
    if (PrinterCatalog::current().isEmpty()) {
        MsgBox::show(QStringLiteral("プリンタが見つかりません。"), MsgBox::Exclamation, windowTitle(), this);
        return;
    }
    // The dialog starts from what the window shows.
    ReportPrinter printer;
    if (PrinterCatalog::current().hasPrinter(m_currentPrinter))
        ignoreErrors([&] { printer.setDeviceName(m_currentPrinter); });
    printer.setPaperSize(m_paperSize);
    printer.setOrientation(m_direct == 2 ? 2 : 1);
    printer.setPaperBin(m_paperBin);
    ReportPrinter::SetupChoice choice;
    ignoreErrors([&] { choice = printer.SetupDialog(this); });
    if (!choice.accepted)
        return;
    ignoreErrors([&] {
        setComboText(cmbPrint, choice.device);
        cmbPrint_Validate();
    });
    ignoreErrors([&] { setComboText(cmbPort, PrinterCatalog::current().ports(choice.device).value(0)); });
    // A code is stored only when its list shows it: otherwise the one before stays.
    ignoreErrors([&] {
        areport().SetPaperSizeCombo(cmbSize, m_currentPrinter);
        if (choice.paperSize != 0 && FindComboIndexByData(cmbSize, choice.paperSize) >= 0)
            m_paperSize = int16_t(choice.paperSize);
        else if (choice.paperSize != m_paperSize)
            MsgBox::show(QStringLiteral("選択された用紙サイズは登録できません。\r\n用紙サイズは変更しません。"),
                         MsgBox::Exclamation, windowTitle(), this);
        setComboText(cmbSize, GetComboTextByData(cmbSize, m_paperSize));
    });
    ignoreErrors([&] { selectDirect(choice.orientation == 2 ? 2 : 1); });
    ignoreErrors([&] {
        listPaperBins(m_currentPrinter);
        if (choice.paperBin != 0 && FindComboIndexByData(cmbBin, choice.paperBin) >= 0)
            m_paperBin = int16_t(choice.paperBin);
        setComboText(cmbBin, GetComboTextByData(cmbBin, m_paperBin));
    });
    // The print mode is no printer setting: its box keeps showing the mode chosen.
    m_changed = true;
}

void frmSysPrintDtl::butPort_Click()
{
    cFoldDlg picker;
    QString path;
    ignoreErrors([&] {
        path = picker.SelectFolderDialog(this, 18, QStringLiteral("プリンタを選択して下さい。"),
                                         cFoldDlg::BrowseForPrinter, QString());
    });
    if (!path.isEmpty()) {
        setComboText(cmbPort, path);
        cmbSize->setFocus(Qt::OtherFocusReason);
    } else {
        cmbPort->setFocus(Qt::OtherFocusReason);
    }
}

void frmSysPrintDtl::lbutEntry_Click()
{
    if (!SaveRecord())
        return;
    if (m_isEdit) {
        ResetChangeFlags();
        close();
        return;
    }
    m_ctrl->DataClear();
    resetNewEntry();
    ResetChangeFlags();
    m_ctrl->SetForcusTopControl();
}

bool frmSysPrintDtl::CheckInputValue()
{
    const QString name = cmbReport->currentText();
    if (base().StrLen(name) == 0) {
        MsgBox::show(QStringLiteral("帳票名が入力されていません。"), MsgBox::Critical, QStringLiteral("入力エラー"),
                     this);
        cmbReport->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!m_isEdit) {
        // Names are stored trimmed, so the one typed is compared trimmed.
        bool read = false;
        const QVariant found =
            gDao().Lookup(QStringLiteral("m_printer"), QStringLiteral("ReportName"),
                          QStringLiteral("ReportName=") + base().CvtSQL(name, cBase::SqlText), &read);
        // A name that could not be looked up may be taken: nothing guards the table against a second row.
        if (!read) {
            tellSaveFailure("CheckInputValue", gDao().lastError(), gDao().lastErrorLogText());
            cmbReport->setFocus(Qt::OtherFocusReason);
            return false;
        }
        if (base().CvtStr(found) == base().CvtStr(name)) {
            MsgBox::show(QStringLiteral("入力した帳票名は登録済みです。"), MsgBox::Critical,
                         QStringLiteral("入力エラー"), this);
            cmbReport->setFocus(Qt::OtherFocusReason);
            return false;
        }
    }
    return true;
}

bool frmSysPrintDtl::SaveRecord()
{
    if (!m_ctrl->DataChanged() && !m_changed)
        return true;
    if (!CheckInputValue())
        return false;
    try {
        const bool nt = m_osFlag == 1;
        const QStringList fields = {QStringLiteral("ReportName"),
                                    nt ? QStringLiteral("PrinterNameNT") : QStringLiteral("PrinterName9x"),
                                    nt ? QStringLiteral("PrinterPortNT") : QStringLiteral("PrinterPort9x"),
                                    QStringLiteral("PaperSize"),
                                    QStringLiteral("PaperDirect"),
                                    QStringLiteral("PaperBin"),
                                    QStringLiteral("PrintMode"),
                                    QStringLiteral("Memo"),
                                    QStringLiteral("Kind")};
        // Codes as 16-bit values when a row is edited, as 32-bit ones when it is new.
        const cBase &b = base();
        const auto code = [&](int value) { return m_isEdit ? QVariant(b.CvtInt(value)) : QVariant(b.CvtLng(value)); };
        const auto text = [](const QString &value) { return storedValue(value, cBase::SqlText); };
        const QString listed = listedPrinter(cmbPrint->currentText());
        QVariantList values = {text(cmbReport->currentText()),
                               text(listed.isEmpty() ? cmbPrint->currentText() : listed),
                               text(cmbPort->currentText()),
                               code(m_paperSize),
                               code(m_direct),
                               code(m_paperBin),
                               code(m_printMode),
                               text(txtBikou->text()),
                               code(1)};
        QString sql;
        if (m_isEdit) {
            sql = QStringLiteral("UPDATE ") + QStringLiteral("m_printer") + QStringLiteral(" SET");
            for (int i = 0; i < fields.size(); ++i)
                sql += (i == 0 ? QStringLiteral(" ") : QStringLiteral(",")) + fields[i] + QStringLiteral("=?");
            sql += QStringLiteral(" WHERE ") + QStringLiteral("ID") + QStringLiteral("=?");
            values << m_recordID;
        } else {
            const int id = PrinterSettingStore::nextID();
            if (id > PrinterSettingStore::MaxID) {
                MsgBox::show(QStringLiteral("プリンタ設定の登録件数が上限に達しました。"), MsgBox::Critical,
                             kSaveFailed, this);
                return false;
            }
            sql = QStringLiteral("INSERT INTO ") + QStringLiteral("m_printer") + QStringLiteral(" ") +
                  QStringLiteral("(") + QStringLiteral("ID") + QStringLiteral(",") + fields.join(QLatin1Char(',')) +
                  QStringLiteral(") VALUES ") + QStringLiteral("(?") + QStringLiteral(",?").repeated(fields.size()) +
                  QStringLiteral(")");
            values.prepend(id);
        }
        return PrinterSettingStore::write(sql, values) >= 1;
    } catch (const std::exception &e) {
        // A failed statement is a failure: rolled back, and the user is told why.
        tellSaveFailure("SaveRecord", QString::fromUtf8(e.what()), errorLogText(e));
        return false;
    }
}

void frmSysPrintDtl::tellSaveFailure(const char *procedure, const QString &text, const QString &logText)
{
    writeErrLog(logText, kObject, QString::fromLatin1(procedure));
    MsgBox::show(text, MsgBox::Critical, kSaveFailed, this);
}

void frmSysPrintDtl::RequestDelete()
{
    bool cancel = false;
    Q_EMIT DeleteData(cancel);
    if (cancel)
        return;
    m_ctrl->DataClear();
    ResetChangeFlags();
    close();
}

bool frmSysPrintDtl::Form_QueryUnload()
{
    if (!(m_ctrl && m_ctrl->DataChanged()) && !m_changed)
        return true;
    return MsgBox::show(QStringLiteral("破棄して終了しますか。"),
                        MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2, QStringLiteral("破棄確認"),
                        this) == MsgBox::Yes;
}

void frmSysPrintDtl::reject()
{
    // Esc closes as the close button does: typed input is not dropped without asking.
    close();
}

void frmSysPrintDtl::closeEvent(QCloseEvent *event)
{
    bool goOn = true;
    trap("Form_QueryUnload", [this, &goOn] { goOn = Form_QueryUnload(); });
    if (!goOn) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    done(QDialog::Rejected);
    m_closing = false;
}

void frmSysPrintDtl::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    trap("Form_Unload", [this] {
        m_areport.reset();
        if (m_ctrl) {
            m_ctrl->TerminateControls();
            delete m_ctrl;
            m_ctrl = nullptr;
        }
        m_base.reset();
    });
}

bool frmSysPrintDtl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmbPrint && event->type() == QEvent::FocusOut && !m_validating && !m_closing && isVisible() &&
        isUserMove(static_cast<QFocusEvent *>(event)->reason())) {
        m_validating = true;
        bool accepted = true;
        trap("cmbPrint_Validate", [this, &accepted] { accepted = cmbPrint_Validate(); });
        m_validating = false;
        if (!accepted)
            QTimer::singleShot(0, cmbPrint, [this] { cmbPrint->setFocus(Qt::OtherFocusReason); });
    }
    for (int i = 0; i < 2; ++i) {
        if (watched != optDirect[i] || !m_ctrl)
            continue;
        // Options of an array colour their caption themselves.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
            const int state = event->type() == QEvent::FocusIn ? 2 : 1;
            trap(i == 0 ? "optDirect_GotFocus" : "optDirect_LostFocus", [this, i, state] {
                if (cCtrls *item = m_ctrl->ControlItem(optDirect[i]))
                    item->CaptionColor(state);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

cAreport &frmSysPrintDtl::areport()
{
    if (!m_areport)
        m_areport = std::make_unique<cAreport>();
    return *m_areport;
}

cBase &frmSysPrintDtl::base()
{
    if (!m_base)
        m_base = std::make_unique<cBase>();
    return *m_base;
}

void frmSysPrintDtl::AddComboItem(QComboBox *combo, const QVariant &data, const QString &text)
{
    combo->addItem(text, data);
}

QString frmSysPrintDtl::GetComboTextByData(QComboBox *combo, const QVariant &data)
{
    const int index = FindComboIndexByData(combo, data);
    return index < 0 ? QString() : combo->itemText(index);
}

int frmSysPrintDtl::FindComboIndexByData(QComboBox *combo, const QVariant &data)
{
    const cBase b;
    for (int i = 0; i < combo->count(); ++i)
        if (b.CvtLng(combo->itemData(i)) == b.CvtLng(data) && b.IsData(combo->itemData(i)))
            return i;
    return -1;
}

int frmSysPrintDtl::FindComboIndexByText(QComboBox *combo, const QString &text)
{
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i) == text)
            return i;
    return -1;
}

void frmSysPrintDtl::setComboText(QComboBox *combo, const QString &text)
{
    const int index = text.isEmpty() ? -1 : FindComboIndexByText(combo, text);
    combo->setCurrentIndex(index);
    if (combo->isEditable())
        combo->setEditText(text);
}
