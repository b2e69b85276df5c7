#pragma once

#include "ImBox.h"

#include <QFont>
#include <QLabel>
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QVariant>
class ImNumber;

class QWidget;
class cFrmCtrl;

/// The wrapper of one input control of a form, created by the form's controller
/// (cFrmCtrl::ControlForm / AddControl); forms reach it with
/// cFrmCtrl::ControlItem(control), mostly to set its Style.
///
/// It knows the control's type (VbControl::typeName), records the control's
/// design-time state so it can put it back (GetDefault), keeps a snapshot of the
/// value (DefaultValue) and a change flag (DataChanged), switches the control
/// between input styles, owns the control's caption label and colours it when the
/// control gains and loses the focus, forwards the control's keys to the controller
/// on forms without KeyPreview, and handles a number box's range error.
///
/// Wrapped types: "imNumber", "imText", "CheckBox", "ComboBox", "TextBox",
/// "CommandButton", "OptionButton"; any other control is refused (Control() stays
/// null). Members of control arrays are wrapped (cleared, restored, styled) but not
/// watched: they keep no change flag, colour no caption and forward no keys.
///
/// Values by type: number box its value (null or double), text and combo boxes
/// their text, check box 0/1/2, option button true/false.
///
/// Styles: 0 design-time look (or DefaultStyle when that is set), 1 and 4 input,
/// 2 input without tab stop, 3 display only (no tab stop, read-only). Caption
/// states: 0 design-time look, 1 normal, 2 focused, 3 error.
class cCtrls : public QObject
{
    Q_OBJECT

public:
    explicit cCtrls(QObject *parent = nullptr);
    ~cCtrls() override;

    /// The control's value differs from DefaultValue (kept on every change).
    bool DataChanged = false;
    /// The value snapshot (GetDataDefault) written back by DataDefault.
    QVariant DefaultValue = QString();
    /// Style applied when Style is set to 0.
    int DefaultStyle = 0;
    /// The owning controller.
    QPointer<cFrmCtrl> OwnerClass;
    /// The control itself when it is a number or text box: its own caption look is
    /// coloured together with the caption label.
    QPointer<ImBox> CaptionJointlyControl;
    /// On a number box's range error, show the range message.
    bool AllowRangeError = false;
    /// A click on the caption label moves the focus to the control.
    bool CaptionClickSetFocus = false;

    /// Empties the control (a drop-down list keeps its choice).
    void DataClear();
    /// Writes DefaultValue back into the control and clears DataChanged.
    void DataDefault();
    /// Records the design-time state and, except for a command button, takes the
    /// present value as DefaultValue.
    void GetDefault();
    /// Takes the present value as DefaultValue.
    void GetDataDefault();

    QWidget *Control() const { return m_control; }
    /// Accepts the control when its type is wrapped (and starts watching it unless
    /// it is an array member); otherwise Control() becomes null.
    void setControl(QWidget *New_Control);
    QLabel *Caption() const { return m_caption; }
    /// Attaches the caption label, recording its colours, back style and font.
    void setCaption(QLabel *label);
    int Style() const { return m_style; }
    /// Stores the style and applies it (DefaultStyle for 0). Throws
    /// std::out_of_range for a style outside 0..4 on a control coloured from the tables.
    void setStyle(int style);

    /// The control's colours for a style (design-time colours for 0).
    void ControlColor(int style);
    /// The caption's colours for a state, while the owner's AllowCaptionColor is on.
    void CaptionColor(int state);
    /// The caption's font for a state, under the same condition.
    void CaptionFont(int state);
    bool CaptionBackVisible() const { return m_captionBackStyle == 1; }
    void setCaptionBackVisible(bool visible);
    /// A command button's font for a state, while the owner's AllowButtonFont is on.
    void ButtonFont(int state);
    /// How check boxes and option buttons are coloured: 1 like their form, 2 like
    /// the other controls (style colours), other values in the caption colours.
    int CheckBoxColor() const { return m_checkBoxColor; }
    void setCheckBoxColor(int value);

    /// Focus to the control, pending events run, caption in the error state.
    void ErrorFocus();
    /// Focus to the control when it has a tab stop and is enabled.
    void SetFocus();
    /// The caption shows the error state (3).
    void ErrorCaption();

    /// On a number box's range error, pull the value into range. A number box of a
    /// wrapper with the filter on also never hands out a value outside its range and
    /// pulls one the program sets into it (ImNumber::RangeGuard); the wrapper logs that.
    bool AllowRangeFilter() const { return m_allowRangeFilter; }
    void setAllowRangeFilter(bool on);

    /// The type name of the wrapped control ("" without one).
    QString TypeName() const { return m_type; }
    /// The present value of the control, as DefaultValue holds it.
    QVariant CurrentValue() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ApplyStyle(int style);
    void ForwardKeyDown(int &KeyCode, int &Shift);
    void ForwardKeyUp(int &KeyCode, int &Shift);
    void ForwardRangeFilter(ImNumber *box);
    void ShowRangeError(ImNumber *box);

    void bindControl();
    void unbindControl();
    void changeRule();
    void rangeEvent(bool *keep);
    void gotFocus();
    void lostFocus();
    bool forwardsKey(int keyCode, int shift, bool down) const;
    bool formPreviews() const;
    void writeValue(const QVariant &value);
    void logClamp(ImNumber *box, double requested);

    QPointer<QWidget> m_control;
    QPointer<QLabel> m_caption;
    QString m_type;
    int m_style = 0;

    // Design-time state recorded by GetDefault.
    bool m_tabStop = true;
    bool m_readOnly = false;
    bool m_enabled = true;
    quint32 m_backColor = 0x80000005;
    quint32 m_foreColor = 0x80000008;
    bool m_highlightText = true;
    QFont m_buttonFont;

    // The caption label as attached.
    quint32 m_captionBackColor = 0x8000000F;
    quint32 m_captionForeColor = 0x80000008;
    int m_captionBackStyle = 1;
    QFont m_captionFont;
    bool m_captionFontKnown = false;

    int m_checkBoxColor = 1;
    bool m_allowRangeFilter = true;

    bool m_bound = false;
    bool m_captionBound = false;
    bool m_focused = false;
    QList<QMetaObject::Connection> m_connections;

    friend class cFrmCtrl;
};
