#pragma once

#include "platform/form.h"

#include <QStringList>

class QPushButton;
class RandomSource;
class TextBox;
struct GeneratorEntry;

// One idea generator: shows a random line of its idea file and a new one at
// each press of "Generate". Its list of ideas lives as long as the program;
// each opening reads the file again and adds its lines to the list.
class GeneratorWindow : public Form
{
    Q_OBJECT
public:
    GeneratorWindow(const GeneratorEntry &entry, const QString &programDirectory, RandomSource &random);

    // Reads the file and adds its lines to the ideas, then shows a pick.
    // False when the file is missing or cannot be read; in the latter case
    // `unreadable` receives the reason.
    bool LoadTips(const QString &path, QString *unreadable = nullptr);
    void DisplayCurrentTip();

    const QStringList &TipList() const { return m_tips; }
    int CurrentTipIndex() const { return m_currentTip; }
    QString ideaFileName() const { return m_ideaFile; }

protected:
    void resetControls() override;
    void Form_Load() override;

private:
    void PickRandomTip();
    void cmdNextTip_Click();
    void cmdOK_Click();

    const QString m_ideaFile;
    const QString m_programDirectory;
    RandomSource &m_random;
    QStringList m_tips;     // entry i is idea number i + 1
    int m_currentTip = 0;   // 1-based; 0 before the first pick

    TextBox *Text1;
    QPushButton *cmdNextTip;
    QPushButton *cmdOK;
};
