#pragma once

#include "PlanEntryDialog.h"

class ImNumber;
class ImText;
class LoanGrid;
struct ParkingPlanInput;

/// The parking plan entry form "駐車場データ入力": plan name, fees, paving budget,
/// planning rates, own funds and up to three loans of one parking plan (plan type
/// 1), with the land data of the property beside them. Its register button
/// computes the 75-year projection and stores the plan, its loans and its results
/// in one transaction; its cancel button (and the window's close box) discards the
/// edit after asking when something changed. The entry-form protocol is
/// PlanEntryDialog's.
class frmInputParking : public PlanEntryDialog
{
    Q_OBJECT

public:
    explicit frmInputParking(QWidget *parent = nullptr);

    /// Registers the form as the entry form of parking plans with the shell.
    static void install();

protected:
    void loadPlan() override;
    void afterSnapshot() override;
    bool rowsChanged() const override { return m_loanRowsChanged; }
    bool CheckInputValue() override;
    bool CheckInputValue2() override;
    void Register() override;
    void focusLeft(QWidget *old) override;

private:
    void buildControls();
    void SetControlsColor();
    void SetTDBGridColumns();
    void Init();
    void SetParkingData();
    void CheckKariireCount();
    void InputKariire(int renban);
    void YosanTotal();
    /// The projection's input of the record's values and the site boxes; the rows are read at registration.
    ParkingPlanInput planInput(const QVector<QVariant> &values) const;

    void lbutNewKariire_Click();
    void lbutDetailKariire_Click();
    void lbutLineDelKariire_Click();
    void TDBKariire_KeyDown(int keyCode);
    void numRyokin1_LostFocus();
    void numYosan1_LostFocus();

    bool m_loanRowsChanged = false;
    bool m_workRowsLoaded = false;

    ImText *m_txtName = nullptr;
    ImNumber *m_numSikiti[5] = {};
    ImNumber *m_numRyokin[4] = {};
    ImNumber *m_numYosan[5] = {};
    ImNumber *m_numKeikaku[6] = {};
    ImNumber *m_numSikin1 = nullptr;
    LoanGrid *m_grid = nullptr;
    RowButtons m_kariireButtons;
};
