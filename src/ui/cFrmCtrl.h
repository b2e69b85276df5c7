#pragma once

#include "VbKeys.h"

#include <QFont>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <array>

class ImNumber;

class QWidget;
class cCtrls;

/// The controller of one data-entry form: it wraps every input control of the form
/// in a cCtrls, pairs caption labels with their controls, keeps the value snapshots
/// and change flags, moves the focus on Enter, Down and Up, clears the form on F4,
/// pulls number boxes into range, and holds the colour tables and fonts of the
/// input styles and caption states. It touches no database, file or registry.
///
/// Controls are the form's named child widgets (see VbControl); a control array is
/// widgets sharing an object name with an int property "index", registered under
/// the key "name_index". A label "labXxx" becomes the caption of the first wrapped
/// control whose name ends in the same text from the fourth character ("cmbXxx").
///
/// Keys are watched with an application event filter. On a form whose KeyPreview
/// is on (VbControl::setKeyPreview) the controller sees them before the focused
/// control: ClearKey (F4) empties every field except those in the display-only
/// style 3, and Enter/Down/Up move the focus. Without KeyPreview the wrappers pass
/// the keys on from their controls (a combo box keeps its plain arrows). A key
/// that moved the focus is consumed, so it moves exactly once and no control (nor a
/// dialog's default button) acts on it as well. Enter on a button is the button's.
///
/// Usage in a form (the controller is a child of the form and ends with it):
/// \code
///   // constructor / Form_Load, after the widgets exist:
///   VbControl::setKeyPreview(this, true);        // when the form previews keys
///   m_ctrl = new cFrmCtrl(this);
///   m_ctrl->ControlForm(this);                   // wrap controls, pair captions
///   m_ctrl->DataClear();
///   Init();                                      // fill lists, load the record
///   m_ctrl->FlagClear();
///   m_ctrl->GetDataDefault();                    // loaded values = the snapshot
///   m_ctrl->ControlItem(txtName)->setStyle(4);   // input, light yellow
///   m_ctrl->ControlItem(numSikiti1)->setStyle(3);// display only
///   // close button:
///   if (m_ctrl->DataChanged() && MsgBox::show(...) == MsgBox::No) return;
///   // closeEvent / Form_Unload:
///   m_ctrl->TerminateControls();
/// \endcode
class cFrmCtrl : public QObject
{
    Q_OBJECT

public:
    explicit cFrmCtrl(QObject *parent = nullptr);
    ~cFrmCtrl() override;

    /// Form-level key handling on.
    bool AllowKeyAction = true;
    /// Key code that clears every field (F4); 0 turns it off.
    int ClearKey = VbKeys::F4;
    /// Key code that writes the snapshot back into every field; 0 (the default) off.
    int DefaultKey = 0;
    QFont ButtonNormalFont;  ///< command-button font for states 0 and 1
    QFont ButtonFoucusFont;  ///< command-button font for states 2 and 3
    QFont CaptionNormalFont; ///< caption font for states 0 and 1
    QFont CaptionFoucusFont; ///< caption font for states 2 and 3

    // ---- registration ----
    /// Appends a wrapper under its control's key and takes it over; false (and the
    /// caller keeps it) when the key is taken or there is no control.
    bool Add(cCtrls *clsCtrls);
    /// Removes and deletes a wrapper by 0-based position or by key. Throws
    /// std::out_of_range when there is none.
    void Remove(int Index);
    void Remove(const QString &Index);
    /// Wraps the control when its type is supported; others are dropped.
    void AddControl(QWidget *ctrControl);
    /// Removes the wrapper of the control, if any.
    void RemoveControl(QWidget *ctrControl);
    /// Binds the form: wraps its controls, pairs caption labels, records every
    /// control's design-time state and value (GetDefault), and starts watching keys.
    void ControlForm(QWidget *New_Form);
    QWidget *Form() const { return pweForm; }

    // ---- broadcasts to every wrapper ----
    void DataClear();      ///< empty every field
    void DataDefault();    ///< write every snapshot back
    void FlagClear();      ///< clear every change flag
    void GetDefault();     ///< record design-time state and values
    void GetDataDefault(); ///< take the present values as the snapshot

    // ---- focus and keys ----
    /// Focus to the enabled, visible tab-stop input control with the lowest tab index.
    void SetForcusTopControl();
    /// Enter (any shift) or plain Down moves forward, plain Up back, unless the
    /// focused input box moves the focus itself (its NextCtrl/PrevCtrl). Sets
    /// KeyCode to 0 when it moved the focus.
    void KeyDown(int &KeyCode, int Shift);
    void KeyUp(int &KeyCode, int Shift);
    /// Focus by tab index: 1 previous, 2 first, 3 last, other values next (wrapping).
    void TabFocus(int MoveType);
    /// Focus as Tab (any value but 1) or Shift+Tab (1) would move it.
    void TabFocusEasy(int MoveType);
    /// Puts the box's value into its range: a value beyond a bound of 0 is first
    /// negated (500 in -100..0 becomes -500, then -100); equal bounds force the value.
    void NumberRangeFilter(ImNumber *ImNum);

    // ---- captions ----
    /// Registers every label not yet a caption of a wrapper as a free caption.
    void RestCaptionControl();
    void AddFormCaption(QLabel *ctrCaption);
    void RemoveFormCaption(QLabel *ctrCaption);
    QList<QLabel *> FormCaptions() const;

    // ---- appearance ----
    bool AllowCaptionColor() const { return m_allowCaptionColor; }
    void setAllowCaptionColor(bool on) { m_allowCaptionColor = on; }
    bool AllowButtonFont() const { return m_allowButtonFont; }
    void setAllowButtonFont(bool on) { m_allowButtonFont = on; }
    /// Style colour tables (index 0..4) and caption state tables (0..3); colours as
    /// 0x00BBGGRR or system colours. Throw std::out_of_range for another index.
    quint32 ControlBackColor(int index) const;
    void setControlBackColor(int index, quint32 colour);
    quint32 ControlForeColor(int index) const;
    void setControlForeColor(int index, quint32 colour);
    quint32 CaptionBackColor(int index) const;
    void setCaptionBackColor(int index, quint32 colour);
    quint32 CaptionForeColor(int index) const;
    void setCaptionForeColor(int index, quint32 colour);
    /// CaptionFoucusFont for states 2 and 3, CaptionNormalFont otherwise.
    QFont CaptionFont(int state) const;
    QFont ButtonFont(int state) const;
    void FormControlsDefaultStyle(int style);
    void FormControlsStyle(int style);
    void FormControlsColor(int style);
    void FormCaptionsColor(int state);
    void FormCaptionsFont(int state);
    void FormButtonsFont(int state);
    int FormCheckBoxColor() const { return m_formCheckBoxColor; }
    void setFormCheckBoxColor(int value);
    void AllowRangeFilter(bool New_Invalid);
    void AllowRangeError(bool New_Invalid);
    void CaptionBackVisible(bool New_Visible);
    bool CaptionClickSetFocus() const { return m_captionClickSetFocus; }
    void setCaptionClickSetFocus(bool on);
    /// The same for the wrappers of one control type ("TextBox", "imNumber", ...).
    void ControlsDefaultStyle(const QString &ControlType, int style);
    void ControlsStyle(const QString &ControlType, int style);
    void ControlsColor(const QString &ControlType, int style);

    // ---- access ----
    /// By 0-based position or by key; throws std::out_of_range when absent.
    cCtrls *Item(int Index) const;
    cCtrls *Item(const QString &Index) const;
    /// The wrapper of a control, or null when it is not registered.
    cCtrls *ControlItem(QWidget *control) const;
    int Count() const { return int(m_ctrls.size()); }
    /// True as soon as one field differs from its snapshot.
    bool DataChanged() const;
    /// Deletes the wrappers and forgets the free captions; call on unload.
    void TerminateControls();

    /// For-each over the wrappers in registration order.
    QList<cCtrls *>::const_iterator begin() const { return m_ctrls.cbegin(); }
    QList<cCtrls *>::const_iterator end() const { return m_ctrls.cend(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void InitFrameDefaults();
    bool AttachCaptionLabel(QWidget *control);
    void pweForm_KeyDown(int &KeyCode, int Shift);
    void pweForm_KeyUp(int &KeyCode, int Shift);
    int indexOfKey(const QString &key) const;
    int captionIndexOfKey(const QString &key) const;

    std::array<quint32, 5> m_controlBackColor{};
    std::array<quint32, 5> m_controlForeColor{};
    std::array<quint32, 4> m_captionBackColor{};
    std::array<quint32, 4> m_captionForeColor{};
    bool m_allowCaptionColor = false;
    bool m_allowButtonFont = false;
    bool m_captionClickSetFocus = false;
    int m_formCheckBoxColor = 1;

    QList<cCtrls *> m_ctrls;
    QStringList m_keys;
    QList<QPointer<QLabel>> m_captions;
    QStringList m_captionKeys;
    QPointer<QWidget> pweForm;
    bool m_watching = false;
    QPointer<cCtrls> m_focusHolder; // the wrapper whose control is the form's active control

    friend class cCtrls;
};
