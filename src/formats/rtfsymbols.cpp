#include "rtfsymbols.h"

namespace RtfSymbols {

char16_t character(QByteArrayView control)
{
    for (const Symbol &s : Table)
        if (control == s.control)
            return s.character;
    return 0;
}

const char *control(char16_t character)
{
    for (const Symbol &s : Table)
        if (s.character == character)
            return s.control;
    return nullptr;
}

} // namespace RtfSymbols
