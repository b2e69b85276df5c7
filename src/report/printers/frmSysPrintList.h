#pragma once

#include "frmSysPrintDtl.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>

class PrinterListModel;
class QTableView;

/// "プリンタ設定一覧": the printer settings of M_Printer in report-name order, with
/// new, detail (the editor frmSysPrintDtl, modal) and delete. The standard row
/// "(標準プリンタ設定)" cannot be deleted. After every change the list is read again.
class frmSysPrintList : public QDialog
{
    Q_OBJECT

public:
    /// appFolder holds the settings file the editor reads its report names from.
    explicit frmSysPrintList(const QString &appFolder, QWidget *parent = nullptr);
    ~frmSysPrintList() override;

    QTableView *grid() const { return TDBGrid; }
    PrinterListModel *model() const { return m_model; }
    /// The editor while it is open.
    frmSysPrintDtl *detailForm() const { return DetailForm; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Form_Load();
    void SetControlsColor();
    void Init();
    void SetTDBGridColumns();
    void CheckRecordCount();
    void RequeryList();
    void lbutNew_Click();
    void lbutDtl_Click();
    void lbutDel_Click();
    bool DeleteRow();
    bool DeleteRecord();
    void DetailForm_DeleteData(bool &Cancel);
    void openEditor(int32_t id, bool isEdit, bool &busy);
    int currentRow() const;
    bool currentRowHasID() const;
    void layoutControls();

    QString m_appFolder;
    PrinterListModel *m_model = nullptr;
    QTableView *TDBGrid = nullptr;
    QWidget *lbutNew = nullptr;
    QWidget *lbutDtl = nullptr;
    QWidget *lbutDel = nullptr;
    QWidget *lbutClose = nullptr;
    QPointer<frmSysPrintDtl> DetailForm;
    int16_t m_osFlag = 1;
    bool m_newBusy = false;
    bool m_detailBusy = false;
    /// The user has been told that the database file is damaged, since the window opened.
    bool m_damageTold = false;
};
