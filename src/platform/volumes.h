#pragma once

#include <QList>
#include <QString>

// The machine's mounted volumes and the folder the program was started in,
// where the file pane opens. Tests hand in folders of their own, so that
// what they see does not depend on the machine they run on.
class Volumes
{
public:
    struct Volume
    {
        QString rootPath;
        QString name;
    };

    virtual ~Volumes();
    virtual QList<Volume> mounted() const = 0;
    virtual QString currentFolder() const = 0;

    // The root of the mounted volume that holds the path: the deepest root
    // that contains it, or an empty string when none does.
    QString rootOf(const QString &path) const;
};

class SystemVolumes final : public Volumes
{
public:
    QList<Volume> mounted() const override;
    QString currentFolder() const override;
};
