#include "generatorwindow.h"

#include "generatorcatalogue.h"
#include "ideafile.h"
#include "platform/randomsource.h"
#include "platform/textbox.h"
#include "platform/twips.h"

#include <QDir>
#include <QPushButton>

#include <cmath>

GeneratorWindow::GeneratorWindow(const GeneratorEntry &entry, const QString &programDirectory, RandomSource &random)
    : m_ideaFile(QString::fromUtf16(entry.ideaFile))
    , m_programDirectory(programDirectory)
    , m_random(random)
    , Text1(new TextBox(this))
    , cmdNextTip(new QPushButton(QStringLiteral("Generate"), this))
    , cmdOK(new QPushButton(QStringLiteral("Close"), this))
{
    setObjectName(QString::fromUtf16(entry.className));
    setWindowTitle(QString::fromUtf16(entry.caption));
    Text1->setObjectName(QStringLiteral("Text1"));
    cmdNextTip->setObjectName(QStringLiteral("cmdNextTip"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    Text1->setGeometry(Twips::rect(120, 120, 3855, 1215));
    cmdNextTip->setGeometry(Twips::rect(4200, 120, 1215, 375));
    cmdOK->setGeometry(Twips::rect(4200, 960, 1215, 375));
    setFrame(entry.frame, QSize(5535, 1500), true);
    setDefaultButton(cmdOK);
    setCancelButton(cmdOK);
    connect(cmdNextTip, &QPushButton::clicked, this, &GeneratorWindow::cmdNextTip_Click);
    connect(cmdOK, &QPushButton::clicked, this, &GeneratorWindow::cmdOK_Click);
}

void GeneratorWindow::resetControls()
{
    Text1->setText(QStringLiteral("Text1"));
}

void GeneratorWindow::Form_Load()
{
    m_random.seedFromClock();
    const QString path = QDir(m_programDirectory).filePath(m_ideaFile);
    QString unreadable;
    if (LoadTips(path, &unreadable))
        return;
    if (unreadable.isEmpty())
        Text1->setText(u"That the " + m_ideaFile + u" file was not found? " + u"\r\n\r\n"
                       + u"You should redownload the required file from our website ");
    else
        Text1->setText(QStringLiteral("The idea file %1 could not be read: %2.")
                           .arg(QDir::toNativeSeparators(path), unreadable));
}

bool GeneratorWindow::LoadTips(const QString &path, QString *unreadable)
{
    const IdeaFile file = IdeaFile::read(path);
    if (file.status != IdeaFile::Status::Read) {
        if (unreadable)
            *unreadable = file.error;
        return false;
    }
    m_tips += file.ideas;
    PickRandomTip();
    return true;
}

void GeneratorWindow::PickRandomTip()
{
    const float r = m_random.next();
    const auto n = double(m_tips.size());
    m_currentTip = int(std::floor(double(r) * n + 1.0));
    DisplayCurrentTip();
}

void GeneratorWindow::DisplayCurrentTip()
{
    if (m_currentTip >= 1 && m_currentTip <= m_tips.size())
        Text1->setText(m_tips.at(m_currentTip - 1));
}

void GeneratorWindow::cmdNextTip_Click()
{
    PickRandomTip();
}

void GeneratorWindow::cmdOK_Click()
{
    close();
}
