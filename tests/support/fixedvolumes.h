#pragma once

#include "platform/volumes.h"

// Volumes and a current folder set by the test.
class FixedVolumes final : public Volumes
{
public:
    QList<Volume> mounted() const override { return volumes; }
    QString currentFolder() const override { return current; }

    QList<Volume> volumes;
    QString current;
};
