#pragma once

#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

// Lays out the parts of a document kept out of sight (comments and the
// like, which a save writes back where they stood) as taking no room. Qt
// gives an object it has no handler for a width of minus one pixel, so the
// space before a comment vanished from the screen.
class KeptPartObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;

    // Serves the document's layout, and every layout it is given later.
    void serve(QTextDocument *document);

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &) override { return QSizeF(0, 0); }
    void drawObject(QPainter *, const QRectF &, QTextDocument *, int, const QTextFormat &) override {}
};
