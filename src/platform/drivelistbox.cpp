#include "drivelistbox.h"

#include <QDir>
#include <QStorageInfo>

DriveListBox::DriveListBox(QWidget *parent)
    : QComboBox(parent)
{
    const auto volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        QString label = QDir::toNativeSeparators(volume.rootPath());
        if (!volume.name().isEmpty())
            label += QStringLiteral(" [%1]").arg(volume.name());
        addItem(label, volume.rootPath());
    }
    setDrive(QDir::currentPath());
    connect(this, &QComboBox::currentIndexChanged, this, [this] { Q_EMIT Change(); });
}

QString DriveListBox::Drive() const
{
    return currentData().toString();
}

void DriveListBox::setDrive(const QString &path)
{
    const int index = findData(QStorageInfo(path).rootPath());
    if (index >= 0)
        setCurrentIndex(index);
}
