#pragma once

#include <QDialog>
#include <QVariant>

class QLabel;
class QPushButton;

/// The plan-type chooser: the user picks a parking or an apartment plan, the
/// chooser opens that type's entry form modally for the property and plan numbers
/// and hands on whether a plan was registered. A new chooser is made for each plan.
class frmType : public QDialog
{
    Q_OBJECT

public:
    explicit frmType(QWidget *parent = nullptr);

    void setPro_ID1(const QVariant &id1) { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    void setPro_ID2(const QVariant &id2) { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }
    /// -1 after a registration, 0 otherwise.
    int Pro_State() const { return m_state; }
    /// The chosen type, 0 until one is chosen.
    int Pro_Type() const { return m_type; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void SetControlsColor();
    void LoadTypeImages();
    void ClickType(int index);

    int m_id1 = 0;
    int m_id2 = 0;
    int m_state = 0;
    int m_type = 0;
    QPushButton *m_butType[3] = {};
    QLabel *m_image[3] = {};
    QWidget *m_lbutCancel = nullptr;
};
