#pragma once

#include <QDialog>
#include <QList>
#include <QSet>

class ImNumber;
class ImText;
class QRadioButton;
class FormSurface;
class cFrmCtrl;

/// The system settings dialog: tax rates, extra-depreciation constants, useful
/// lives, the entry forms' default choices, the row dialogs' modes and the pictures
/// of the workspace and the plan types. "設　定" saves every value and closes;
/// "キャンセル" closes without saving. A save that fails says so and keeps the
/// dialog open with the user's values. On a screen too small for it the dialog
/// scrolls (FormSurface).
class frmSystem : public QDialog
{
    Q_OBJECT

public:
    explicit frmSystem(QWidget *parent = nullptr);
    ~frmSystem() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Group {
        const char *name;
        QList<QRadioButton *> options;
    };

    void buildControls();
    void Form_Load();
    void SetControlsColor();
    void Init();
    /// False when the settings file could not be written (then nothing was).
    bool SaveData();
    void Form_Unload();
    void pickPicture(ImText *box, bool icon);
    static int selectedIndex(const Group &group, bool firstFiveThenLast);
    static void select(Group &group, int index);

    FormSurface *m_surface = nullptr;
    cFrmCtrl *m_ctrl = nullptr;
    ImNumber *m_numTax = nullptr;
    ImNumber *m_numKotei = nullptr;
    ImNumber *m_numTosi = nullptr;
    ImNumber *m_numWKikan = nullptr;
    ImNumber *m_numWKijun = nullptr;
    ImNumber *m_numWBai1 = nullptr;
    ImNumber *m_numWBai2 = nullptr;
    QList<ImNumber *> m_numTaiyo; // numTaiyo1 to numTaiyo6
    Group m_optYatin{"OptYatin", {}};
    Group m_optKariire{"OptKariire", {}};
    Group m_optKozo{"OptKozo", {}};
    Group m_optGenka{"OptGenka", {}};
    Group m_optWari{"OptWari", {}};
    Group m_optHensai{"OptHensai", {}};
    ImText *m_txtHaikei = nullptr;
    ImText *m_txtData1 = nullptr;
    ImText *m_txtData2 = nullptr;
    ImText *m_txtIcon1 = nullptr;
    ImText *m_txtIcon2 = nullptr;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
    /// Keys whose control was filled from the file: only those are written back.
    QSet<QString> m_loaded;
    bool m_unloaded = false;
};
