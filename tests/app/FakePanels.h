#pragma once

#include "app/Panels.h"

namespace quorvane::test {

// Answers every file panel with `answer` and keeps what the last one showed.
struct FakePanels : Panels
{
    std::optional<QString> answer;
    QString suggestedName, message;
    int asked = 0;

    std::optional<QString> chooseSaveLocation(const QString &name, const QString &, const QString &text) override
    {
        suggestedName = name;
        return shown(text);
    }
    std::optional<QString> chooseFileToOpen(const QStringList &, const QString &text) override { return shown(text); }
    std::optional<QString> shown(const QString &text)
    {
        ++asked;
        message = text;
        return answer;
    }
};

} // namespace quorvane::test
