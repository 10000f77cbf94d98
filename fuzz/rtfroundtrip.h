#pragma once

#include <QByteArrayView>

// Reads RTF, writes the document back and reads that again. True when the
// second reading holds the same text as the first, apart from what RTF text
// cannot carry (control characters, a lone object character) and where a
// long table is cut into parts.
bool rtfRoundTripKeepsText(QByteArrayView rtf);
