#pragma once

#include "kit/find/AddressFinder.h"
#include "kit/find/PhoneFinder.h"
#include "kit/find/TextServices.h"

namespace quorvane {

class PortableDataDetector : public DataDetector
{
public:
    explicit PortableDataDetector(const QString &phoneRegion = {}) : m_phones(phoneRegion) {}
    QList<DetectedValue> matches(const QString &text, DetectedTypes types) const override;

private:
    PhoneFinder m_phones;
    AddressFinder m_addresses;
};

} // namespace quorvane
