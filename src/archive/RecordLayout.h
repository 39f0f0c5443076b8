#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <string_view>

// A record is a run of text fields stored back to back with no padding.
//  text[N]:  one length byte (0..N) and N bytes of Windows-1252 text, trimmed;
//  ztext[N]: N + 1 bytes holding the text and a terminating zero, untrimmed; a field with no
//            zero holds N + 1 characters.
enum class FieldKind { Text, ZText };

struct FieldSpec {
    std::string_view name;
    int width;
    FieldKind kind = FieldKind::Text;
};

constexpr int fieldBytes(const FieldSpec &f)
{
    return f.width + 1;
}

template <std::size_t N>
constexpr int recordSize(const std::array<FieldSpec, N> &fields)
{
    int size = 0;
    for (const auto &f : fields)
        size += fieldBytes(f);
    return size;
}

template <std::size_t N>
constexpr int offsetOf(const std::array<FieldSpec, N> &fields, std::string_view name)
{
    int offset = 0;
    for (const auto &f : fields) {
        if (f.name == name)
            return offset;
        offset += fieldBytes(f);
    }
    return -1;
}

class RecordLayout
{
public:
    struct Field {
        QString name;
        int width;
        int offset;
        FieldKind kind;
    };

    template <std::size_t N>
    explicit RecordLayout(const std::array<FieldSpec, N> &specs)
    {
        for (const auto &s : specs)
            add(s);
    }

    int size() const { return m_size; }
    int count() const { return int(m_fields.size()); }
    const Field &field(int index) const { return m_fields.at(index); }
    const QVector<Field> &fields() const { return m_fields; }
    int indexOf(const QString &name) const { return m_index.value(name, -1); }

private:
    void add(const FieldSpec &entry);

    QVector<Field> m_fields;
    QHash<QString, int> m_index;
    int m_size = 0;
};

// One record's bytes with the store and load rules.
class Record
{
public:
    explicit Record(const RecordLayout &layout);

    const RecordLayout &layout() const { return *m_layout; }
    QByteArray &bytes() { return m_bytes; }
    const QByteArray &bytes() const { return m_bytes; }

    QString get(int field) const;
    QString get(const QString &name) const;
    void set(int field, const QString &text);
    void set(const QString &name, const QString &text);

    // The meaningful stored bytes of a field, never past its width.
    static QByteArrayView raw(const RecordLayout::Field &field, const char *record);
    static QString load(const RecordLayout::Field &field, const char *record);

private:
    int checkedIndex(const QString &name) const;

    const RecordLayout *m_layout;
    QByteArray m_bytes;
};
