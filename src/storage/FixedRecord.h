#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <QByteArray>
#include <QList>
#include <QString>

namespace storage {

// A fixed-length record held as its bytes on disk. A fresh record is all NUL
// bytes, so a field that no writer ever assigned is written as NULs.
struct FieldSpec {
    int offset;
    int width;
};

template <int Size> class FixedRecord {
public:
    static constexpr int kSize = Size;

    // The field's value: decoded, trailing blanks removed (NULs stay).
    QString text(FieldSpec f) const;
    // The field's bytes decoded as they are, trailing blanks included.
    QString fullText(FieldSpec f) const;
    QByteArray raw(FieldSpec f) const { return QByteArray(data() + f.offset, f.width); }
    // Left-aligned, blank-padded, cut to the width.
    void setText(FieldSpec f, const QString& value);
    // Sets the field from stored bytes (padded with blanks or cut as text is).
    void setRaw(FieldSpec f, const QByteArray& bytes);

    std::int16_t int16(int offset) const;
    void setInt16(int offset, std::int16_t value);

    const char* data() const { return reinterpret_cast<const char*>(m_bytes.data()); }
    QByteArray bytes() const { return QByteArray(data(), Size); }
    // Takes the first Size bytes; a shorter array is padded with NULs.
    void setBytes(const QByteArray& bytes);
    void clear() { m_bytes.fill(0); }

    bool operator==(const FixedRecord&) const = default;

private:
    char* mutableData() { return reinterpret_cast<char*>(m_bytes.data()); }
    std::array<unsigned char, Size> m_bytes{};
};

// The whole records of `bytes`, read from a file of Records; a cut record at
// the end is left out.
template <class Record> QList<Record> recordsIn(const QByteArray& bytes) {
    QList<Record> records(bytes.size() / Record::kSize);
    for (qsizetype k = 0; k < records.size(); ++k)
        records[k].setBytes(
            QByteArray::fromRawData(bytes.constData() + k * Record::kSize, Record::kSize));
    return records;
}

// Removes trailing blanks (0x20) only, as every reader of the record files does.
QString rightTrimmed(const QString& s);
QByteArray rightTrimmedBytes(const QByteArray& b);

} // namespace storage

#include "FixedRecord_impl.h"
