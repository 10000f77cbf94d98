#include "form.h"

#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

namespace {

// How far each window opened stands below and right of the one before.
constexpr int CascadeStep = Twips::toPixels(360);

} // namespace

Form::Form(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
}

void Form::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    resetControls();
    Form_Load();
}

void Form::setFrame(Frame frame, QSize clientTwips, bool alwaysOnTop)
{
    Qt::WindowFlags flags;
    const Qt::WindowFlags fixedTitleBar =
        Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    switch (frame) {
    case Frame::Sizable: flags = Qt::Window; break;
    case Frame::FixedDialog: flags = Qt::Dialog | fixedTitleBar; break;
    case Frame::FixedToolWindow: flags = Qt::Tool | fixedTitleBar; break;
    case Frame::SizableToolWindow: flags = Qt::Tool; break;
    }
    if (alwaysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    // Tool windows do not keep an application alive by default; these do,
    // since the program ends only when its last window has closed.
    setAttribute(Qt::WA_QuitOnClose, true);

    const QSize client = Twips::size(clientTwips.width(), clientTwips.height());
    if (frame == Frame::FixedDialog || frame == Frame::FixedToolWindow)
        setFixedSize(client);
    else
        resize(client);
}

void Form::setDefaultButton(QAbstractButton *button)
{
    m_defaultButton = button;
    watchKeys();
}

void Form::setCancelButton(QAbstractButton *button)
{
    m_cancelButton = button;
    watchKeys();
}

void Form::watchKeys()
{
    // Text boxes take Enter for themselves before the window sees it, so the
    // keys are watched on every control.
    const auto children = findChildren<QWidget *>();
    for (QWidget *child : children) {
        child->removeEventFilter(this);
        child->installEventFilter(this);
    }
}

bool Form::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
        if (plain && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && m_defaultButton) {
            auto *focusedButton = qobject_cast<QAbstractButton *>(watched);
            (focusedButton ? focusedButton : m_defaultButton)->click();
            return true;
        }
        if (plain && key->key() == Qt::Key_Escape && m_cancelButton) {
            m_cancelButton->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form::closeEvent(QCloseEvent *event)
{
    if (m_loaded) {
        m_loaded = false;
        Form_Unload();
    }
    event->accept();
}

void Form::placeInCascade()
{
    // The previous window is found among the windows themselves, so that no
    // record of openings has to outlive them.
    const Form *previous = nullptr;
    const auto windows = QApplication::topLevelWidgets();
    for (const QWidget *window : windows)
        if (const auto *other = qobject_cast<const Form *>(window);
            other && other != this && other->m_opening > 0 && (!previous || other->m_opening > previous->m_opening))
            previous = other;
    m_opening = previous ? previous->m_opening + 1 : 1;

    const QRect screenArea = (previous ? previous->screen() : screen())->availableGeometry();
    const QWidget *over = previous ? static_cast<const QWidget *>(previous) : QApplication::activeWindow();
    // Before its first showing a window knows nothing of its frame; the one
    // it is placed by shows how large frames are here.
    const QSize frame = over ? over->frameGeometry().size() - over->size() : QSize();
    const QSize outer = size() + frame;
    QPoint at;
    if (previous)
        at = previous->pos() + QPoint(CascadeStep, CascadeStep);
    else // over the middle of the window the user is working in
        at = (over ? over->frameGeometry() : screenArea).center() - QPoint(outer.width() / 2, outer.height() / 2);
    // A window that would reach past the screen's edge starts a new run at
    // its top left corner.
    if (at.x() + outer.width() > screenArea.right() + 1 || at.y() + outer.height() > screenArea.bottom() + 1)
        at = previous ? screenArea.topLeft() : screenArea.center() - QPoint(outer.width() / 2, outer.height() / 2);
    at.setX(qMax(at.x(), screenArea.left()));
    at.setY(qMax(at.y(), screenArea.top()));
    move(at);
}

void Show(Form &form)
{
    form.load();
    if (!form.isLoaded())
        return;
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Moved))
        form.placeInCascade();
    form.show();
    form.raise();
    form.activateWindow();
}
