#pragma once

#include <QString>
#include <QStringView>

// Makes many short strings that share blocks of a few kilobytes instead of taking an
// allocation each, for reading a large file of short fields: a block is one of Qt's own string
// allocations, and every string made from it holds a reference, so a block is freed with its
// last string. Each string ends with its own terminating zero, as every QString does; one
// that is changed detaches into an allocation of its own, at most a block's size. The arena is
// used from one thread, the strings as any QString.
class StringArena {
public:
    StringArena() = default;
    StringArena(const StringArena &) = delete;
    StringArena &operator=(const StringArena &) = delete;
    ~StringArena();

    // A string holding `text`; an empty text or one longer than a block gets its own.
    QString make(QStringView text);

private:
    void startBlock();
    void finishBlock();

    QArrayData *m_block = nullptr;
    char16_t *m_next = nullptr;
    char16_t *m_end = nullptr;
    // References taken ahead for strings not yet made from the block.
    int m_spareReferences = 0;
};
