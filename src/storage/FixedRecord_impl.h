#pragma once

#include "Cp1252.h"

#include <cstring>

namespace storage {

template <int Size> QString FixedRecord<Size>::text(FieldSpec f) const {
    // The padding is cut before decoding: most of a field is blanks.
    int n = f.width;
    while (n > 0 && data()[f.offset + n - 1] == ' ')
        --n;
    return storage::cp1252::decode(data() + f.offset, n);
}

template <int Size> QString FixedRecord<Size>::fullText(FieldSpec f) const {
    return storage::cp1252::decode(data() + f.offset, f.width);
}

template <int Size> void FixedRecord<Size>::setText(FieldSpec f, const QString& value) {
    setRaw(f, storage::cp1252::encode(value));
}

template <int Size> void FixedRecord<Size>::setRaw(FieldSpec f, const QByteArray& bytes) {
    const int n = std::min<int>(f.width, static_cast<int>(bytes.size()));
    std::memcpy(mutableData() + f.offset, bytes.constData(), static_cast<std::size_t>(n));
    std::memset(mutableData() + f.offset + n, ' ', static_cast<std::size_t>(f.width - n));
}

template <int Size> std::int16_t FixedRecord<Size>::int16(int offset) const {
    const auto lo = static_cast<std::uint16_t>(m_bytes[static_cast<std::size_t>(offset)]);
    const auto hi = static_cast<std::uint16_t>(m_bytes[static_cast<std::size_t>(offset) + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

template <int Size> void FixedRecord<Size>::setInt16(int offset, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    m_bytes[static_cast<std::size_t>(offset)] = static_cast<unsigned char>(u & 0xFF);
    m_bytes[static_cast<std::size_t>(offset) + 1] = static_cast<unsigned char>(u >> 8);
}

template <int Size> void FixedRecord<Size>::setBytes(const QByteArray& bytes) {
    m_bytes.fill(0);
    const auto n = std::min<std::size_t>(Size, static_cast<std::size_t>(bytes.size()));
    std::memcpy(mutableData(), bytes.constData(), n);
}

} // namespace storage
