#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace QXlsx {
namespace detail {

// Many short texts kept end to end in large blocks, so that a workbook of a
// million strings does not cost a million allocations and their overhead.
// Texts are only ever added; each is known by the number add() gave it.
class StringPool
{
public:
    int size() const { return int(m_entries.size()); }
    int add(const QString &text);
    // The same for UTF-8 bytes, decoded straight into the pool; a byte that
    // is no part of a character becomes U+FFFD.
    int addUtf8(const char *bytes, int size);
    // A copy of the text; null when it is empty or the number was never given out.
    QString at(int index) const;

private:
    // Room for `length` characters; the entry is made by the caller.
    char16_t *reserve(int length, bool *own);
    int finish(int length, bool own);

    // Room for a million characters a block; a longer text has one of its own.
    static constexpr int BlockBits = 20;
    static constexpr int BlockSize = 1 << BlockBits;
    static constexpr int MaxLength = (1 << 24) - 1;
    // Not QChar: its blocks would be cleared first, for nothing.
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    int m_used = BlockSize; // of the last block
    // Block (20 bits), start in it (20 bits) and length (24 bits).
    std::vector<quint64> m_entries;
};

} // namespace detail
} // namespace QXlsx
