#include "ai/UnavailableNameModel.h"

using namespace Qt::StringLiterals;

namespace quorvane {

UnavailableNameModel::UnavailableNameModel(QString reason) : m_reason(std::move(reason)) {}

NameModel::Result UnavailableNameModel::names(const NameRequest &, std::stop_token) const
{
    return NameModelFailure{NameModelFailure::Kind::unavailable, m_reason};
}

QString UnavailableNameModel::label() const
{
    return u"the language model"_s;
}

} // namespace quorvane
