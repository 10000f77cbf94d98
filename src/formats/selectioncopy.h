#pragma once

#include <memory>

class QTextCursor;
class QTextDocument;

namespace SelectionCopy {

// A document of its own holding the selected text as the selection's
// document shows it, to print. Qt's copy of a selection alone
// (QTextDocumentFragment) leaves out the formats of the paragraph it starts
// in (its mark's, which a list item's label takes, too), or puts an empty
// paragraph before it when that paragraph is a list item, and numbers each
// list from its start whatever item the selection starts at.
std::unique_ptr<QTextDocument> make(const QTextCursor &selection);

} // namespace SelectionCopy
