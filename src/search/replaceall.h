#pragma once

#include <QString>

class RichTextBox;
class TextSearch;

// Replaces, from the top of the editor's text, every match that searching
// on after each replacement meets (TextSearch::findForReplacement), as one
// undo step. With at least one replacement the caret ends right after the
// last one, with nothing selected; otherwise the selection is left alone.
// Gives the number of replacements.
qsizetype ReplaceAll(RichTextBox &editor, const TextSearch &search, const QString &replacement);
