#pragma once

#include <QString>

namespace quorvane {

// One question to a language model: the names in one cell.
struct NameRequest
{
    QString instructions; // the system instructions
    QString prompt;       // the cell, with its column header
    int maxNames = 8;
    int maxTokens = 120;
    double timeoutSeconds = 20.0;

    friend bool operator==(const NameRequest &, const NameRequest &) = default;
};

} // namespace quorvane
