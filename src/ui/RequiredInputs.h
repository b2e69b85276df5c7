#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

/// The required inputs of a form that are missing, collected in the order the form
/// tests them, for one message box that lists them all.
///
///     RequiredInputs required;
///     required.check(name.trimmed().isEmpty(), " [ 計画名 ] ", txtName);
///     required.check(floors == 0, " [ 階数 ] ", numKaoku4);
///     if (!required.report(this))   // " [ 計画名 ]  [ 階数 ] を入力して下さい。"
///         return false;             // the focus is on txtName
class RequiredInputs
{
public:
    /// Adds the label when the input is missing; the first missing control is kept.
    void check(bool missing, const char *label, QWidget *control);
    /// True when nothing is missing. Otherwise shows the labels followed by
    /// "を入力して下さい。" titled "確認" (exclamation icon, OK), moves the focus to the
    /// first missing control and returns false.
    bool report(QWidget *parent) const;

private:
    QString m_labels;
    QPointer<QWidget> m_first;
};
