#include "ai/LocalModelSettings.h"

#include <QHostAddress>

using namespace Qt::StringLiterals;

namespace quorvane {

namespace {

// The server's "/v1" root, checked; the user may have pasted the root, the
// "/v1" root or the full chat-completions address.
std::optional<QUrl> apiRoot(const LocalModelSettings &settings, QString *whyNot)
{
    const auto refuse = [whyNot](const QString &reason) -> std::optional<QUrl> {
        if (whyNot)
            *whyNot = reason;
        return std::nullopt;
    };
    QUrl url(settings.address.trimmed(), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"http"_s && url.scheme() != u"https"_s) || url.host().isEmpty())
        return refuse(u"not an http address: "_s + settings.address);
    if (!settings.allowRemote && !isLoopbackHost(url.host()))
        return refuse(u"the address is not on this computer: "_s + url.host());

    QString path = url.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    if (path.endsWith(u"/chat/completions"_s))
        path.chop(QStringView(u"/chat/completions").size());
    else if (!path.endsWith(u"/v1"_s))
        path += u"/v1"_s;
    url.setPath(path);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

std::optional<QUrl> below(std::optional<QUrl> root, const QString &tail)
{
    if (root)
        root->setPath(root->path() + tail);
    return root;
}

} // namespace

bool isLoopbackHost(const QString &host)
{
    if (host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

std::optional<QUrl> LocalModelSettings::chatEndpoint(QString *whyNot) const
{
    return below(apiRoot(*this, whyNot), u"/chat/completions"_s);
}

std::optional<QUrl> LocalModelSettings::modelsEndpoint(QString *whyNot) const
{
    return below(apiRoot(*this, whyNot), u"/models"_s);
}

} // namespace quorvane
