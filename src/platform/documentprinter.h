#pragma once

class KeptPartObject;
class QPrinter;
class QTextDocument;

// Prints a document as QTextDocument::print prints one that has no page
// size of its own (2 cm margins, the number of each page at its foot), and
// draws the list labels that Qt leaves to the editor as the screen shows
// them. The underlining of misspelt words stays on the screen.
class DocumentPrinter
{
public:
    static void print(const QTextDocument &document, QPrinter &printer, KeptPartObject &keptParts);
};
