#pragma once

#include "RowDialog.h"

class ImNumber;
class ImText;
class QComboBox;

/// The loan-row dialog "借入金設定": one loan of a plan (lender, amount, repayment
/// method, term, one or two rate periods), saved at once into the plan's work rows
/// (W_借入金) in its own transaction, so the owner form's loan grid (TDBKariire)
/// shows it. Both plan forms use it through the row-dialog protocol of RowDialog,
/// with Pro_Renban as the row's key. With continuous entry (settings SETTING 借入金
/// = 1) the register button moves on to the next loan number after each row, up to
/// loan 3, and closes when it is pressed on a new row without anything entered.
class frmInputKariire : public RowDialog
{
    Q_OBJECT

public:
    explicit frmInputKariire(QWidget *parent = nullptr);

    void setPro_Renban(const QVariant &renban) { m_renban = renban.toInt(); }
    QVariant Pro_Renban() const { return m_renban; }

protected:
    void SetControlsColor() override;
    void InitCombo() override;
    void Init() override;
    bool checkInput() override;
    void SaveRecord() override;
    int rowIndex() const override { return m_renban - 1; }
    bool isLastRow(int count) const override;
    void nextRow() override { ++m_renban; }
    QWidget *firstInput() const override;

private:
    void buildControls();
    bool CheckInputValue();
    bool CheckInputValue2();
    int defaultMethod() const;

    int32_t m_renban = 0;
    ImText *m_txtName = nullptr;
    ImNumber *m_numKariire = nullptr;
    QComboBox *m_cmbHensai = nullptr;
    ImNumber *m_numNen1 = nullptr;
    ImNumber *m_numKinri1 = nullptr;
    ImNumber *m_numNen2 = nullptr;
    ImNumber *m_numKinri2 = nullptr;
};
