#pragma once

// Test records built by hand from the file layout's offsets, so that checks do
// not lean on the record class they are checking.
#include <array>
#include <cstdint>
#include <QByteArray>

namespace bytes {

constexpr int kRecord = 2514;

inline QByteArray empty() {
    return QByteArray(kRecord, '\0');
}

// `text` left-aligned at `offset`, padded with blanks to `width`.
inline void put(QByteArray& rec, int offset, int width, const QByteArray& text) {
    QByteArray field = text.left(width);
    field.append(QByteArray(width - field.size(), ' '));
    rec.replace(offset, width, field);
}

inline void putInt16(QByteArray& rec, int offset, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    rec[offset] = static_cast<char>(u & 0xFF);
    rec[offset + 1] = static_cast<char>(u >> 8);
}

inline QByteArray field(const QByteArray& rec, int offset, int width) {
    return rec.mid(offset, width);
}

inline QByteArray padded(const QByteArray& text, int width) {
    QByteArray r = text.left(width);
    r.append(QByteArray(width - r.size(), ' '));
    return r;
}

// A header as the create door leaves it: NULs wherever it sets nothing.
inline QByteArray header(const QByteArray& owner, const QByteArray& password,
                         const QByteArray& correct = "1000", const QByteArray& incorrect = "1110",
                         std::int16_t shuffle = 1) {
    QByteArray r = empty();
    put(r, 512, 200, owner);
    put(r, 712, 200, password);
    put(r, 912, 200, correct);
    put(r, 1112, 200, incorrect);
    putInt16(r, 2512, shuffle);
    return r;
}

struct Q {
    std::int16_t number = 1;
    QByteArray text;
    QByteArray type = "MULTIPLE";
    std::array<QByteArray, 5> choices;
    QByteArray correct;
    QByteArray explanation;
};

// A question record; `base` supplies the fields the editor does not write.
inline QByteArray question(const Q& q, QByteArray base = empty()) {
    putInt16(base, 0, q.number);
    put(base, 2, 500, q.text);
    put(base, 502, 10, q.type);
    for (int i = 0; i < 5; ++i)
        put(base, 512 + 200 * i, 200, q.choices[static_cast<std::size_t>(i)]);
    put(base, 1512, 200, q.correct);
    put(base, 1712, 500, q.explanation);
    return base;
}

inline QByteArray record(const QByteArray& file, int n) {
    return file.mid((n - 1) * kRecord, kRecord);
}

} // namespace bytes
