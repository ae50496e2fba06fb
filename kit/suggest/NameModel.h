#pragma once

#include "kit/suggest/NameModelFailure.h"
#include "kit/suggest/NameRequest.h"

#include <QStringList>

#include <stop_token>
#include <variant>

namespace quorvane {

// A language model that reads one cell and lists the people's names in it.
//
// `names` runs the whole exchange on the calling thread and returns when the
// answer, a failure or the request's timeout arrives, so callers run it on a
// background task, never on the interface's thread. Implementations are safe
// to call from any thread and keep no state between requests. A stop request
// on `stop` ends a request under way at once, as a failure of kind `error`.
class NameModel
{
public:
    using Result = std::variant<QStringList, NameModelFailure>;

    virtual ~NameModel() = default;
    virtual Result names(const NameRequest &request, std::stop_token stop = {}) const = 0;
    // How the model is named to the user: "Apple Intelligence", "the local language model".
    virtual QString label() const = 0;
};

} // namespace quorvane
