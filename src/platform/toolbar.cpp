#include "toolbar.h"

#include <QIcon>
#include <QToolButton>

Toolbar::Toolbar(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
}

void Toolbar::addButton(const QString &key, const QString &toolTip, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(key);
    button->setAutoRaise(true);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setToolTip(toolTip);
    button->setAccessibleName(toolTip.isEmpty() ? key : toolTip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(m_count * ButtonWidth, 1, ButtonWidth, ButtonHeight);
    ++m_count;
    connect(button, &QToolButton::clicked, this, [this, key] { Q_EMIT ButtonClick(key); });
}

QAbstractButton *Toolbar::button(const QString &key) const
{
    return findChild<QToolButton *>(key, Qt::FindDirectChildrenOnly);
}
