#include "kit/find/PortableTextServices.h"

#include "kit/find/PortableDataDetector.h"
#include "kit/find/PortableLexicalTagger.h"
#include "kit/find/PortableNameTagger.h"

namespace quorvane {

std::unique_ptr<NameTagger> PortableTextServices::nameTagger() const
{
    return std::make_unique<PortableNameTagger>();
}

std::unique_ptr<LexicalTagger> PortableTextServices::lexicalTagger() const
{
    return std::make_unique<PortableLexicalTagger>();
}

std::unique_ptr<DataDetector> PortableTextServices::dataDetector() const
{
    return std::make_unique<PortableDataDetector>(m_phoneRegion);
}

std::shared_ptr<TextServices> defaultTextServices()
{
    static const std::shared_ptr<TextServices> services = std::make_shared<PortableTextServices>();
    return services;
}

} // namespace quorvane
