#pragma once

#include <QList>
#include <QString>

class QObject;
class QWidget;

/// How the forms runtime's controls map onto Qt widgets, and the few properties of
/// theirs that the form controller reads and writes by name.
///
/// Type names: ImNumber "imNumber", ImText "imText", QCheckBox "CheckBox",
/// QRadioButton "OptionButton", QComboBox "ComboBox" (not editable: the drop-down
/// list, style 2), QLineEdit and QPlainTextEdit "TextBox" (the latter multi-line),
/// QPushButton "CommandButton", QLabel "Label", item views "TDBGrid", frames and
/// group boxes "Frame". A widget may name its type itself with the dynamic property
/// "vbTypeName" (LineButton does: "LineButton").
///
/// A control is a widget with an object name (not one of Qt's own "qt_" parts).
/// Members of a control array share the object name and carry the dynamic
/// property "index" (an int); their key is "name_index".
class VbControl
{
public:
    /// Twips per pixel, horizontally and vertically: forms are laid out at 96 dpi.
    static constexpr int TwipsPerPixel = 15;
    static int twipsToPixels(double twips);
    static double pixelsToTwips(int pixels);

    static QString typeName(const QObject *control);
    /// Controls that hold other controls: frames and plain widgets.
    static bool isContainerType(const QString &typeName);

    static bool isArrayMember(const QObject *control);
    /// The index of an array member; -1 for any other control.
    static int index(const QObject *control);
    /// "name" or "name_index".
    static QString key(const QObject *control);

    /// The form's controls in creation order, frames' contents included, the inner
    /// parts of a control (a combo box's edit, a grid's scroll bars) excluded.
    static QList<QWidget *> formControls(QWidget *form);
    /// The form's controls in tab order (the order Tab visits them).
    static QList<QWidget *> tabOrder(QWidget *form);
    /// Position of the control in tabOrder; -1 when it is not a control of the form.
    static int tabIndex(QWidget *form, QWidget *control);
    /// The control of the form that has the focus, or has it back when the form's
    /// window is active again (for an inner part, the control it belongs to); null
    /// when the focus is elsewhere.
    static QWidget *activeControl(QWidget *form);

    /// Whether Tab stops at the control. Turning it off keeps the control
    /// focusable by mouse; turning it on restores its own focus policy.
    static bool tabStop(const QWidget *control);
    static void setTabStop(QWidget *control, bool on);

    /// Locked text and combo boxes keep their content: no typing, no choosing.
    static bool locked(const QWidget *control);
    static void setLocked(QWidget *control, bool on);

    static bool multiLine(const QWidget *control);

    /// Colours as 0x00BBGGRR or system colour values (see VbColor). Controls that
    /// were never given one answer the runtime's default for their type.
    static quint32 backColor(const QWidget *control);
    static void setBackColor(QWidget *control, quint32 colour);
    static quint32 foreColor(const QWidget *control);
    static void setForeColor(QWidget *control, quint32 colour);
    /// A label's back style: 1 opaque (the default), 0 transparent.
    static int backStyle(const QWidget *label);
    static void setBackStyle(QWidget *label, int style);

    /// The form's KeyPreview: its key handling sees keys before the focused control.
    static bool keyPreview(const QWidget *form);
    static void setKeyPreview(QWidget *form, bool on);
};
