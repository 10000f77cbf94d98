#pragma once

#include <QHash>
#include <QTextBlock>
#include <QTextList>

// Numbers the items of a document's lists as they come in the document's
// order, each in constant time: QTextList::itemNumber searches its list,
// which made writing a list of many items take the square of its length.
class ListItemCounter
{
public:
    int itemNumber(const QTextList &list, const QTextBlock &block)
    {
        int &next = m_next[&list];
        if (list.item(next) != block) // an item taken out of order
            next = list.itemNumber(block);
        return next++;
    }

private:
    QHash<const QTextList *, int> m_next;
};
