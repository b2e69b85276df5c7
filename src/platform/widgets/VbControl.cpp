#include "VbControl.h"

#include "ImNumber.h"
#include "ImText.h"
#include "VbColor.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTextEdit>

#include <cmath>

namespace
{

const char kTypeProperty[] = "vbTypeName";
const char kIndexProperty[] = "index";
const char kBackColor[] = "BackColor";
const char kForeColor[] = "ForeColor";
const char kBackStyle[] = "BackStyle";
const char kKeyPreview[] = "KeyPreview";
const char kLocked[] = "Locked";
const char kTabPolicy[] = "vbTabFocusPolicy";

/// Stops a locked combo box from changing its choice while it keeps the focus keys.
class ComboLock : public QObject
{
public:
    static ComboLock *instance()
    {
        static ComboLock *lock = new ComboLock(qApp);
        return lock;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!watched->property(kLocked).toBool())
            return false;
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
            return true;
        case QEvent::KeyPress: {
            const auto *key = static_cast<QKeyEvent *>(event);
            switch (key->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                return false;
            default:
                return true; // arrows, F4, letters: all would change or drop the list
            }
        }
        default:
            return false;
        }
    }

private:
    using QObject::QObject;
};

quint32 defaultBackColor(const QString &type)
{
    if (type == QLatin1String("imNumber") || type == QLatin1String("imText") || type == QLatin1String("TextBox") ||
        type == QLatin1String("ComboBox") || type == QLatin1String("TDBGrid"))
        return VbColor::Window;
    return VbColor::ButtonFace;
}

quint32 defaultForeColor(const QString &type)
{
    if (type == QLatin1String("imNumber") || type == QLatin1String("imText") || type == QLatin1String("TextBox") ||
        type == QLatin1String("ComboBox") || type == QLatin1String("TDBGrid"))
        return VbColor::WindowText;
    return VbColor::ButtonText;
}

void paint(QWidget *w, bool back, quint32 colour)
{
    const QString type = VbControl::typeName(w);
    QList<QPalette::ColorRole> roles;
    if (type == QLatin1String("imNumber") || type == QLatin1String("imText") || type == QLatin1String("TextBox") ||
        type == QLatin1String("TDBGrid")) {
        roles = {back ? QPalette::Base : QPalette::Text};
    } else if (type == QLatin1String("ComboBox")) {
        roles = {back ? QPalette::Base : QPalette::Text, back ? QPalette::Button : QPalette::ButtonText};
    } else if (type == QLatin1String("CommandButton") || type == QLatin1String("LineButton")) {
        roles = {back ? QPalette::Button : QPalette::ButtonText};
    } else {
        // Check boxes and option buttons fill their background with their own role (the button colour).
        roles = {back ? QPalette::Window : QPalette::WindowText};
        const QPalette::ColorRole own = back ? w->backgroundRole() : w->foregroundRole();
        if (!roles.contains(own))
            roles.append(own);
        if (back && !w->isWindow())
            w->setAutoFillBackground(type == QLatin1String("Label") ? VbControl::backStyle(w) == 1 : true);
    }
    QPalette pal = w->palette();
    const QColor c = VbColor::toQColor(colour);
    // The disabled look stays the platform's, as a disabled control's colours do.
    for (QPalette::ColorRole role : roles) {
        pal.setColor(QPalette::Active, role, c);
        pal.setColor(QPalette::Inactive, role, c);
    }
    w->setPalette(pal);
    w->update();
}

} // namespace

int VbControl::twipsToPixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

double VbControl::pixelsToTwips(int pixels)
{
    return double(pixels) * TwipsPerPixel;
}

QString VbControl::typeName(const QObject *control)
{
    if (!control)
        return QString();
    const QVariant forced = control->property(kTypeProperty);
    if (forced.isValid() && !forced.toString().isEmpty())
        return forced.toString();
    if (qobject_cast<const ImNumber *>(control))
        return QStringLiteral("imNumber");
    if (qobject_cast<const ImText *>(control))
        return QStringLiteral("imText");
    if (qobject_cast<const QCheckBox *>(control))
        return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton *>(control))
        return QStringLiteral("OptionButton");
    if (qobject_cast<const QPushButton *>(control))
        return QStringLiteral("CommandButton");
    if (qobject_cast<const QComboBox *>(control))
        return QStringLiteral("ComboBox");
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control) ||
        qobject_cast<const QTextEdit *>(control))
        return QStringLiteral("TextBox");
    if (qobject_cast<const QLabel *>(control))
        return QStringLiteral("Label");
    if (qobject_cast<const QAbstractItemView *>(control))
        return QStringLiteral("TDBGrid");
    if (qobject_cast<const QGroupBox *>(control) || qobject_cast<const QFrame *>(control))
        return QStringLiteral("Frame");
    return QString();
}

bool VbControl::isContainerType(const QString &typeName)
{
    return typeName.isEmpty() || typeName == QLatin1String("Frame");
}

bool VbControl::isArrayMember(const QObject *control)
{
    return control && control->property(kIndexProperty).isValid();
}

int VbControl::index(const QObject *control)
{
    if (!isArrayMember(control))
        return -1;
    bool ok = false;
    const int i = control->property(kIndexProperty).toInt(&ok);
    return ok ? i : -1;
}

QString VbControl::key(const QObject *control)
{
    if (!control)
        return QString();
    if (!isArrayMember(control))
        return control->objectName();
    return control->objectName() + QLatin1Char('_') + QString::number(index(control));
}

namespace
{

void collect(QWidget *parent, QList<QWidget *> &out)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow())
            continue;
        const QString name = w->objectName();
        const bool own = !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
        if (own)
            out.append(w);
        if (VbControl::isContainerType(VbControl::typeName(w)))
            collect(w, out);
    }
}

} // namespace

QList<QWidget *> VbControl::formControls(QWidget *form)
{
    QList<QWidget *> out;
    if (form)
        collect(form, out);
    return out;
}

QList<QWidget *> VbControl::tabOrder(QWidget *form)
{
    QList<QWidget *> out;
    if (!form)
        return out;
    const QList<QWidget *> controls = formControls(form);
    QSet<QWidget *> pending(controls.begin(), controls.end());
    QWidget *w = form->nextInFocusChain();
    // The chain is a ring through the whole window; one round suffices.
    for (int guard = 0; w && w != form && !pending.isEmpty() && guard < 100000; ++guard) {
        if (pending.remove(w))
            out.append(w);
        w = w->nextInFocusChain();
    }
    for (QWidget *c : controls) // controls outside the chain go last, in creation order
        if (pending.contains(c))
            out.append(c);
    return out;
}

int VbControl::tabIndex(QWidget *form, QWidget *control)
{
    return int(tabOrder(form).indexOf(control));
}

QWidget *VbControl::activeControl(QWidget *form)
{
    // The window keeps its focus widget while it is not active, and keys still reach it.
    QWidget *focus = form ? form->window()->focusWidget() : nullptr;
    if (!focus || !(focus == form || form->isAncestorOf(focus)))
        return nullptr;
    QWidget *found = nullptr;
    for (QWidget *w = focus; w && w != form; w = w->parentWidget())
        if (!isContainerType(typeName(w)))
            found = w; // the outermost control wins: a combo box over its own edit
    return found;
}

bool VbControl::tabStop(const QWidget *control)
{
    return control && (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void VbControl::setTabStop(QWidget *control, bool on)
{
    if (!control || tabStop(control) == on)
        return;
    if (!on) {
        control->setProperty(kTabPolicy, int(control->focusPolicy()));
        control->setFocusPolicy((control->focusPolicy() & Qt::ClickFocus) ? Qt::ClickFocus : Qt::NoFocus);
        return;
    }
    const QVariant saved = control->property(kTabPolicy);
    const int policy = saved.isValid() ? saved.toInt() : int(Qt::StrongFocus);
    control->setFocusPolicy((policy & Qt::TabFocus) ? Qt::FocusPolicy(policy) : Qt::StrongFocus);
}

bool VbControl::locked(const QWidget *control)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->isReadOnly();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(control))
        return text->isReadOnly();
    if (auto *text = qobject_cast<const QTextEdit *>(control))
        return text->isReadOnly();
    return control && control->property(kLocked).toBool();
}

void VbControl::setLocked(QWidget *control, bool on)
{
    if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        edit->setReadOnly(on);
    } else if (auto *text = qobject_cast<QPlainTextEdit *>(control)) {
        text->setReadOnly(on);
    } else if (auto *rich = qobject_cast<QTextEdit *>(control)) {
        rich->setReadOnly(on);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setProperty(kLocked, on);
        combo->removeEventFilter(ComboLock::instance());
        combo->installEventFilter(ComboLock::instance());
        if (combo->lineEdit())
            combo->lineEdit()->setReadOnly(on);
    } else if (control) {
        control->setProperty(kLocked, on);
    }
}

bool VbControl::multiLine(const QWidget *control)
{
    return qobject_cast<const QPlainTextEdit *>(control) || qobject_cast<const QTextEdit *>(control);
}

quint32 VbControl::backColor(const QWidget *control)
{
    if (!control)
        return 0;
    const QVariant v = control->property(kBackColor);
    return v.isValid() ? v.toUInt() : defaultBackColor(typeName(control));
}

void VbControl::setBackColor(QWidget *control, quint32 colour)
{
    if (!control)
        return;
    control->setProperty(kBackColor, colour);
    paint(control, true, colour);
}

quint32 VbControl::foreColor(const QWidget *control)
{
    if (!control)
        return 0;
    const QVariant v = control->property(kForeColor);
    return v.isValid() ? v.toUInt() : defaultForeColor(typeName(control));
}

void VbControl::setForeColor(QWidget *control, quint32 colour)
{
    if (!control)
        return;
    control->setProperty(kForeColor, colour);
    paint(control, false, colour);
}

int VbControl::backStyle(const QWidget *label)
{
    if (!label)
        return 1;
    const QVariant v = label->property(kBackStyle);
    return v.isValid() ? v.toInt() : 1;
}

void VbControl::setBackStyle(QWidget *label, int style)
{
    if (!label)
        return;
    label->setProperty(kBackStyle, style);
    if (label->property(kBackColor).isValid())
        label->setAutoFillBackground(style == 1);
    label->update();
}

bool VbControl::keyPreview(const QWidget *form)
{
    return form && form->property(kKeyPreview).toBool();
}

void VbControl::setKeyPreview(QWidget *form, bool on)
{
    if (form)
        form->setProperty(kKeyPreview, on);
}
