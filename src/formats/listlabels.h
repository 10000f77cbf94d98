#pragma once

#include <QString>

class QTextBlock;
class QTextDocument;
class QTextListFormat;

// The labels of list items as the file defines them. Qt 6.4 numbers every
// list from 1 and draws only its own three bullet shapes, so the editor
// draws the labels of a list that starts elsewhere or gives another bullet
// character. Every label, drawn or as plain text, comes from here, so that
// the screen, the print, the plain text and a save's \listtext agree.
namespace ListLabels {

// A number as an RTF numbering type (\levelnfc) shows it: 4 as "iv", "D"
// or "4". Numbers below 1 show as digits whatever the type.
QString numberShown(int n, int numbering);

// The RTF numbering type of a list: the file's, else its Qt style's.
int numberingOf(const QTextListFormat &format);
// The numbering type of bullets.
constexpr int Bullets = 23;

// The number of a list's first item: the file's, else 1.
int startOf(const QTextListFormat &format);

// The label of a list item with what stands before and after its number,
// the item being its list's itemNumber'th (from 0); empty for a paragraph
// in no list.
QString labelOf(const QTextBlock &block, int itemNumber);
// As above, searching the list for the item, which takes time in
// proportion to the list's length: ListItemCounter numbers a whole
// document's items in their order.
QString labelOf(const QTextBlock &block);

// Whether Qt's own drawing of the list's labels shows them as labelOf()
// gives them.
bool drawnByQt(const QTextListFormat &format);

// Marks a paragraph of a list that drawnByQt() rejects so that Qt draws
// no label beside it; the editor draws the right one.
void markDrawnByEditor(const QTextBlock &block);
bool isDrawnByEditor(const QTextBlock &block);
// Whether any paragraph of the document is so marked; in time proportional
// to the number of its formats, not of its paragraphs.
bool anyDrawnByEditor(const QTextDocument &document);

} // namespace ListLabels
