#pragma once

#include "kit/suggest/NameModel.h"

namespace quorvane {

// Stands in when no language model is set up: every request fails with
// `unavailable`, which ends a run at its first cell.
class UnavailableNameModel : public NameModel
{
public:
    explicit UnavailableNameModel(QString reason = QStringLiteral("no language model is set up"));

    Result names(const NameRequest &request, std::stop_token stop = {}) const override;
    QString label() const override;

private:
    QString m_reason;
};

} // namespace quorvane
