#pragma once

#include "EntryDialog.h"
#include "ShellHooks.h"
#include "WorkRowStore.h"

#include <QVariant>
#include <QVector>

#include <cstdint>
#include <functional>
#include <utility>

class FormSurface;
class ImNumber;
class LoanGridModel;
class PlanRecord;
class QComboBox;
class RowDialog;
class RowGrid;

/// What the parking and apartment entry forms share: the entry-form protocol, the
/// loading frame, the register and cancel buttons, and the handling of their row
/// grids (row limits, row dialogs, row deletion).
///
/// Created anew for each showing: the caller sets Pro_ID1 and Pro_ID2, calls
/// showModal(), and afterwards Pro_State() is true only when the plan was registered
/// and committed. A form whose plan cannot be read says so and does not open.
/// 登録 with nothing changed closes the form; otherwise it runs the form's two
/// checks, then its registration, and closes the form once the plan is stored; a
/// failure is rolled back and reported, and the form stays open with its values.
/// ｷｬﾝｾﾙ, and the window's close box, ask before dropping changes; Escape does nothing.
class PlanEntryDialog : public EntryDialog, public PlanEntryForm
{
    Q_OBJECT

public:
    void setPro_ID1(const QVariant &id1) override { m_id1 = id1.toInt(); }
    QVariant Pro_ID1() const { return m_id1; }
    void setPro_ID2(const QVariant &id2) override { m_id2 = id2.toInt(); }
    QVariant Pro_ID2() const { return m_id2; }
    bool Pro_State() const override { return m_state; }
    /// Loads the plan and shows the form modally.
    void showModal() override;
    /// Loads the plan into the form without showing it (tests show it non-modally).
    void Form_Load();

protected:
    /// name: the form's object name (also the error log's); caption: its title,
    /// which the message of a failed registration carries too.
    PlanEntryDialog(const QString &name, const QString &caption, QWidget *parent);

    int32_t id1() const { return m_id1; }
    int32_t id2() const { return m_id2; }
    /// The parent of the form's controls, laid out at the form's size; it scrolls where
    /// the screen is smaller than that (FormSurface).
    QWidget *surface() const;
    /// The form's size in twips.
    void setFormSize(int width, int height);
    /// The register (登　録) and cancel (ｷｬﾝｾﾙ) buttons, placed by the form.
    QWidget *lbutAdd() const { return m_lbutAdd; }
    QWidget *lbutClose() const { return m_lbutClose; }

    // What each form adds.
    /// The loading between the cleared controls and the snapshot of their values.
    virtual void loadPlan() = 0;
    /// After the snapshot: the rows-changed flags cleared, the row buttons set.
    virtual void afterSnapshot() = 0;
    /// A row of the plan was saved or deleted during this showing.
    virtual bool rowsChanged() const = 0;
    virtual bool CheckInputValue() = 0;
    virtual bool CheckInputValue2() = 0;
    /// The whole registration; throws on any failure (see PlanRegistration).
    virtual void Register() = 0;
    /// A control of the form lost the focus to another one of the form: its rule runs.
    virtual void focusLeft(QWidget *old) = 0;

    /// Runs a step of the loading that reads the plan from the database. Once one
    /// has failed (logged under procedure) the later ones are skipped, and the form
    /// tells the user and does not open.
    template <class F> void readStep(const char *procedure, F &&body)
    {
        if (!m_readFailed && !trap()(procedure, std::forward<F>(body)))
            m_readFailed = true;
    }

    // Helpers of the forms.
    /// The new, detail and delete buttons of a row grid (the names of their
    /// controls given), side by side ending at right (twips).
    struct RowButtons {
        QWidget *newRow = nullptr;
        QWidget *detail = nullptr;
        QWidget *lineDel = nullptr;
    };
    static RowButtons createRowButtons(QWidget *frame, const char *newRow, const char *detail, const char *lineDel,
                                       int right, int top);
    /// The underline colours of the register and cancel buttons and of row buttons.
    void SetButtonColors(std::initializer_list<RowButtons> rows);
    /// The input style of a wrapped control (see cCtrls::setStyle).
    void setStyle(QWidget *control, int style) const;
    /// Whether the budget may be registered: it equals the own funds plus the loans
    /// of the grid (32-bit sums, as stored), or the user answers Yes to the question.
    /// Throws on an overflow of the sums.
    bool CheckFunding(const QVariant &budget, int64_t ownFunds, const LoanGridModel *loans);
    /// The plan's stored record shown in the controls its fields name (by the fields'
    /// conversions); nothing without a record. Throws DaoError when it cannot be read.
    void showRecord(const PlanRecord &record);
    /// The values of the controls the record's fields name, in their order, as the
    /// fields store them: text, list index, 0/1, number.
    QVector<QVariant> recordValues(const PlanRecord &record) const;
    /// Selects a list entry for a stored index (one beyond the list selects the first);
    /// a form whose list has a rule runs it here, as a user's choice does.
    virtual void selectEntry(QComboBox *combo, int index);
    /// The site data of the property (D_物件) into the four site boxes; nothing without one.
    void SetThingData(ImNumber *const sikiti[4]);
    /// The consumption tax of an amount at the program's rate: a whole number, a half
    /// rounded away from zero.
    static QVariant ConsumptionTax(const QVariant &amount);
    /// The delete button with a row, the new button and the grid's new-row line below
    /// the limit; the grid keeps its current row (or, with firstWhenNone, stands on
    /// its first row when it had none).
    static void CheckRowCount(RowGrid *grid, QWidget *newButton, QWidget *deleteButton, int limit,
                              bool firstWhenNone = false);
    /// Copies the plan's stored rows of the table into its work table (loaded is set
    /// once that is done) and shows the work rows in the grid. The work rows are
    /// checked: without them a registration would store the plan without its rows,
    /// so it refuses instead.
    void loadWorkRows(RowGrid *grid, const WorkRowStore::Table &table, bool &loaded);
    /// Shows a row dialog for the plan at a position (twips); true when it saved a row.
    bool showRowDialog(RowDialog &dialog, const QPoint &twips);
    /// Deletes the grid's current row from the work rows and renumbers the rest in one
    /// transaction, then re-reads the grid and runs afterDelete (logged under
    /// afterProcedure) with whether a row went. The focus returns to the grid.
    void deleteCurrentRow(RowGrid *grid, const WorkRowStore::Table &table, const char *afterProcedure,
                          const std::function<void(bool deleted)> &afterDelete);

    void closeRequested() override { lbutClose_Click(); }

private:
    void leaveFocusedBox();
    void lbutAdd_Click();
    void lbutClose_Click();

    QString m_caption;
    int32_t m_id1 = 0;
    int32_t m_id2 = 0;
    bool m_state = false;
    bool m_loaded = false;
    bool m_readFailed = false;
    bool m_busy = false;
    FormSurface *m_surface = nullptr;
    QWidget *m_lbutAdd = nullptr;
    QWidget *m_lbutClose = nullptr;
};
