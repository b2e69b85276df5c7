#include "FormButtons.h"

#include "LineButton.h"

QWidget *FormButtons::create(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new LineButton(caption, parent);
    button->setObjectName(name);
    return button;
}

void FormButtons::onClick(QWidget *button, QObject *context, std::function<void()> action)
{
    if (auto *line = qobject_cast<LineButton *>(button))
        QObject::connect(line, &LineButton::Click, context, [action] { action(); });
}

void FormButtons::click(QWidget *button)
{
    auto *line = qobject_cast<LineButton *>(button);
    if (line && line->isEnabled())
        Q_EMIT line->Click();
}
