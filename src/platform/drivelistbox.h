#pragma once

#include <QComboBox>

class Volumes;

// The mounted volumes, each shown by its mount point and name.
class DriveListBox : public QComboBox
{
    Q_OBJECT
public:
    explicit DriveListBox(const Volumes &volumes, QWidget *parent = nullptr);

    // The mount point of the chosen volume.
    QString Drive() const;
    // Chooses the volume that holds the path.
    void setDrive(const QString &path);

Q_SIGNALS:
    void Change();

private:
    const Volumes &m_volumes;
};
