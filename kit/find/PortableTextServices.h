#pragma once

#include "kit/find/TextServices.h"

namespace quorvane {

// Text services that run on every platform: our own name tagger and address
// finder, lexical classes from a bundled dictionary, and libphonenumber.
class PortableTextServices : public TextServices
{
public:
    // An empty region takes the system locale's, or the US.
    explicit PortableTextServices(const QString &phoneRegion = {}) : m_phoneRegion(phoneRegion) {}

    std::unique_ptr<NameTagger> nameTagger() const override;
    std::unique_ptr<LexicalTagger> lexicalTagger() const override;
    std::unique_ptr<DataDetector> dataDetector() const override;

private:
    QString m_phoneRegion;
};

} // namespace quorvane
