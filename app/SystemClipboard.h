#pragma once

#include "app/Clipboard.h"

namespace quorvane {

// The system clipboard of the running application.
class SystemClipboard : public Clipboard
{
public:
    std::optional<QString> text() const override;
    void setText(const QString &text) override;
};

} // namespace quorvane
