#pragma once

#include "DepreciationRates.h"
#include "PlanEntryDialog.h"

class ImNumber;
class ImText;
class LoanGrid;
class QCheckBox;
class QComboBox;
class RentGrid;
struct ApartmentPlanInput;

/// The apartment plan entry form "賃貸マンションデータ入力": plan name, building,
/// site (shown from the property), construction budget, funding, depreciation,
/// plan rates, up to five rent rows and up to three loans of one rental-apartment
/// plan (plan type 2). Its register button checks the inputs, computes the 75-year
/// projection and stores the plan, its rent and loan rows and its results in one
/// transaction; its cancel button (and the window's close box) discards the edit
/// after asking when something changed. The entry-form protocol is PlanEntryDialog's.
///
/// The input rules follow the user: the structure gives the useful life (settings
/// CONST 耐用年数<n>), the method and the life give the rate (M_償却), the floors
/// allow the fire-resistant box from 3 up, and the budget items give the
/// consumption tax, the total, the depreciation base and the residual value as
/// their boxes are left.
class frmInputApartment : public PlanEntryDialog
{
    Q_OBJECT

public:
    explicit frmInputApartment(QWidget *parent = nullptr);

    /// Registers the form as the entry form of apartment plans with the shell.
    static void install();

protected:
    void loadPlan() override;
    void afterSnapshot() override;
    bool rowsChanged() const override { return m_rentRowsChanged || m_loanRowsChanged; }
    bool CheckInputValue() override;
    bool CheckInputValue2() override;
    void Register() override;
    void focusLeft(QWidget *old) override;

private:
    void buildControls();
    void buildBuilding(QWidget *frame);
    void buildSite(QWidget *frame);
    void buildBudget(QWidget *frame);
    void buildDepreciation(QWidget *frame);
    void buildRents(QWidget *frame);
    void buildFunds(QWidget *frame);
    void buildPlanValues(QWidget *frame);
    void connectHandlers();

    // Loading.
    void SetControlsColor();
    void Init();
    void InitYatin();
    void InitKariire();
    void InitCombo();
    void SetTDBGridColumns();
    void SetTDBYatinFootertext();
    void SetApartmentData();
    /// Selects a list entry from code and runs the list's click rule, as a user's choice does.
    void selectEntry(QComboBox *combo, int index) override;

    // Rows.
    void CheckYatinCount();
    void CheckKariireCount();
    void InputYatin(const QString &type);
    void InputKariire(int renban);
    /// The screen position in twips just under a grid's lower edge, for its row dialog.
    static QPoint dialogPosition(QWidget *grid);
    void lbutNewYatin_Click();
    void lbutDetailYatin_Click();
    void lbutLineDelYatin_Click();
    void lbutNewKariire_Click();
    void lbutDetailKariire_Click();
    void lbutLineDelKariire_Click();
    void TDBYatin_KeyDown(int keyCode);
    void TDBKariire_KeyDown(int keyCode);

    // Input rules.
    void cmbKaoku1_Click();
    void numKaoku4_Validate();
    void numYosan1_LostFocus();
    void cmbGenka1_Click();
    void numGenka2_LostFocus();
    void YosanTotal();
    void GenkaTotal();

    // Registration.
    /// The projection's input of the record's values and the site boxes; the rows are read at registration.
    ApartmentPlanInput planInput(const QVector<QVariant> &values) const;

    bool m_rentRowsChanged = false;
    bool m_loanRowsChanged = false;
    bool m_rentRowsLoaded = false;
    bool m_loanRowsLoaded = false;
    DepreciationRates m_rates;

    ImText *m_txtName = nullptr;
    QComboBox *m_cmbKaoku1 = nullptr;
    ImNumber *m_numKaoku[9] = {}; // 2 .. 8
    QCheckBox *m_chkKaoku9 = nullptr;
    ImNumber *m_numSikiti[5] = {}; // 1 .. 4
    ImNumber *m_numYosan[13] = {}; // 1 .. 12
    ImNumber *m_numSikin[3] = {};  // 1, 2
    QComboBox *m_cmbGenka1 = nullptr;
    ImNumber *m_numGenka[6] = {}; // 2 .. 5
    QComboBox *m_cmbGenka6 = nullptr;
    ImNumber *m_numKeikaku[10] = {}; // 1 .. 9
    ImNumber *m_numKasai = nullptr;
    RentGrid *m_yatin = nullptr;
    LoanGrid *m_kariire = nullptr;
    RowButtons m_yatinButtons;
    RowButtons m_kariireButtons;
};
