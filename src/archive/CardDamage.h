#pragma once
#include "archive/RecordLayout.h"

// A card is damaged when a text field's length byte says more than the field's width: the
// bytes after the width belong to the next field, so what the field holds cannot be known.
// A zero-terminated field is whole either way: its text ends at the zero, or fills every
// byte of the field.
namespace CardDamage {

// Calls found(field, length) for every field of the record whose length is past its width.
template <class Found>
void forEachOverlongField(const RecordLayout &layout, const char *record, Found &&found)
{
    for (const RecordLayout::Field &f : layout.fields()) {
        if (f.kind == FieldKind::ZText)
            continue;
        const int length = static_cast<unsigned char>(record[f.offset]);
        if (length > f.width)
            found(f, length);
    }
}

inline bool isDamaged(const RecordLayout &layout, const char *record)
{
    for (const RecordLayout::Field &f : layout.fields())
        if (f.kind != FieldKind::ZText && static_cast<unsigned char>(record[f.offset]) > f.width)
            return true;
    return false;
}

}
