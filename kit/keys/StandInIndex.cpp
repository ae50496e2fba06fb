#include "kit/keys/StandInIndex.h"

#include <QHashFunctions>

namespace quorvane {

namespace {

// At most half the slots are taken, which keeps the probe runs short.
qsizetype slotsFor(qsizetype count)
{
    qsizetype size = 16;
    while (size < count * 2)
        size *= 2;
    return size;
}

} // namespace

void StandInIndex::reserve(qsizetype count)
{
    m_keys.reserve(count);
    if (slotsFor(count) > m_slots.size())
        rehash(slotsFor(count));
}

void StandInIndex::insert(const QString &key, qsizetype position)
{
    if (slotsFor(m_keys.size() + 1) > m_slots.size())
        rehash(slotsFor(m_keys.size() + 1));
    const size_t hash = qHash(QStringView(key));
    const qsizetype at = slotFor(key, hash);
    Slot &slot = m_slots[at];
    if (slot.key >= 0) {
        m_keys[slot.key].second = position;
        return;
    }
    slot = {hash, m_keys.size()};
    m_keys.append({key, position});
}

qsizetype StandInIndex::find(QStringView key) const
{
    if (m_slots.isEmpty())
        return -1;
    const Slot &slot = m_slots.at(slotFor(key, qHash(key)));
    return slot.key < 0 ? -1 : m_keys.at(slot.key).second;
}

qsizetype StandInIndex::slotFor(QStringView key, size_t hash) const
{
    const qsizetype mask = m_slots.size() - 1;
    for (qsizetype at = qsizetype(hash) & mask;; at = (at + 1) & mask) {
        const Slot &slot = m_slots.at(at);
        if (slot.key < 0 || (slot.hash == hash && m_keys.at(slot.key).first == key))
            return at;
    }
}

void StandInIndex::rehash(qsizetype slotCount)
{
    QList<Slot> table(slotCount);
    const qsizetype mask = slotCount - 1;
    for (const Slot &slot : std::as_const(m_slots)) {
        if (slot.key < 0)
            continue;
        qsizetype at = qsizetype(slot.hash) & mask;
        while (table.at(at).key >= 0)
            at = (at + 1) & mask;
        table[at] = slot;
    }
    m_slots = std::move(table);
}

} // namespace quorvane
