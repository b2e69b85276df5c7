#pragma once

#include <QDialog>
#include <QVariant>

#include <cstdint>
#include <memory>

class ImText;
class LineButton;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class cAreport;
class cBase;
class cFrmCtrl;

/// One printer setting of M_Printer, new or existing: the report name, printer,
/// port, paper size, orientation, paper bin, print mode and remark. New mode adds
/// a row and stays open, emptied, for the next; edit mode updates its row and
/// closes. The lists come from the installed printers (cAreport); the report names
/// from the ReportNames section of the settings file in the program's folder.
class frmSysPrintDtl : public QDialog
{
    Q_OBJECT

public:
    /// appFolder holds the settings file "Vanrek.ini".
    explicit frmSysPrintDtl(const QString &appFolder, QWidget *parent = nullptr);
    ~frmSysPrintDtl() override;

    /// Prepares a new row (IsEdit false) or the row ID; OsFlag 1 shows and writes
    /// the NT-family printer fields, any other value the other family's.
    void SetData(int32_t ID, bool IsEdit, int16_t OsFlag);
    /// Asks the owner to delete the shown row (DeleteData); unless the owner
    /// cancels, the window empties itself and closes.
    void RequestDelete();

Q_SIGNALS:
    void DeleteData(bool &Cancel);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void Form_Load();
    void SetControlsColor();
    void ResetChangeFlags();
    void InitCombo();
    void LoadReportNames(QComboBox *combo);
    void resetNewEntry();
    /// False keeps the focus in the printer box.
    bool cmbPrint_Validate();
    /// The printer list's item of a name in any letter case; "" when it has none.
    QString listedPrinter(const QString &text) const;
    /// The printer's paper bins; the box is disabled when it has none.
    void listPaperBins(const QString &printer);
    void butPrint_Click();
    void butPort_Click();
    void lbutEntry_Click();
    bool SaveRecord();
    bool CheckInputValue();
    /// A save that failed: the user's words in the save-failure box, and in the log with
    /// the engine's own words (logText).
    void tellSaveFailure(const char *procedure, const QString &text, const QString &logText);
    bool Form_QueryUnload();
    void Form_Unload();
    void selectDirect(int16_t orientation);
    cAreport &areport();
    cBase &base();

    static void AddComboItem(QComboBox *combo, const QVariant &data, const QString &text);
    static QString GetComboTextByData(QComboBox *combo, const QVariant &data);
    static int FindComboIndexByData(QComboBox *combo, const QVariant &data);
    static int FindComboIndexByText(QComboBox *combo, const QString &text);
    /// The box shows the text: its item when it has one, else (editable boxes) the text alone.
    static void setComboText(QComboBox *combo, const QString &text);

    QString m_appFolder;
    cFrmCtrl *m_ctrl = nullptr;
    std::unique_ptr<cAreport> m_areport;
    std::unique_ptr<cBase> m_base;

    QComboBox *cmbReport = nullptr;
    QComboBox *cmbPrint = nullptr;
    QPushButton *butPrint = nullptr;
    QComboBox *cmbPort = nullptr;
    QPushButton *butPort = nullptr;
    QComboBox *cmbSize = nullptr;
    QWidget *picDirect = nullptr;
    QRadioButton *optDirect[2] = {};
    QComboBox *cmbBin = nullptr;
    QComboBox *cmbMode = nullptr;
    QComboBox *cmbKind = nullptr;
    ImText *txtBikou = nullptr;
    QLabel *labDirect = nullptr;
    LineButton *lbutEntry = nullptr;
    QWidget *lbutClose = nullptr;

    int32_t m_recordID = 0;
    bool m_isEdit = false;
    bool m_changed = false;
    int16_t m_osFlag = 1;
    QString m_loadedReport;
    QString m_currentPrinter;
    int16_t m_paperSize = 0;
    int16_t m_direct = 1;
    int16_t m_paperBin = 0;
    int16_t m_printMode = 0;
    int16_t m_kind = 0;
    bool m_validating = false;
    bool m_closing = false;
    bool m_unloaded = false;
};
