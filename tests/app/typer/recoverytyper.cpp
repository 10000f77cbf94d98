// A generic input plugin that the recovery kill test loads into the real
// program: once the first document window is up, it types the text of
// QUILLMERE_TYPE into it, key by key, as a writer would.

#include <QApplication>
#include <QGenericPlugin>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QTextEdit>
#include <QTimer>

namespace {

class Typer : public QObject
{
public:
    Typer()
    {
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &Typer::tryToType);
        m_timer.start();
    }

private:
    void tryToType()
    {
        for (QWidget *widget : QApplication::allWidgets()) {
            auto *edit = qobject_cast<QTextEdit *>(widget);
            QWidget *window = edit ? edit->parentWidget() : nullptr;
            while (window && !qobject_cast<QMdiSubWindow *>(window))
                window = window->parentWidget();
            if (!window || !edit->isVisible())
                continue;
            m_timer.stop();
            for (const QChar c : qEnvironmentVariable("QUILLMERE_TYPE")) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
                QApplication::sendEvent(edit, &press);
                QApplication::sendEvent(edit, &release);
            }
            return;
        }
    }

    QTimer m_timer;
};

} // namespace

class RecoveryTyperPlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "recoverytyper.json")
public:
    QObject *create(const QString &, const QString &) override { return new Typer; }
};

#include "recoverytyper.moc"
