#pragma once

#include <QWidget>

class QAbstractButton;

// A top-level window that has one instance for the whole run and is loaded
// and unloaded like a classic form: loading puts its controls back to their
// design state and runs Form_Load; closing unloads it, but the instance and
// its member variables stay until the program ends.
class Form : public QWidget
{
    Q_OBJECT
public:
    enum class Frame {
        Sizable,           // ordinary frame with minimise and maximise buttons
        FixedDialog,       // fixed size, no minimise or maximise button
        FixedToolWindow,   // fixed size, small title bar
        SizableToolWindow, // small title bar, can be resized
    };

    explicit Form(QWidget *parent = nullptr);

    bool isLoaded() const { return m_loaded; }
    void load();

protected:
    // The frame, the client size in twips and whether the window stays above
    // all other windows.
    void setFrame(Frame frame, QSize clientTwips, bool alwaysOnTop);
    // Enter presses the default button unless another button has the focus;
    // Esc presses the cancel button.
    void setDefaultButton(QAbstractButton *button);
    void setCancelButton(QAbstractButton *button);
    // Called from Form_Load: the window stays closed and unloaded.
    void cancelLoad() { m_loaded = false; }

    // Puts the controls back as designed; runs before every Form_Load.
    virtual void resetControls() {}
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend void Show(Form &form);
    // The first time it opens, a window stands a little below and right of
    // the window opened for the first time before it.
    void placeInCascade();
    void watchKeys();

    bool m_loaded = false;
    // Where the window stands in the order of first openings (1 for the
    // first); 0 until it has been placed.
    int m_opening = 0;
    QAbstractButton *m_defaultButton = nullptr;
    QAbstractButton *m_cancelButton = nullptr;
};

// The one way to open a single-instance window: load it if it is not loaded,
// make it visible and bring it to the front. A window that is open is only
// brought to the front. The first window opened stands over the middle of the
// active window, each later one a step below and right of the one before.
void Show(Form &form);
