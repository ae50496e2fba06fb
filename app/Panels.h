#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

// The platform's save and open panels, behind an interface so the app model
// and the sessions can be driven without dialogs. Both are modal; nothing
// means the user cancelled.
class Panels
{
public:
    virtual ~Panels() = default;

    // Asks where to save; only files ending in "." + extension are offered.
    virtual std::optional<QString> chooseSaveLocation(const QString &suggestedName, const QString &extension,
                                                      const QString &message) = 0;
    // Asks for a file to open; an empty extension list allows any file.
    virtual std::optional<QString> chooseFileToOpen(const QStringList &extensions, const QString &message) = 0;
};

} // namespace quorvane
