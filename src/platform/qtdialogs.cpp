#include "qtdialogs.h"

#include "olecolor.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QWindow>

namespace {

bool isWorkWindow(const QWidget *window)
{
    return window && window->isWindow() && window->isVisible() && !qobject_cast<const QDialog *>(window)
           && !(window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip);
}

QMessageBox::Icon qtIcon(MsgBoxIcon icon)
{
    switch (icon) {
    case MsgBoxIcon::Critical: return QMessageBox::Critical;
    case MsgBoxIcon::Question: return QMessageBox::Question;
    case MsgBoxIcon::Exclamation: return QMessageBox::Warning;
    case MsgBoxIcon::Information: return QMessageBox::Information;
    case MsgBoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// Escape is left to Qt's message box, which gives it to Cancel where there
// is one, to the only button of a box with one, and to No in a Yes/No box.
QMessageBox::StandardButtons qtButtons(MsgBoxButtons buttons)
{
    switch (buttons) {
    case MsgBoxButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgBoxButtons::AbortRetryIgnore: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MsgBoxButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgBoxButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgBoxButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgBoxButtons::OkOnly: break;
    }
    return QMessageBox::Ok;
}

MsgBoxResult fromQt(int button)
{
    switch (button) {
    case QMessageBox::Cancel: return MsgBoxResult::Cancel;
    case QMessageBox::Abort: return MsgBoxResult::Abort;
    case QMessageBox::Retry: return MsgBoxResult::Retry;
    case QMessageBox::Ignore: return MsgBoxResult::Ignore;
    case QMessageBox::Yes: return MsgBoxResult::Yes;
    case QMessageBox::No: return MsgBoxResult::No;
    default: return MsgBoxResult::Ok;
    }
}

} // namespace

QtDialogs::QtDialogs()
    : m_watch(std::make_unique<QObject>())
{
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, m_watch.get(), [this](QWindow *focused) {
        if (!focused)
            return;
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows)
            if (window->windowHandle() == focused && isWorkWindow(window))
                m_lastWorkWindow = window;
    });
}

QtDialogs::~QtDialogs() = default;

QWidget *QtDialogs::ownerFor(QWidget *asking) const
{
    if (asking && asking->window()->isVisible())
        return asking->window();
    if (QWidget *active = QApplication::activeWindow())
        return active;
    if (isWorkWindow(m_lastWorkWindow))
        return m_lastWorkWindow;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        if (isWorkWindow(window))
            return window;
    return nullptr;
}

int QtDialogs::execAbove(QDialog &dialog)
{
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    return dialog.exec();
}

MsgBoxResult QtDialogs::messageBox(const MessageBoxRequest &request)
{
    QMessageBox box(qtIcon(request.icon), request.title, request.text, qtButtons(request.buttons),
                    ownerFor(request.owner));
    return fromQt(execAbove(box));
}

std::optional<QString> QtDialogs::inputBox(const InputBoxRequest &request)
{
    QInputDialog dialog(ownerFor(request.owner));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    if (execAbove(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QStringList QtDialogs::nameFilters(const QString &filter)
{
    QStringList filters;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        // "*.*" means every file; for Qt it would mean names with a dot.
        QStringList list = patterns.split(u' ', Qt::SkipEmptyParts);
        for (QString &p : list)
            if (p == u"*.*")
                p = QStringLiteral("*");
        patterns = list.join(u' ');
        // The description usually repeats the pattern; Qt reads the last
        // parenthesised group as the pattern, so it is rewritten there.
        if (description.endsWith(u')')) {
            const qsizetype open = description.lastIndexOf(u'(');
            if (open > 0)
                description = description.left(open).trimmed();
        }
        filters.append(description + u" (" + patterns + u')');
    }
    return filters;
}

std::optional<FileDialogAnswer> QtDialogs::fileDialog(const FileDialogRequest &request)
{
    QFileDialog dialog(ownerFor(request.owner), request.title);
    const bool save = request.kind == FileDialogRequest::Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.initialDirectory.isEmpty())
        dialog.setDirectory(request.initialDirectory);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (execAbove(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return FileDialogAnswer{dialog.selectedFiles().constFirst(),
                            int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

std::optional<FontValues> QtDialogs::fontDialog(const FontDialogRequest &request)
{
    QFont initial;
    if (!request.values.name.isEmpty())
        initial.setFamilies({request.values.name});
    if (request.values.size > 0)
        initial.setPointSizeF(request.values.size);
    initial.setBold(request.values.bold);
    initial.setItalic(request.values.italic);
    initial.setUnderline(request.values.underline);
    initial.setStrikeOut(request.values.strikethru);

    QFontDialog dialog(initial, ownerFor(request.owner));
    if (execAbove(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QFont font = dialog.selectedFont();
    FontValues chosen = request.values;
    chosen.name = font.family();
    chosen.size = font.pointSizeF();
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikethru = font.strikeOut();
    return chosen;
}

std::optional<quint32> QtDialogs::colorDialog(const ColorDialogRequest &request)
{
    QColorDialog dialog(OleColor::toQColor(request.color), ownerFor(request.owner));
    if (execAbove(dialog) != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return OleColor::fromQColor(dialog.selectedColor());
}

bool QtDialogs::printDialog(const PrintDialogRequest &request, QPrinter &printer)
{
    constexpr int SelectionRange = 1;
    constexpr int NoPageNumbers = 8;
    QPrintDialog dialog(&printer, ownerFor(request.owner));
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    dialog.setOption(QAbstractPrintDialog::PrintSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(request.flags & NoPageNumbers));
    dialog.setPrintRange(request.flags & SelectionRange ? QAbstractPrintDialog::Selection
                                                        : QAbstractPrintDialog::AllPages);
    return execAbove(dialog) == QDialog::Accepted;
}
