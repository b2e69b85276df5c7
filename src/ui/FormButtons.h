#pragma once

#include <QString>

#include <functional>

class QObject;
class QWidget;

/// Every form makes its line buttons here, so each form needs only the
/// button's name, caption and click.
namespace FormButtons
{

/// A line button with the control name and caption, placed by the caller.
QWidget *create(QWidget *parent, const QString &name, const QString &caption);
/// Runs action (trapped by the caller) when the button is clicked.
void onClick(QWidget *button, QObject *context, std::function<void()> action);
/// Clicks the button as the user would (tests and keyboard shortcuts).
void click(QWidget *button);

} // namespace FormButtons
