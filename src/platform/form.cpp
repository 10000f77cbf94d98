#include "form.h"

#include "twips.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>

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

void Show(Form &form)
{
    form.load();
    if (!form.isLoaded())
        return;
    if (!form.isVisible() && !form.testAttribute(Qt::WA_Moved)) {
        // The first time a window opens it comes up over the middle of the
        // window the user is working in, rather than wherever the system puts it.
        const QWidget *over = QApplication::activeWindow();
        const QRect area = over ? over->geometry() : form.screen()->availableGeometry();
        form.move(area.center() - QPoint(form.width() / 2, form.height() / 2));
    }
    form.show();
    form.raise();
    form.activateWindow();
}
