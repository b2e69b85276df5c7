#pragma once

#include "ImBox.h"

#include <QVariant>

#include <optional>

/// The number entry box. Its value is Null while the box is empty, otherwise a
/// number (double); Value() hands it over as a QVariant (vb::null() or double).
///
/// Typing accepts digits, one leading minus sign and one decimal point followed by at
/// most Decimals() digits (none in a whole-number box: "12.5" typed there stops at
/// "12."); full-width digits, minus, point and comma are taken as their half-width
/// forms; a comma between digits is passed over; anything else is refused. A paste
/// (or a drop) is taken when, without the blanks around it and the commas between its
/// digits, it makes a number typing could make, its decimals past the box's cut;
/// otherwise it is refused whole, whatever the box held. A refused key or paste leaves
/// the text, cursor and selection as they were.
/// The value follows every accepted keystroke (Change is raised for each change of
/// value, typed or set by the program). While the box has the focus it shows the
/// plain number; otherwise the number in DisplayFormat.
///
/// When the box loses the focus holding a value outside MinValue..MaxValue, it
/// raises InvalidRange(&keep): a handler may put the value into range itself or set
/// keep to leave it as it is; when neither happened the box pulls the value to the
/// nearer bound. Losing the focus to another window checks the range too, but the
/// box stays in editing for the user's return.
///
/// A window that is not active (a message box closed with a key leaves its parent
/// so) still gets keys, but its boxes get no focus events: a key that reaches the
/// box starts editing as entering it would, and the focus moving on from it ends
/// editing as leaving it would.
///
/// With RangeGuard on (the forms' control wrappers set it where range filtering is on),
/// the box never hands out a value outside its range: Value() gives a value typed
/// past a bound, not yet judged on leaving, as that bound; a value the program sets
/// outside the range is stored as the nearer bound and reported by ValueClamped.
class ImNumber : public ImBox
{
    Q_OBJECT
    Q_PROPERTY(QVariant Value READ Value WRITE setValue NOTIFY Change)
    Q_PROPERTY(double MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(double MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(QString DisplayFormat READ DisplayFormat WRITE setDisplayFormat)
    Q_PROPERTY(QString Format READ Format WRITE setFormat)
    Q_PROPERTY(int Decimals READ Decimals WRITE setDecimals)
    Q_PROPERTY(QString DataField READ DataField WRITE setDataField)
    Q_PROPERTY(bool RangeGuard READ RangeGuard WRITE setRangeGuard)

public:
    explicit ImNumber(QWidget *parent = nullptr);

    QVariant Value() const;
    /// Null, Empty or blank text empties the box; a number or numeric text sets it.
    /// Throws std::invalid_argument for anything else (with RangeGuard, an infinite
    /// number is out of range rather than no number).
    void setValue(const QVariant &value);
    /// The value as held, a typed value past a bound included: what the range rule
    /// judges. Without RangeGuard the same as Value().
    QVariant TypedValue() const;
    bool isNull() const { return !m_value.has_value(); }
    /// Empties the box (the value becomes Null).
    void ClearControl();

    double MinValue() const { return m_min; }
    void setMinValue(double value) { m_min = value; }
    double MaxValue() const { return m_max; }
    void setMaxValue(double value) { m_max = value; }
    /// Format of the value while the box does not have the focus, as "###,##0" or
    /// "##0.00"; sections "positive;negative;zero" as in Format.
    QString DisplayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &pattern);
    /// The edit format, as "##0.00;;0.00"; its decimals are the box's decimals
    /// unless setDecimals says otherwise.
    QString Format() const { return m_format; }
    void setFormat(const QString &pattern);
    /// Digits allowed after the decimal point.
    int Decimals() const;
    /// -1 takes the decimals from Format (or DisplayFormat).
    void setDecimals(int decimals);
    /// The field's name, used in the range message.
    QString DataField() const { return m_dataField; }
    void setDataField(const QString &name) { m_dataField = name; }
    bool RangeGuard() const { return m_rangeGuard; }
    void setRangeGuard(bool on) { m_rangeGuard = on; }

    /// A number in a format of up to three sections (positive;negative;zero); an
    /// empty section uses the first. An empty pattern gives the plain number.
    static QString FormatNumber(double value, const QString &pattern);

Q_SIGNALS:
    /// The value changed (typed or set by the program).
    void Change();
    /// The box is left holding a value outside its range.
    void InvalidRange(bool *keep);
    /// With RangeGuard, the program set a value outside the range; the box holds the
    /// nearer bound instead.
    void ValueClamped(double requested);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void startEditing();
    void startEditingByKey();
    void leave();
    bool outOfRange(double value) const { return value < m_min || value > m_max; }
    double nearerBound(double value) const { return value < m_min ? m_min : m_max; }
    void takeTypedText(const QString &text);
    void store(std::optional<double> value);
    void showValue();
    void checkRange();
    QString editText() const;

    std::optional<double> m_value;
    double m_min = -999999999.0;
    double m_max = 999999999.0;
    QString m_displayFormat;
    QString m_format;
    QString m_dataField;
    int m_decimals = -1;
    bool m_editing = false;
    bool m_showing = false; // the box writes its own text
    bool m_checking = false;
    bool m_rangeGuard = false;
};
