#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <utility>

namespace quorvane {

// Stand-in keys ("word|mateo") to entry positions. Each slot keeps its key's
// hash, so a probe for a word that is no stand-in, which is most words of a
// file being restored, reads one array and never a stored text. A plain value
// whose copies share their storage until one of them changes.
class StandInIndex
{
public:
    void reserve(qsizetype count);
    // A key already held takes the new position.
    void insert(const QString &key, qsizetype position);
    // The position of the key, or -1.
    qsizetype find(QStringView key) const;
    bool contains(QStringView key) const { return find(key) >= 0; }
    qsizetype size() const { return m_keys.size(); }

private:
    struct Slot
    {
        size_t hash = 0;
        qsizetype key = -1; // into m_keys; -1 marks a free slot
    };
    // The slot that holds the key, or else the free slot it would take.
    qsizetype slotFor(QStringView key, size_t hash) const;
    void rehash(qsizetype slotCount);

    QList<Slot> m_slots;
    QList<std::pair<QString, qsizetype>> m_keys;
};

} // namespace quorvane
