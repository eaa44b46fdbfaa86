#include "xlsxstringpool_p.h"

#include <cstring>

namespace QXlsx {
namespace detail {

char16_t *StringPool::reserve(int length, bool *own)
{
    *own = length > BlockSize / 4;
    if (*own || m_used + length > BlockSize || m_blocks.empty()) {
        m_blocks.emplace_back(new char16_t[size_t(qMax(*own ? length : BlockSize, 1))]);
        m_used = 0;
    }
    return m_blocks.back().get() + m_used;
}

int StringPool::finish(int length, bool own)
{
    const quint64 block = quint64(m_blocks.size() - 1);
    m_entries.push_back(block << 44 | quint64(m_used) << 24 | quint64(length));
    // A text of its own fills its block: the next one starts another.
    m_used = own ? BlockSize : m_used + length;
    return int(m_entries.size() - 1);
}

int StringPool::add(const QString &text)
{
    // A text no part can hold (the reader stops far below this) is cut.
    const int length = qMin(text.size(), MaxLength);
    bool own = false;
    std::memcpy(reserve(length, &own), text.constData(), size_t(length) * sizeof(QChar));
    return finish(length, own);
}

int StringPool::addUtf8(const char *bytes, int size)
{
    // Never more characters than bytes.
    size = qMin(size, MaxLength);
    bool own = false;
    char16_t *out = reserve(size, &own);
    const auto *in = reinterpret_cast<const unsigned char *>(bytes);
    int n = 0;
    for (int i = 0; i < size;) {
        const unsigned char c = in[i];
        if (c < 0x80) {
            out[n++] = c;
            ++i;
            continue;
        }
        // The length of the sequence, its least code, and its first bits.
        const int more = c >= 0xC2 && c <= 0xDF   ? 1
                         : c >= 0xE0 && c <= 0xEF ? 2
                         : c >= 0xF0 && c <= 0xF4 ? 3
                                                  : -1;
        uint code = more == 3 ? c & 0x07 : more == 2 ? c & 0x0F : c & 0x1F;
        bool ok = more > 0 && i + more < size;
        for (int k = 1; ok && k <= more; ++k) {
            ok = (in[i + k] & 0xC0) == 0x80;
            code = code << 6 | (in[i + k] & 0x3F);
        }
        const uint least = more == 3 ? 0x10000 : more == 2 ? 0x800 : 0x80;
        if (!ok || code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out[n++] = 0xFFFD;
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            out[n++] = char16_t(0xD800 + ((code - 0x10000) >> 10));
            out[n++] = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out[n++] = char16_t(code);
        }
        i += more + 1;
    }
    return finish(n, own);
}

QString StringPool::at(int index) const
{
    if (index < 0 || index >= size()) {
        return QString();
    }
    const quint64 e = m_entries[size_t(index)];
    if ((e & 0xFFFFFF) == 0) {
        return QString();
    }
    const auto *block = reinterpret_cast<const QChar *>(m_blocks[size_t(e >> 44)].get());
    return QString(block + ((e >> 24) & (BlockSize - 1)), int(e & 0xFFFFFF));
}

} // namespace detail
} // namespace QXlsx
