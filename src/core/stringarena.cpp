#include "stringarena.h"

#include <cstring>

namespace {

using Block = QTypedArrayData<char16_t>;

// 4 KB of text: a string that detaches takes at most that much, and a few strings kept from a
// large file keep little of it.
constexpr qsizetype kBlockUnits = 2048;
// Every string takes at least two units, one of them its terminating zero.
constexpr int kMostStrings = int(kBlockUnits / 2);

} // namespace

StringArena::~StringArena()
{
    finishBlock();
}

QString StringArena::make(QStringView text)
{
    const qsizetype size = text.size();
    if (size == 0 || size >= kBlockUnits)
        return text.toString();
    if (m_end - m_next <= size)
        startBlock();
    char16_t *start = m_next;
    std::memcpy(start, text.utf16(), size_t(size) * sizeof(char16_t));
    start[size] = u'\0';
    m_next = start + size + 1;
    --m_spareReferences;
    return QString(QString::DataPointer(static_cast<Block *>(m_block), start, size));
}

// The block holds the arena's own reference and one for every string it can still give, so
// that no string freed early frees the block; each string made takes one of them over.
void StringArena::startBlock()
{
    finishBlock();
    auto [block, data] = Block::allocate(kBlockUnits);
    Q_CHECK_PTR(block);
    block->ref_.storeRelaxed(1 + kMostStrings);
    m_block = block;
    m_next = data;
    m_end = data + kBlockUnits;
    m_spareReferences = kMostStrings;
}

void StringArena::finishBlock()
{
    if (!m_block)
        return;
    m_block->ref_.fetchAndSubRelaxed(m_spareReferences);
    if (!m_block->deref())
        Block::deallocate(m_block);
    m_block = nullptr;
    m_next = m_end = nullptr;
    m_spareReferences = 0;
}
