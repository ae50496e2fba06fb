#pragma once

#include "ai/LocalModelSettings.h"
#include "kit/suggest/NameModel.h"

#include <QJsonObject>

#include <functional>

class QObject;

namespace quorvane {

// Asks a language-model server on the user's own machine (any server with an
// OpenAI-style chat-completions endpoint) for the names in one cell. Each
// request stands alone: the instructions go as the system message, the cell
// as the user message, and the answer is held to the names schema with
// greedy decoding. Every outcome other than a list of names is reported as a
// NameModelFailure; nothing is thrown.
class LocalServerNameModel : public NameModel
{
public:
    explicit LocalServerNameModel(LocalModelSettings settings);

    Result names(const NameRequest &request, std::stop_token stop = {}) const override;
    QString label() const override;
    const LocalModelSettings &settings() const { return m_settings; }

    // The chat-completions request for one cell.
    static QJsonObject requestBody(const NameRequest &request, const QString &model);

    // Whether the server answers its model list within `waitMs`. Blocks the
    // calling thread, so it is for background tasks and the command line.
    static bool isAvailable(const LocalModelSettings &settings, int waitMs = defaultProbeMs, std::stop_token stop = {});
    // The same question without blocking: `done` runs later on `context`'s
    // thread, which needs a running event loop; never before this returns.
    static void checkAvailability(const LocalModelSettings &settings, QObject *context,
                                  std::function<void(bool available)> done, int waitMs = defaultProbeMs);

    static constexpr int defaultProbeMs = 1500;

private:
    LocalModelSettings m_settings;
};

} // namespace quorvane
