#include "cCtrls.h"

#include "ErrorTrap.h"
#include "ImNumber.h"
#include "ImText.h"
#include "MsgBox.h"
#include "VbControl.h"
#include "VbKeys.h"
#include "VbRuntime.h"
#include "cFrmCtrl.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace
{

const QString kObject = QStringLiteral("cCtrls");

bool isInputBox(const QString &type)
{
    return type == QLatin1String("imNumber") || type == QLatin1String("imText");
}

bool isCheck(const QString &type)
{
    return type == QLatin1String("CheckBox") || type == QLatin1String("OptionButton");
}

bool isDropDownList(const QWidget *w)
{
    const auto *combo = qobject_cast<const QComboBox *>(w);
    return combo && !combo->isEditable();
}

/// Values compare as the change rule needs: Null equals only Null (a field that
/// goes from empty to a number, or back, has changed); numbers and booleans as
/// numbers; everything else as text.
bool sameValue(const QVariant &a, const QVariant &b)
{
    const bool nullA = vb::isNull(a) || vb::isEmpty(a);
    const bool nullB = vb::isNull(b) || vb::isEmpty(b);
    if (nullA || nullB)
        return nullA && nullB;
    const bool textA = a.typeId() == QMetaType::QString;
    const bool textB = b.typeId() == QMetaType::QString;
    if (!textA && !textB) {
        double x = 0, y = 0;
        if (vb::isNumeric(a, &x) && vb::isNumeric(b, &y))
            return x == y;
    }
    return vb::cstr(a) == vb::cstr(b);
}

/// Sets an option button, also off: a checked button of an exclusive group refuses
/// to be switched off directly.
void setOption(QRadioButton *button, bool on)
{
    if (button->isChecked() == on)
        return;
    if (on) {
        button->setChecked(true);
        return;
    }
    QButtonGroup *group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

bool ownEnabled(const QWidget *w)
{
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

} // namespace

cCtrls::cCtrls(QObject *parent) : QObject(parent) {}

cCtrls::~cCtrls()
{
    unbindControl();
    if (m_caption && m_captionBound)
        m_caption->removeEventFilter(this);
}

// ---- control and caption ------------------------------------------------------

void cCtrls::setControl(QWidget *New_Control)
{
    unbindControl();
    m_control = nullptr;
    m_type.clear();
    CaptionJointlyControl = nullptr;
    if (!New_Control)
        return;
    const QString type = VbControl::typeName(New_Control);
    static const QStringList wrapped = {QStringLiteral("imNumber"),    QStringLiteral("imText"),
                                        QStringLiteral("CheckBox"),    QStringLiteral("ComboBox"),
                                        QStringLiteral("TextBox"),     QStringLiteral("CommandButton"),
                                        QStringLiteral("OptionButton")};
    if (!wrapped.contains(type))
        return;
    m_control = New_Control;
    m_type = type;
    if (isInputBox(type))
        CaptionJointlyControl = qobject_cast<ImBox *>(New_Control);
    if (auto *box = qobject_cast<ImNumber *>(New_Control))
        box->setRangeGuard(m_allowRangeFilter);
    if (auto *text = qobject_cast<ImText *>(New_Control))
        text->setLengthAsByte(true);
    if (!VbControl::isArrayMember(New_Control))
        bindControl();
}

void cCtrls::setCaption(QLabel *label)
{
    if (m_caption && m_captionBound)
        m_caption->removeEventFilter(this);
    m_caption = label;
    m_captionBound = false;
    if (!label)
        return;
    if (!VbControl::isArrayMember(label)) {
        label->installEventFilter(this);
        m_captionBound = true;
    }
    m_captionBackColor = VbControl::backColor(label);
    m_captionForeColor = VbControl::foreColor(label);
    m_captionBackStyle = VbControl::backStyle(label);
    m_captionFont = label->font();
    m_captionFontKnown = true;
}

void cCtrls::bindControl()
{
    QWidget *w = m_control;
    w->installEventFilter(this);
    auto change = [this](const char *procedure) {
        return [this, procedure] { trapErrors(kObject, QString::fromLatin1(procedure), [this] { changeRule(); }); };
    };
    if (auto *box = qobject_cast<ImNumber *>(w)) {
        m_connections << connect(box, &ImNumber::Change, this, change("pweImNumber_Change"));
        m_connections << connect(box, &ImNumber::InvalidRange, this, [this](bool *keep) {
            trapErrors(kObject, QStringLiteral("pweImNumber_InvalidRange"), [this, keep] { rangeEvent(keep); });
        });
        m_connections << connect(box, &ImNumber::ValueClamped, this, [this, box](double requested) {
            trapErrors(kObject, QStringLiteral("pweImNumber_ValueClamped"), [&] { logClamp(box, requested); });
        });
    } else if (auto *text = qobject_cast<ImText *>(w)) {
        m_connections << connect(text, &ImText::Change, this, change("pweImText_Change"));
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        m_connections << connect(edit, &QLineEdit::textChanged, this, change("pweTextBox_Change"));
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        m_connections << connect(plain, &QPlainTextEdit::textChanged, this, change("pweTextBox_Change"));
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        m_connections << connect(rich, &QTextEdit::textChanged, this, change("pweTextBox_Change"));
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        m_connections << connect(combo, &QComboBox::currentTextChanged, this, change("pweComboBox_Change"));
        m_connections << connect(combo, &QComboBox::editTextChanged, this, change("pweComboBox_Change"));
        m_connections << connect(combo, &QComboBox::activated, this, change("pweComboBox_Click"));
    } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
        m_connections << connect(check, &QCheckBox::stateChanged, this, change("pweCheckBox_Click"));
    } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
        // Both the option switched on and the one switched off re-judge their flag.
        m_connections << connect(option, &QAbstractButton::toggled, this, change("pweOptButton_Click"));
    }
    m_bound = true;
}

void cCtrls::unbindControl()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_control && m_bound)
        m_control->removeEventFilter(this);
    m_bound = false;
    m_focused = false;
}

// ---- values -------------------------------------------------------------------

QVariant cCtrls::CurrentValue() const
{
    QWidget *w = m_control;
    if (!w)
        return QVariant();
    if (auto *box = qobject_cast<ImNumber *>(w))
        return box->Value();
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->toPlainText();
    if (auto *rich = qobject_cast<QTextEdit *>(w))
        return rich->toPlainText();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    if (auto *check = qobject_cast<QCheckBox *>(w))
        return int(check->checkState());
    if (auto *option = qobject_cast<QRadioButton *>(w))
        return option->isChecked();
    return QVariant();
}

void cCtrls::writeValue(const QVariant &value)
{
    QWidget *w = m_control;
    if (auto *box = qobject_cast<ImNumber *>(w)) {
        double d = 0;
        if (!vb::isNull(value) && vb::isNumeric(value, &d))
            box->setValue(d);
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        if (!vb::isNull(value))
            edit->setText(vb::cstr(value));
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        if (!vb::isNull(value))
            plain->setPlainText(vb::cstr(value));
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        if (!vb::isNull(value))
            rich->setPlainText(vb::cstr(value));
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable() && !vb::isNull(value)) {
            const QString text = vb::cstr(value);
            combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
            combo->setEditText(text);
        }
    } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
        double d = 0;
        if (!vb::isNull(value) && vb::isNumeric(value, &d) && d >= 0 && d <= 2)
            check->setCheckState(Qt::CheckState(int(d)));
    } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
        double d = 0;
        const bool on = value.typeId() == QMetaType::Bool ? value.toBool() : (vb::isNumeric(value, &d) && d != 0);
        setOption(option, on);
    }
}

void cCtrls::DataClear()
{
    QWidget *w = m_control;
    if (auto *box = qobject_cast<ImNumber *>(w)) {
        box->ClearControl(); // read-only boxes are cleared too
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setText(QString());
    } else if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        plain->setPlainText(QString());
    } else if (auto *rich = qobject_cast<QTextEdit *>(w)) {
        rich->setPlainText(QString());
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (!isDropDownList(combo)) {
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
        }
    } else if (auto *check = qobject_cast<QCheckBox *>(w)) {
        check->setCheckState(Qt::Unchecked);
    } else if (auto *option = qobject_cast<QRadioButton *>(w)) {
        setOption(option, false);
    }
}

void cCtrls::DataDefault()
{
    if (m_control && m_type != QLatin1String("CommandButton"))
        writeValue(DefaultValue);
    DataChanged = false;
}

void cCtrls::GetDefault()
{
    QWidget *w = m_control;
    if (!w)
        return;
    m_tabStop = VbControl::tabStop(w);
    m_enabled = ownEnabled(w);
    m_backColor = VbControl::backColor(w);
    if (m_type != QLatin1String("CommandButton"))
        m_foreColor = VbControl::foreColor(w);
    if (auto *box = qobject_cast<ImBox *>(w)) {
        m_readOnly = box->ReadOnly();
        m_highlightText = box->HighlightText();
    } else if (m_type == QLatin1String("TextBox") || m_type == QLatin1String("ComboBox")) {
        m_readOnly = VbControl::locked(w);
    } else if (isCheck(m_type)) {
        m_readOnly = m_enabled;
    } else if (m_type == QLatin1String("CommandButton")) {
        m_buttonFont = w->font();
        return;
    }
    DefaultValue = CurrentValue();
}

void cCtrls::GetDataDefault()
{
    if (m_control && m_type != QLatin1String("CommandButton"))
        DefaultValue = CurrentValue();
}

void cCtrls::changeRule()
{
    DataChanged = !sameValue(CurrentValue(), DefaultValue);
}

// ---- styles and colours -------------------------------------------------------

void cCtrls::setStyle(int style)
{
    m_style = style;
    ApplyStyle(style == 0 ? DefaultStyle : style);
}

void cCtrls::ApplyStyle(int style)
{
    ControlColor(style);
    QWidget *w = m_control;
    if (!w)
        return;
    if (auto *box = qobject_cast<ImBox *>(w)) {
        switch (style) {
        case 0:
            VbControl::setTabStop(w, m_tabStop);
            w->setEnabled(m_enabled);
            box->setReadOnly(m_readOnly);
            box->setHighlightText(m_highlightText);
            break;
        case 3:
            VbControl::setTabStop(w, false);
            box->setReadOnly(true);
            w->setEnabled(true);
            box->setHighlightText(false);
            break;
        default:
            VbControl::setTabStop(w, style != 2);
            box->setReadOnly(false);
            w->setEnabled(true);
            box->setHighlightText(true);
            break;
        }
    } else if (m_type == QLatin1String("TextBox") || m_type == QLatin1String("ComboBox")) {
        switch (style) {
        case 0:
            VbControl::setTabStop(w, m_tabStop);
            w->setEnabled(m_enabled);
            VbControl::setLocked(w, m_readOnly);
            break;
        case 3:
            VbControl::setTabStop(w, false);
            VbControl::setLocked(w, true);
            w->setEnabled(true);
            break;
        default:
            VbControl::setTabStop(w, style != 2);
            VbControl::setLocked(w, false);
            w->setEnabled(true);
            break;
        }
    } else if (isCheck(m_type)) {
        VbControl::setTabStop(w, style == 0 ? m_tabStop : (style != 2 && style != 3));
        w->setEnabled(style == 0 ? m_readOnly : style != 3);
    } else if (m_type == QLatin1String("CommandButton")) {
        VbControl::setTabStop(w, style == 0 ? m_tabStop : (style != 2 && style != 3));
        w->setEnabled(style == 0 ? m_enabled : style != 3);
    }
}

void cCtrls::ControlColor(int style)
{
    QWidget *w = m_control;
    if (!w || !OwnerClass || m_type == QLatin1String("CommandButton"))
        return;
    if (!isCheck(m_type) || m_checkBoxColor == 2) {
        quint32 back = m_backColor;
        quint32 fore = m_foreColor;
        if (style != 0) {
            back = OwnerClass->ControlBackColor(style); // a style outside 0..4 fails here, before any change
            fore = OwnerClass->ControlForeColor(style);
        }
        VbControl::setBackColor(w, back);
        VbControl::setForeColor(w, fore);
    } else if (m_checkBoxColor == 1) {
        QWidget *form = OwnerClass->Form() ? OwnerClass->Form() : w->window();
        VbControl::setBackColor(w, VbControl::backColor(form));
        VbControl::setForeColor(w, VbControl::foreColor(form));
    } else {
        if (m_captionBackStyle == 1)
            VbControl::setBackColor(w, OwnerClass->CaptionBackColor(1));
        VbControl::setForeColor(w, OwnerClass->CaptionForeColor(1));
    }
}

void cCtrls::CaptionColor(int state)
{
    if (!OwnerClass || !OwnerClass->AllowCaptionColor())
        return;
    if (QLabel *label = m_caption) {
        if (state != 0) {
            const quint32 back = OwnerClass->CaptionBackColor(state);
            const quint32 fore = OwnerClass->CaptionForeColor(state);
            VbControl::setBackColor(label, back);
            VbControl::setForeColor(label, fore);
        } else {
            VbControl::setBackColor(label, m_captionBackColor);
            VbControl::setForeColor(label, m_captionForeColor);
        }
        label->update();
    }
    if (ImBox *box = CaptionJointlyControl) {
        if (state != 0) {
            const quint32 back = OwnerClass->CaptionBackColor(state);
            const quint32 fore = OwnerClass->CaptionForeColor(state);
            if (m_captionBackStyle == 1)
                box->Caption().BackColor = back;
            box->Caption().ForeColor = fore;
        } else {
            box->Caption().BackColor = m_captionBackColor;
            box->Caption().ForeColor = m_captionForeColor;
        }
    }
}

void cCtrls::CaptionFont(int state)
{
    if (!OwnerClass || !OwnerClass->AllowCaptionColor())
        return;
    if (QLabel *label = m_caption) {
        if (state != 0)
            label->setFont(OwnerClass->CaptionFont(state));
        else if (m_captionFontKnown)
            label->setFont(m_captionFont);
        label->update();
    }
    if (ImBox *box = CaptionJointlyControl) {
        if (state != 0)
            box->Caption().Font = OwnerClass->CaptionFont(state);
        else if (m_captionFontKnown)
            box->Caption().Font = m_captionFont;
    }
}

void cCtrls::setCaptionBackVisible(bool visible)
{
    m_captionBackStyle = visible ? 1 : 0;
    if (m_caption)
        VbControl::setBackStyle(m_caption, m_captionBackStyle);
}

void cCtrls::ButtonFont(int state)
{
    QWidget *w = m_control;
    if (!w || m_type != QLatin1String("CommandButton") || !OwnerClass || !VbControl::tabStop(w) ||
        !OwnerClass->AllowButtonFont())
        return;
    w->setFont(state != 0 ? OwnerClass->ButtonFont(state) : m_buttonFont);
}

void cCtrls::setCheckBoxColor(int value)
{
    m_checkBoxColor = value;
    ControlColor(m_style);
}

// ---- focus ----------------------------------------------------------------------

void cCtrls::SetFocus()
{
    QWidget *w = m_control;
    if (w && VbControl::tabStop(w) && w->isEnabled())
        w->setFocus(Qt::OtherFocusReason);
}

void cCtrls::ErrorFocus()
{
    SetFocus();
    QCoreApplication::processEvents();
    ErrorCaption();
}

void cCtrls::ErrorCaption()
{
    CaptionColor(3);
    CaptionFont(3);
}

void cCtrls::gotFocus()
{
    if (m_type == QLatin1String("CommandButton")) {
        ButtonFont(2);
        CaptionColor(2);
        CaptionFont(2);
    } else if (isCheck(m_type)) {
        if (!OwnerClass || !OwnerClass->AllowCaptionColor())
            return;
        if (!m_caption) {
            if (m_captionBackStyle == 1)
                VbControl::setBackColor(m_control, OwnerClass->CaptionBackColor(2));
            VbControl::setForeColor(m_control, OwnerClass->CaptionForeColor(2));
        } else {
            CaptionColor(2);
            // A check box switches the caption font only while it is enabled.
            if (m_type == QLatin1String("OptionButton") || m_control->isEnabled())
                CaptionFont(2);
        }
    } else {
        CaptionColor(2);
        CaptionFont(2);
    }
}

void cCtrls::lostFocus()
{
    if (m_type == QLatin1String("CommandButton")) {
        ButtonFont(1);
        CaptionColor(1);
        CaptionFont(1);
    } else if (isCheck(m_type)) {
        if (!OwnerClass || !OwnerClass->AllowCaptionColor())
            return;
        if (!m_caption) {
            ControlColor(m_style);
        } else {
            CaptionColor(1);
            if (m_type == QLatin1String("OptionButton") || m_control->isEnabled())
                CaptionFont(1);
        }
    } else {
        CaptionColor(1);
        CaptionFont(1);
    }
}

// ---- keys and range -------------------------------------------------------------

bool cCtrls::formPreviews() const
{
    QWidget *form = OwnerClass && OwnerClass->Form() ? OwnerClass->Form() : (m_control ? m_control->window() : nullptr);
    return VbControl::keyPreview(form);
}

bool cCtrls::forwardsKey(int keyCode, int shift, bool down) const
{
    const bool preview = formPreviews();
    const bool arrow = keyCode == VbKeys::Up || keyCode == VbKeys::Down;
    if (m_type == QLatin1String("TextBox"))
        return !preview && !VbControl::multiLine(m_control);
    if (m_type == QLatin1String("ComboBox"))
        return !preview && (!down || shift != 0 || !arrow); // plain arrows stay in the list
    if (isCheck(m_type))
        return !preview;
    if (m_type == QLatin1String("imNumber"))
        return !preview || arrow;
    if (m_type == QLatin1String("imText"))
        return (!preview || arrow) && !qobject_cast<ImBox *>(m_control)->MultiLine();
    return false;
}

void cCtrls::ForwardKeyDown(int &KeyCode, int &Shift)
{
    if (m_control && OwnerClass)
        OwnerClass->KeyDown(KeyCode, Shift);
}

void cCtrls::ForwardKeyUp(int &KeyCode, int &Shift)
{
    if (m_control && OwnerClass)
        OwnerClass->KeyUp(KeyCode, Shift);
}

void cCtrls::ForwardRangeFilter(ImNumber *box)
{
    if (m_control && OwnerClass)
        OwnerClass->NumberRangeFilter(box);
}

void cCtrls::ShowRangeError(ImNumber *box)
{
    const QString pattern = box->DisplayFormat().isEmpty() ? box->Format() : box->DisplayFormat();
    const QString low = ImNumber::FormatNumber(box->MinValue(), pattern);
    const QString high = ImNumber::FormatNumber(box->MaxValue(), pattern);
    const QString field = box->DataField().trimmed();
    const QString message = field.isEmpty()
                                ? QStringLiteral("[%1]～[%2]の範囲で値を入力して下さい。").arg(low, high)
                                : QStringLiteral("%1は[%2]～[%3]の範囲で入力して下さい。").arg(field, low, high);
    MsgBox::show(message, MsgBox::Exclamation, QStringLiteral("入力範囲エラー"), box->window());
    ErrorFocus();
}

void cCtrls::setAllowRangeFilter(bool on)
{
    m_allowRangeFilter = on;
    if (auto *box = qobject_cast<ImNumber *>(m_control))
        box->setRangeGuard(on);
}

void cCtrls::logClamp(ImNumber *box, double requested)
{
    // A value from the settings or a stored row that the box cannot hold: the user
    // goes on with the bound, the log keeps what was there.
    const auto number = [](double v) { return QString::number(v, 'g', 15); };
    QWidget *form = OwnerClass && OwnerClass->Form() ? OwnerClass->Form() : box->window();
    writeErrLog(
        QStringLiteral("値 %1 は範囲[%2]～[%3]の外のため %4 にしました。")
            .arg(number(requested), number(box->MinValue()), number(box->MaxValue()), number(box->Value().toDouble())),
        form->objectName(), VbControl::key(box));
}

void cCtrls::rangeEvent(bool *keep)
{
    auto *box = qobject_cast<ImNumber *>(m_control);
    if (!box)
        return;
    if (AllowRangeError)
        ShowRangeError(box);
    if (m_allowRangeFilter)
        ForwardRangeFilter(box);
    else if (keep)
        *keep = true;
}

// ---- events ---------------------------------------------------------------------

bool cCtrls::eventFilter(QObject *watched, QEvent *event)
{
    bool consumed = false;
    // A caption in its destructor is no longer a label and must not be taken for one.
    if (m_captionBound && qobject_cast<QLabel *>(watched) && watched == m_caption) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            trapErrors(kObject, QStringLiteral("pweCaption_Click"), [this] {
                if (CaptionClickSetFocus && m_control && m_control->isEnabled())
                    m_control->setFocus(Qt::MouseFocusReason);
            });
        }
        return false;
    }
    if (watched != m_control || !m_bound)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason)
            break;
        trapErrors(kObject, QStringLiteral("GotFocus"), [this] {
            // The form's active control changes: the one that had it loses it, even
            // when its focus went away with the window.
            if (OwnerClass && OwnerClass->m_focusHolder == this && m_focused)
                return;
            if (OwnerClass) {
                if (cCtrls *previous = OwnerClass->m_focusHolder; previous && previous != this && previous->m_focused) {
                    previous->m_focused = false;
                    previous->lostFocus();
                }
                OwnerClass->m_focusHolder = this;
            }
            m_focused = true;
            gotFocus();
        });
        break;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || !m_focused)
            break;
        trapErrors(kObject, QStringLiteral("LostFocus"), [this] {
            m_focused = false;
            if (OwnerClass && OwnerClass->m_focusHolder == this)
                OwnerClass->m_focusHolder = nullptr;
            lostFocus();
        });
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        int code = VbKeys::keyCode(key);
        int shift = VbKeys::shift(key->modifiers());
        const bool down = event->type() == QEvent::KeyPress;
        if (code == 0 || !forwardsKey(code, shift, down))
            break;
        trapErrors(kObject, down ? QStringLiteral("KeyDown") : QStringLiteral("KeyUp"), [&] {
            if (down)
                ForwardKeyDown(code, shift);
            else
                ForwardKeyUp(code, shift);
        });
        consumed = down && code == 0; // the controller acted on the key
        break;
    }
    default:
        break;
    }
    return consumed;
}
