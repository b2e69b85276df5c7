#include "cFrmCtrl.h"

#include "ErrorTrap.h"
#include "ImNumber.h"
#include "VbControl.h"
#include "VbFont.h"
#include "VbKeys.h"
#include "VbRuntime.h"
#include "cCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

#include <stdexcept>
#include <utility>

namespace
{

const QString kObject = QStringLiteral("cFrmCtrl");

[[noreturn]] void subscriptError()
{
    throw std::out_of_range("インデックスが有効範囲にありません。");
}

template <std::size_t N> quint32 tableGet(const std::array<quint32, N> &table, int index)
{
    if (index < 0 || index >= int(N))
        subscriptError();
    return table[std::size_t(index)];
}

template <std::size_t N> void tableSet(std::array<quint32, N> &table, int index, quint32 colour)
{
    if (index < 0 || index >= int(N))
        subscriptError();
    table[std::size_t(index)] = colour;
}

bool isInputBoxType(const QString &type)
{
    static const QStringList types = {QStringLiteral("imDate"), QStringLiteral("imTime"), QStringLiteral("imNumber"),
                                      QStringLiteral("imText"), QStringLiteral("imMask"), QStringLiteral("imPostal")};
    return types.contains(type);
}

bool takesPart(QWidget *w, QWidget *form)
{
    return VbControl::tabStop(w) && w->isVisibleTo(form) && w->isEnabled();
}

// A focus move runs the focus handlers of the controls it leaves and reaches. The forms'
// handlers trap their own errors, so none should arrive here; one that does all the same
// (from a handler that forgot to) is logged under the mover's name, and the focus goes
// back where it was. No test throws through Qt's focus handling to show it: Qt's frames
// are built without clean-ups and would be left half-undone.
template <class F> void moveFocus(const QString &procedure, const QPointer<QWidget> &active, F &&move)
{
    if (trapErrors(kObject, procedure, std::forward<F>(move)) || !active)
        return;
    trapErrors(kObject, procedure, [&] { active->setFocus(Qt::OtherFocusReason); });
}

} // namespace

cFrmCtrl::cFrmCtrl(QObject *parent) : QObject(parent)
{
    InitFrameDefaults();
}

cFrmCtrl::~cFrmCtrl()
{
    TerminateControls();
    if (m_watching && qApp)
        qApp->removeEventFilter(this);
}

void cFrmCtrl::InitFrameDefaults()
{
    m_controlBackColor = {0x80000005, 0x80000005, 0x80000016, 0x80000010, 0x0081FFFF};
    m_controlForeColor = {0x80000008, 0x80000008, 0x80000008, 0x80000005, 0x80000008};
    m_captionBackColor = {0x8000000F, 0x8000000F, 0x8000000F, 0x8000000F};
    m_captionForeColor = {0x80000008, 0x80000008, 0x00008000, 0x000000FF};
    m_allowCaptionColor = false;
    m_allowButtonFont = false;
    m_captionClickSetFocus = false;
    m_formCheckBoxColor = 1;
    AllowKeyAction = true;
    ClearKey = VbKeys::F4;
    DefaultKey = 0;
    const QFont font = VbFont::make(QStringLiteral("ＭＳ Ｐゴシック"), 9, true);
    ButtonNormalFont = font;
    ButtonFoucusFont = font;
    CaptionNormalFont = font;
    CaptionFoucusFont = font;
}

// ---- registration -------------------------------------------------------------

int cFrmCtrl::indexOfKey(const QString &key) const
{
    return int(m_keys.indexOf(key));
}

int cFrmCtrl::captionIndexOfKey(const QString &key) const
{
    return int(m_captionKeys.indexOf(key));
}

bool cFrmCtrl::Add(cCtrls *clsCtrls)
{
    if (!clsCtrls || !clsCtrls->Control())
        return false;
    const QString key = VbControl::key(clsCtrls->Control());
    if (indexOfKey(key) >= 0)
        return false;
    clsCtrls->setParent(this);
    m_ctrls.append(clsCtrls);
    m_keys.append(key);
    return true;
}

void cFrmCtrl::Remove(int Index)
{
    if (Index < 0 || Index >= m_ctrls.size())
        subscriptError();
    cCtrls *w = m_ctrls.takeAt(Index);
    m_keys.removeAt(Index);
    if (m_focusHolder == w)
        m_focusHolder = nullptr;
    delete w;
}

void cFrmCtrl::Remove(const QString &Index)
{
    const int i = indexOfKey(Index);
    if (i < 0)
        subscriptError();
    Remove(i);
}

void cFrmCtrl::AddControl(QWidget *ctrControl)
{
    auto *w = new cCtrls;
    w->setControl(ctrControl);
    if (w->Control() && Add(w)) {
        w->OwnerClass = this;
        return;
    }
    delete w;
}

void cFrmCtrl::RemoveControl(QWidget *ctrControl)
{
    const int i = ctrControl ? indexOfKey(VbControl::key(ctrControl)) : -1;
    if (i >= 0)
        Remove(i);
}

void cFrmCtrl::ControlForm(QWidget *New_Form)
{
    pweForm = New_Form;
    if (!m_watching && qApp) {
        qApp->installEventFilter(this);
        m_watching = true;
    }
    if (!New_Form)
        return;
    const QList<QWidget *> controls = VbControl::formControls(New_Form);
    for (QWidget *c : controls)
        AddControl(c);
    for (QWidget *c : controls)
        AttachCaptionLabel(c);
    GetDefault();
}

bool cFrmCtrl::AttachCaptionLabel(QWidget *control)
{
    if (VbControl::typeName(control) != QLatin1String("Label"))
        return false;
    const QString tail = control->objectName().mid(3);
    for (cCtrls *w : std::as_const(m_ctrls)) {
        if (w->Control() && w->Control()->objectName().mid(3) == tail) {
            w->setCaption(qobject_cast<QLabel *>(control));
            return true;
        }
    }
    return false;
}

void cFrmCtrl::RestCaptionControl()
{
    if (!pweForm)
        return;
    for (QWidget *c : VbControl::formControls(pweForm)) {
        if (VbControl::typeName(c) != QLatin1String("Label"))
            continue;
        bool claimed = false;
        for (cCtrls *w : std::as_const(m_ctrls))
            if (w->Caption() && w->Caption()->objectName() == c->objectName())
                claimed = true;
        if (!claimed)
            AddFormCaption(qobject_cast<QLabel *>(c));
    }
}

void cFrmCtrl::AddFormCaption(QLabel *ctrCaption)
{
    if (!ctrCaption)
        return;
    const QString key = VbControl::key(ctrCaption);
    if (captionIndexOfKey(key) >= 0)
        return;
    m_captions.append(ctrCaption);
    m_captionKeys.append(key);
}

void cFrmCtrl::RemoveFormCaption(QLabel *ctrCaption)
{
    const int i = ctrCaption ? captionIndexOfKey(VbControl::key(ctrCaption)) : -1;
    if (i < 0)
        return;
    m_captions.removeAt(i);
    m_captionKeys.removeAt(i);
}

QList<QLabel *> cFrmCtrl::FormCaptions() const
{
    QList<QLabel *> out;
    for (const QPointer<QLabel> &l : m_captions)
        out.append(l.data());
    return out;
}

void cFrmCtrl::TerminateControls()
{
    m_focusHolder = nullptr;
    while (!m_ctrls.isEmpty()) {
        delete m_ctrls.takeLast();
        m_keys.removeLast();
    }
    m_captions.clear();
    m_captionKeys.clear();
}

// ---- broadcasts -----------------------------------------------------------------

void cFrmCtrl::DataClear()
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->DataClear();
}

void cFrmCtrl::DataDefault()
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->DataDefault();
}

void cFrmCtrl::FlagClear()
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->DataChanged = false;
}

void cFrmCtrl::GetDefault()
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->GetDefault();
}

void cFrmCtrl::GetDataDefault()
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->GetDataDefault();
}

bool cFrmCtrl::DataChanged() const
{
    for (cCtrls *w : m_ctrls)
        if (w->DataChanged)
            return true;
    return false;
}

// ---- access ---------------------------------------------------------------------

cCtrls *cFrmCtrl::Item(int Index) const
{
    if (Index < 0 || Index >= m_ctrls.size())
        subscriptError();
    return m_ctrls.at(Index);
}

cCtrls *cFrmCtrl::Item(const QString &Index) const
{
    const int i = indexOfKey(Index);
    if (i < 0)
        subscriptError();
    return m_ctrls.at(i);
}

cCtrls *cFrmCtrl::ControlItem(QWidget *control) const
{
    const int i = control ? indexOfKey(VbControl::key(control)) : -1;
    return i >= 0 ? m_ctrls.at(i) : nullptr;
}

// ---- keys and focus -------------------------------------------------------------

bool cFrmCtrl::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    QWidget *form = pweForm;
    auto *target = qobject_cast<QWidget *>(watched);
    if (!form || !target)
        return false;
    // Only the first delivery counts, not the propagation to the parents. Keys go to
    // the focus widget of the form's window, also while that window is not active (a
    // message box closed with a key leaves it so) and the application has none.
    QWidget *focus = form->window()->focusWidget();
    if (focus ? target != focus : target != form)
        return false;
    if (target != form && !form->isAncestorOf(target))
        return false;
    // Without KeyPreview the form sees keys only while no control has the focus.
    if (target != form && !VbControl::keyPreview(form))
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    int code = VbKeys::keyCode(key);
    if (code == 0)
        return false;
    const int shift = VbKeys::shift(key->modifiers());
    const bool down = event->type() == QEvent::KeyPress;
    trapErrors(kObject, down ? QStringLiteral("pweForm_KeyDown") : QStringLiteral("pweForm_KeyUp"), [&] {
        if (down)
            pweForm_KeyDown(code, shift);
        else
            pweForm_KeyUp(code, shift);
    });
    return down && code == 0;
}

void cFrmCtrl::pweForm_KeyDown(int &KeyCode, int Shift)
{
    if (!AllowKeyAction)
        return;
    if (ClearKey != 0 && KeyCode == ClearKey) {
        // Display-only fields keep what the form shows in them (the key of the record
        // being edited, computed figures).
        for (cCtrls *w : std::as_const(m_ctrls))
            if ((w->Style() == 0 ? w->DefaultStyle : w->Style()) != 3)
                w->DataClear();
        KeyCode = 0;
    }
    if (DefaultKey != 0 && KeyCode == DefaultKey) {
        DataDefault();
        KeyCode = 0;
    }
    QWidget *active = VbControl::activeControl(pweForm);
    const QString type = VbControl::typeName(active);
    if (type == QLatin1String("TextBox") || type == QLatin1String("imText")) {
        if (!VbControl::multiLine(active))
            KeyDown(KeyCode, Shift);
    } else if (type == QLatin1String("CommandButton") || type == QLatin1String("LineButton")) {
        if (KeyCode != VbKeys::Return) // Enter presses the focused button
            KeyDown(KeyCode, Shift);
    } else if (type != QLatin1String("TDBGrid")) {
        KeyDown(KeyCode, Shift);
    }
}

void cFrmCtrl::pweForm_KeyUp(int &KeyCode, int Shift)
{
    QWidget *active = VbControl::activeControl(pweForm);
    const QString type = VbControl::typeName(active);
    if (type == QLatin1String("TextBox") || type == QLatin1String("imText")) {
        if (!VbControl::multiLine(active))
            KeyUp(KeyCode, Shift);
    } else if (type != QLatin1String("TDBGrid")) {
        KeyUp(KeyCode, Shift);
    }
}

void cFrmCtrl::KeyDown(int &KeyCode, int Shift)
{
    if (!AllowKeyAction)
        return;
    bool back = false;
    if (KeyCode == VbKeys::Up && Shift == 0)
        back = true;
    else if (KeyCode == VbKeys::Return || (KeyCode == VbKeys::Down && Shift == 0))
        back = false;
    else
        return;
    QWidget *active = VbControl::activeControl(pweForm);
    if (active && isInputBoxType(VbControl::typeName(active))) {
        const QString keys = active->property(back ? "PrevCtrl" : "NextCtrl").toString();
        if (!keys.trimmed().isEmpty())
            return; // the box moves the focus itself
    }
    TabFocusEasy(back ? 1 : 0);
    KeyCode = 0;
}

void cFrmCtrl::KeyUp(int &KeyCode, int Shift)
{
    Q_UNUSED(KeyCode)
    Q_UNUSED(Shift)
}

void cFrmCtrl::TabFocusEasy(int MoveType)
{
    QWidget *form = pweForm;
    // Tab from the control that has the form's focus, so that it sees itself left.
    QWidget *from = form ? form->window()->focusWidget() : QApplication::focusWidget();
    if (form && (!from || !(from == form || form->isAncestorOf(from))))
        from = form;
    if (!from)
        return;
    const QPointer<QWidget> active(VbControl::activeControl(form));
    moveFocus(QStringLiteral("TabFocusEasy"), active, [&] {
        // Tab travels the window's own tab order, controls without a wrapper included.
        QKeyEvent tab(QEvent::KeyPress, MoveType == 1 ? Qt::Key_Backtab : Qt::Key_Tab,
                      MoveType == 1 ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(from, &tab);
    });
}

void cFrmCtrl::TabFocus(int MoveType)
{
    QWidget *form = pweForm;
    if (!form)
        return;
    const QList<QWidget *> order = VbControl::tabOrder(form);
    const QList<QWidget *> controls = VbControl::formControls(form);
    QPointer<QWidget> active(VbControl::activeControl(form));
    const int c = active ? int(order.indexOf(active.data())) : -1;
    int lastT = -1, lastPos = -1, firstT = 9999, firstPos = -1;
    int nextT = 9999, nextPos = -1, prevT = -1, prevPos = -1;
    for (int pos = 0; pos < controls.size(); ++pos) {
        QWidget *w = controls.at(pos);
        if (!takesPart(w, form))
            continue;
        const int t = int(order.indexOf(w));
        if (t < 0)
            continue;
        if (t > lastT) {
            lastT = t;
            lastPos = pos;
        }
        if (t < firstT) {
            firstT = t;
            firstPos = pos;
        }
        if (t != c) {
            if (t > c && t < nextT) {
                nextT = t;
                nextPos = pos;
            }
            if (t < c && t > prevT) {
                prevT = t;
                prevPos = pos;
            }
        }
    }
    if (nextPos < 0)
        nextPos = firstPos;
    if (prevPos < 0)
        prevPos = lastPos;
    const int chosen = MoveType == 1 ? prevPos : MoveType == 2 ? firstPos : MoveType == 3 ? lastPos : nextPos;
    if (chosen < 0)
        return;
    moveFocus(QStringLiteral("TabFocus"), active,
              [&] { controls.at(chosen)->setFocus(MoveType == 1 ? Qt::BacktabFocusReason : Qt::TabFocusReason); });
}

void cFrmCtrl::SetForcusTopControl()
{
    QWidget *form = pweForm;
    if (!form)
        return;
    static const QStringList types = {
        QStringLiteral("TDBGrid"),  QStringLiteral("imNumber"),      QStringLiteral("imText"),
        QStringLiteral("imDate"),   QStringLiteral("imTime"),        QStringLiteral("imMask"),
        QStringLiteral("imPostal"), QStringLiteral("ComboBox"),      QStringLiteral("TextBox"),
        QStringLiteral("CheckBox"), QStringLiteral("CommandButton"), QStringLiteral("OptionButton")};
    const QList<QWidget *> controls = VbControl::formControls(form);
    const QList<QWidget *> order = VbControl::tabOrder(form);
    int bound = int(controls.size());
    QWidget *chosen = nullptr;
    for (QWidget *w : controls) {
        if (!types.contains(VbControl::typeName(w)) || !takesPart(w, form))
            continue;
        const int t = int(order.indexOf(w));
        if (t >= 0 && t < bound) {
            bound = t;
            chosen = w;
        }
    }
    if (chosen)
        chosen->setFocus(Qt::OtherFocusReason);
}

void cFrmCtrl::NumberRangeFilter(ImNumber *ImNum)
{
    if (!ImNum)
        return;
    // The value as typed, not as a guarded box hands it out; an empty box is neither
    // above nor below its bounds.
    const QVariant typed = ImNum->TypedValue();
    if (vb::isNull(typed))
        return;
    const double max = ImNum->MaxValue();
    const double min = ImNum->MinValue();
    double value = typed.toDouble();
    // Beyond a bound of 0 the sign is turned round first. The box gets the end result
    // only, never a value on the way that lies outside the range.
    if (max != min && ((value > max && max == 0) || (value < min && min == 0)))
        value = -value;
    if (max == min || value > max)
        value = max;
    else if (value < min)
        value = min;
    if (value != typed.toDouble())
        ImNum->setValue(value);
}

// ---- appearance -----------------------------------------------------------------

quint32 cFrmCtrl::ControlBackColor(int index) const
{
    return tableGet(m_controlBackColor, index);
}
void cFrmCtrl::setControlBackColor(int index, quint32 colour)
{
    tableSet(m_controlBackColor, index, colour);
}
quint32 cFrmCtrl::ControlForeColor(int index) const
{
    return tableGet(m_controlForeColor, index);
}
void cFrmCtrl::setControlForeColor(int index, quint32 colour)
{
    tableSet(m_controlForeColor, index, colour);
}
quint32 cFrmCtrl::CaptionBackColor(int index) const
{
    return tableGet(m_captionBackColor, index);
}
void cFrmCtrl::setCaptionBackColor(int index, quint32 colour)
{
    tableSet(m_captionBackColor, index, colour);
}
quint32 cFrmCtrl::CaptionForeColor(int index) const
{
    return tableGet(m_captionForeColor, index);
}
void cFrmCtrl::setCaptionForeColor(int index, quint32 colour)
{
    tableSet(m_captionForeColor, index, colour);
}

QFont cFrmCtrl::CaptionFont(int state) const
{
    return state == 2 || state == 3 ? CaptionFoucusFont : CaptionNormalFont;
}

QFont cFrmCtrl::ButtonFont(int state) const
{
    return state == 2 || state == 3 ? ButtonFoucusFont : ButtonNormalFont;
}

void cFrmCtrl::FormControlsDefaultStyle(int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->DefaultStyle = style;
    FormControlsStyle(style);
}

void cFrmCtrl::FormControlsStyle(int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->setStyle(style);
}

void cFrmCtrl::FormControlsColor(int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->ControlColor(style);
}

void cFrmCtrl::FormCaptionsColor(int state)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->CaptionColor(state);
    for (const QPointer<QLabel> &label : std::as_const(m_captions)) {
        if (!label)
            continue;
        VbControl::setBackColor(label, CaptionBackColor(state));
        VbControl::setForeColor(label, CaptionForeColor(state));
        label->update();
    }
}

void cFrmCtrl::FormCaptionsFont(int state)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->CaptionFont(state);
    for (const QPointer<QLabel> &label : std::as_const(m_captions)) {
        if (!label)
            continue;
        label->setFont(CaptionFont(state));
        label->update();
    }
}

void cFrmCtrl::FormButtonsFont(int state)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->ButtonFont(state);
}

void cFrmCtrl::setFormCheckBoxColor(int value)
{
    m_formCheckBoxColor = value;
    for (cCtrls *w : std::as_const(m_ctrls))
        w->setCheckBoxColor(value);
}

void cFrmCtrl::AllowRangeFilter(bool New_Invalid)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->setAllowRangeFilter(New_Invalid);
}

void cFrmCtrl::AllowRangeError(bool New_Invalid)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->AllowRangeError = New_Invalid;
}

void cFrmCtrl::CaptionBackVisible(bool New_Visible)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->setCaptionBackVisible(New_Visible);
    for (const QPointer<QLabel> &label : std::as_const(m_captions)) {
        if (!label)
            continue;
        VbControl::setBackStyle(label, New_Visible ? 1 : 0);
        label->update();
    }
}

void cFrmCtrl::setCaptionClickSetFocus(bool on)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        w->CaptionClickSetFocus = on;
    m_captionClickSetFocus = on;
}

void cFrmCtrl::ControlsDefaultStyle(const QString &ControlType, int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        if (w->TypeName() == ControlType)
            w->DefaultStyle = style;
    ControlsStyle(ControlType, style);
}

void cFrmCtrl::ControlsStyle(const QString &ControlType, int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        if (w->TypeName() == ControlType)
            w->setStyle(style);
}

void cFrmCtrl::ControlsColor(const QString &ControlType, int style)
{
    for (cCtrls *w : std::as_const(m_ctrls))
        if (w->TypeName() == ControlType)
            w->ControlColor(style);
}
