#include "keptpartobject.h"

#include "formats/documentproperties.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

void KeptPartObject::serve(QTextDocument *document)
{
    const auto registerWith = [this, document] {
        document->documentLayout()->registerHandler(DocumentProperty::KeptObjectType, this);
    };
    registerWith();
    // A new layout is announced before it lays anything out.
    connect(document, &QTextDocument::documentLayoutChanged, this, registerWith);
}
