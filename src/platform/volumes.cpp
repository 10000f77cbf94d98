#include "volumes.h"

#include <QDir>
#include <QStorageInfo>

Volumes::~Volumes() = default;

QString Volumes::rootOf(const QString &path) const
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QString best;
    const QList<Volume> volumes = mounted();
    for (const Volume &volume : volumes) {
        const QString root = QDir::cleanPath(volume.rootPath);
        const bool holds = clean == root || root == u"/"
            || clean.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (holds && root.size() > best.size())
            best = volume.rootPath;
    }
    return best;
}

QList<Volumes::Volume> SystemVolumes::mounted() const
{
    QList<Volume> volumes;
    const auto all = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : all)
        if (volume.isValid() && volume.isReady())
            volumes.append({volume.rootPath(), volume.name()});
    return volumes;
}

QString SystemVolumes::currentFolder() const
{
    return QDir::currentPath();
}
