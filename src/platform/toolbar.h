#pragma once

#include <QWidget>

class QAbstractButton;
class QIcon;

// A strip of picture buttons along the top of a window. Each button has a
// key; a click reports the key. Other controls can sit on the strip beside
// the buttons, placed by their owner.
class Toolbar : public QWidget
{
    Q_OBJECT
public:
    explicit Toolbar(QWidget *parent = nullptr);

    // Buttons are laid out left to right in the order they are added.
    void addButton(const QString &key, const QString &toolTip, const QIcon &icon);
    QAbstractButton *button(const QString &key) const;

    static constexpr int ButtonWidth = 23;
    static constexpr int ButtonHeight = 22;

Q_SIGNALS:
    void ButtonClick(const QString &key);

private:
    int m_count = 0;
};
