#include "archive/RecordLayout.h"

#include "archive/TextCodec.h"
#include "framework/Routines.h"

#include <cstring>

void RecordLayout::add(const FieldSpec &entry)
{
    const QString name = QString::fromLatin1(entry.name.data(), qsizetype(entry.name.size()));
    m_index.insert(name, int(m_fields.size()));
    m_fields.append(Field{name, entry.width, m_size, entry.kind});
    m_size += fieldBytes(entry);
}

Record::Record(const RecordLayout &layout)
    : m_layout(&layout), m_bytes(layout.size(), '\0')
{
}

int Record::checkedIndex(const QString &name) const
{
    const int i = m_layout->indexOf(name);
    Q_ASSERT_X(i >= 0, "Record", qPrintable(name));
    return i;
}

QByteArrayView Record::raw(const RecordLayout::Field &field, const char *record)
{
    const char *p = record + field.offset;
    if (field.kind == FieldKind::ZText) {
        // A field filled to its last byte by another program has no zero: all of it is text.
        const void *zero = std::memchr(p, 0, size_t(field.width) + 1);
        return QByteArrayView(p, zero ? static_cast<const char *>(zero) - p : field.width + 1);
    }
    // A damaged length byte never reads past the field.
    const int length = qMin(int(static_cast<unsigned char>(p[0])), field.width);
    return QByteArrayView(p + 1, length);
}

QString Record::load(const RecordLayout::Field &field, const char *record)
{
    const QString text = Cp1252::decode(raw(field, record));
    return field.kind == FieldKind::ZText ? text : Routines::trimmed(text);
}

QString Record::get(int field) const
{
    return load(m_layout->field(field), m_bytes.constData());
}

QString Record::get(const QString &name) const
{
    return get(checkedIndex(name));
}

void Record::set(int index, const QString &text)
{
    const RecordLayout::Field &f = m_layout->field(index);
    char *p = m_bytes.data() + f.offset;
    if (f.kind == FieldKind::ZText) {
        // A text that fills the field to its last byte is stored with no zero, as the reader
        // takes it and as other programs write it: the box shows it whole, so it must be kept
        // whole. A longer one is cut to the width and ends with its zero.
        QByteArray bytes = Cp1252::encode(text);
        if (bytes.size() > f.width + 1)
            bytes.truncate(f.width);
        std::memcpy(p, bytes.constData(), size_t(bytes.size()));
        if (bytes.size() <= f.width)
            p[bytes.size()] = '\0';
        return;
    }
    const QByteArray bytes = Cp1252::encode(Routines::trimmed(text).left(255)).left(f.width);
    p[0] = char(bytes.size());
    std::memcpy(p + 1, bytes.constData(), size_t(bytes.size()));
    // Clear what a previous card left after the text, so no one's data lingers in another's card.
    std::memset(p + 1 + bytes.size(), 0, size_t(f.width - bytes.size()));
}

void Record::set(const QString &name, const QString &text)
{
    set(checkedIndex(name), text);
}
