#pragma once

#include "RowDialog.h"

class ImNumber;
class ImText;

/// The rent-row dialog "家賃設定": one dwelling type of an apartment plan (floor
/// plan, floor area, dwellings, parking spaces, monthly rent, common charge,
/// parking fee, deposit), saved at once into the plan's work rows (W_家賃) so the
/// form's rent grid (TDBYatin) shows it. No input is required. With continuous
/// entry (SETTING 家賃 = 1) it moves on to the next letter, up to five rows.
class frmInputYatin : public RowDialog
{
    Q_OBJECT

public:
    explicit frmInputYatin(QWidget *parent = nullptr);

    /// The type letter of the row, "A" to "E".
    void setPro_Type(const QVariant &type) { m_type = type.toString(); }
    QVariant Pro_Type() const { return m_type; }

protected:
    void SetControlsColor() override;
    void Init() override;
    void SaveRecord() override;
    int rowIndex() const override;
    bool isLastRow(int count) const override;
    void nextRow() override;
    QWidget *firstInput() const override;

private:
    void buildControls();

    QString m_type;
    ImText *m_txtType = nullptr;
    ImText *m_txtMadori = nullptr;
    ImNumber *m_numSenyu = nullptr;
    ImNumber *m_numSetai = nullptr;
    ImNumber *m_numTyusya = nullptr;
    ImNumber *m_numYatin = nullptr;
    ImNumber *m_numKyoeki = nullptr;
    ImNumber *m_numTyusyaryo = nullptr;
    ImNumber *m_numSikikin = nullptr;
};
