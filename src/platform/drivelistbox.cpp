#include "drivelistbox.h"

#include "volumes.h"

#include <QDir>

DriveListBox::DriveListBox(const Volumes &volumes, QWidget *parent)
    : QComboBox(parent)
    , m_volumes(volumes)
{
    const QList<Volumes::Volume> mounted = volumes.mounted();
    for (const Volumes::Volume &volume : mounted) {
        QString label = QDir::toNativeSeparators(volume.rootPath);
        if (!volume.name.isEmpty())
            label += QStringLiteral(" [%1]").arg(volume.name);
        addItem(label, volume.rootPath);
    }
    setDrive(volumes.currentFolder());
    connect(this, &QComboBox::currentIndexChanged, this, [this] { Q_EMIT Change(); });
}

QString DriveListBox::Drive() const
{
    return currentData().toString();
}

void DriveListBox::setDrive(const QString &path)
{
    const int index = findData(m_volumes.rootOf(path));
    if (index >= 0)
        setCurrentIndex(index);
}
