#pragma once

#include "ShellHooks.h"

#include <QDialog>
#include <QVariant>

#include <cstdint>

class ImNumber;
class ImText;
class LoanGrid;
class cFrmCtrl;
struct ParkingPlanInput;

/// The parking plan entry form: plan name, fees, paving budget, planning rates, own
/// funds and up to three loans of one parking plan (plan type 1), with the land data
/// of the property beside them. Its register button computes the 75-year projection
/// and stores the plan, its loans and its results in one transaction; its cancel
/// button (and the window's close box) discards the edit after asking when
/// something changed. Created anew for each showing, through the entry-form protocol:
/// set Pro_ID1 and Pro_ID2, showModal(), then Pro_State() is true only when the
/// plan was registered and committed.
class frmInputParking : public QDialog, public PlanEntryForm
{
    Q_OBJECT

public:
    explicit frmInputParking(QWidget *parent = nullptr);
    ~frmInputParking() override;

    void setPro_ID1(const QVariant &id1) override { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    void setPro_ID2(const QVariant &id2) override { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }
    bool Pro_State() const override { return m_state; }
    /// Loads the plan and shows the form modally.
    void showModal() override;
    /// Loads the plan into the form without showing it (tests show it non-modally).
    void Form_Load();

    /// Registers the form as the entry form of parking plans with the shell.
    static void install();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void SetControlsColor();
    void SetTDBGridColumns();
    void Init();
    void SetThingData();
    void SetParkingData();
    void CheckKariireCount();
    void InputKariire(int renban);
    void YosanTotal();
    bool CheckInputValue();
    bool CheckInputValue2();
    void Register();
    ParkingPlanInput planInput() const;

    void lbutAdd_Click();
    void lbutClose_Click();
    void lbutNewKariire_Click();
    void lbutDetailKariire_Click();
    void lbutLineDelKariire_Click();
    void TDBKariire_KeyDown(int keyCode);
    void numRyokin1_LostFocus();
    void numYosan1_LostFocus();
    void focusLeft(QWidget *old, QWidget *now);
    void unload(int result);
    void Form_Unload();

    int32_t m_id1 = 0;
    int32_t m_id2 = 0;
    bool m_state = false;
    bool m_loanRowsChanged = false;
    bool m_workRowsLoaded = false;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_busy = false;
    cFrmCtrl *m_ctrl = nullptr;

    ImText *m_txtName = nullptr;
    ImNumber *m_numSikiti[5] = {};
    ImNumber *m_numRyokin[4] = {};
    ImNumber *m_numYosan[5] = {};
    ImNumber *m_numKeikaku[6] = {};
    ImNumber *m_numSikin1 = nullptr;
    LoanGrid *m_grid = nullptr;
    QWidget *m_lbutNewKariire = nullptr;
    QWidget *m_lbutDetailKariire = nullptr;
    QWidget *m_lbutLineDelKariire = nullptr;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
};
