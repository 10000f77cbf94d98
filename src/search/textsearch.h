#pragma once

#include <QList>
#include <QString>

// The rules of the find dialog's search over a document's plain text: a
// match is a run of text equal to the find text, compared without regard to
// case unless FindMatchCase is given, and with FindWholeWord it must not
// touch a word character on either side. Word characters are letters, digits,
// combining marks and the underscore, in any script. An empty find text
// matches nothing.
class TextSearch
{
public:
    // The option bits are those of RichTextBox::Find.
    TextSearch(const QString &what, int options);

    qsizetype length() const { return m_what.size(); }

    // The first match at or after `from`, or -1.
    qsizetype find(QStringView text, qsizetype from) const;

    // The matches that replacing each one in turn by `replacement` meets, as
    // positions in `text` before any of them is replaced: every search
    // starts right after the previous replacement, so text just written is
    // never searched again, but a whole word is judged by its neighbours as
    // they stand at that moment.
    QList<qsizetype> findForReplacement(QStringView text, QStringView replacement) const;

    static bool isWordCharacter(char32_t c);

private:
    // As find, with the word-ness of the character just before `from` given,
    // since it may already have been replaced.
    qsizetype findFrom(QStringView text, qsizetype from, bool wordBeforeFrom) const;

    QString m_what;
    Qt::CaseSensitivity m_case;
    bool m_wholeWord;
};
