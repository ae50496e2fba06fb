#pragma once

#include "app/Panels.h"

class QWidget;

namespace quorvane {

// The panels as file dialogs over a window.
class DialogPanels : public Panels
{
public:
    explicit DialogPanels(QWidget *window = nullptr) : m_window(window) {}
    // The window the panels belong to, once it exists.
    void setWindow(QWidget *window) { m_window = window; }

    std::optional<QString> chooseSaveLocation(const QString &suggestedName, const QString &extension,
                                              const QString &message) override;
    std::optional<QString> chooseFileToOpen(const QStringList &extensions, const QString &message) override;

private:
    QWidget *m_window;
};

} // namespace quorvane
