#include "xlsxstringpool_p.h"

#include <cstring>

namespace QXlsx {
namespace detail {

int StringPool::add(const QString &text)
{
    // A text no part can hold (the reader stops far below this) is cut.
    const int length = qMin(text.size(), (1 << 24) - 1);
    const bool own = length > BlockSize / 4;
    if (own || m_used + length > BlockSize || m_blocks.empty()) {
        m_blocks.emplace_back(new char16_t[size_t(qMax(own ? length : BlockSize, 1))]);
        m_used = 0;
    }
    const quint64 block = quint64(m_blocks.size() - 1);
    std::memcpy(m_blocks.back().get() + m_used, text.constData(), size_t(length) * sizeof(QChar));
    m_entries.push_back(block << 44 | quint64(m_used) << 24 | quint64(length));
    // A text of its own fills its block: the next one starts another.
    m_used = own ? BlockSize : m_used + length;
    return int(m_entries.size() - 1);
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
