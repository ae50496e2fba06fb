#include "kit/find/PortableDataDetector.h"

#include <algorithm>

namespace quorvane {

QList<DetectedValue> PortableDataDetector::matches(const QString &text, DetectedTypes types) const
{
    QList<DetectedValue> found;
    QList<AddressFinder::Match> addresses;
    if (types.testFlag(DetectedType::address)) {
        addresses = m_addresses.find(text);
        for (const auto &address : std::as_const(addresses))
            found.append({DetectedType::address, address.range, address.parts});
    }
    if (types.testFlag(DetectedType::phone)) {
        for (const TextRange &range : m_phones.find(text)) {
            // A ZIP+4 or house number inside an address is not a telephone number.
            const bool insideAddress = std::any_of(addresses.cbegin(), addresses.cend(),
                [&](const AddressFinder::Match &a) { return a.range.overlaps(range); });
            if (!insideAddress)
                found.append({DetectedType::phone, range, {}});
        }
    }
    const auto byStart = [](const DetectedValue &a, const DetectedValue &b) { return a.range.start < b.range.start; };
    // Most texts hold one value or none; a sort would make a buffer for it.
    if (!std::is_sorted(found.cbegin(), found.cend(), byStart))
        std::stable_sort(found.begin(), found.end(), byStart);
    return found;
}

} // namespace quorvane
