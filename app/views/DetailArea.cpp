#include "app/views/DetailArea.h"

#include "app/AppModel.h"
#include "app/views/ChooseKeyView.h"
#include "app/views/SessionTabs.h"
#include "app/views/UnlockView.h"
#include "app/views/WelcomeView.h"

namespace quorvane {

DetailArea::DetailArea(AppModel &model, QWidget *parent)
    : QStackedWidget(parent)
    , m_model(model)
    , m_welcome(new WelcomeView(model, this))
    , m_chooseKey(new ChooseKeyView(this))
    , m_unlock(new UnlockView(model, this))
    , m_tabs(new SessionTabs(model, this))
{
    for (QWidget *view : {static_cast<QWidget *>(m_welcome), static_cast<QWidget *>(m_chooseKey),
                          static_cast<QWidget *>(m_unlock), static_cast<QWidget *>(m_tabs)})
        addWidget(view);
    connect(&m_model, &AppModel::keysChanged, this, &DetailArea::refresh);
    connect(&m_model, &AppModel::selectionChanged, this, &DetailArea::refresh);
    connect(&m_model, &AppModel::openedChanged, this, &DetailArea::refresh);
    refresh();
}

void DetailArea::refresh()
{
    if (m_model.keys().isEmpty()) {
        setCurrentWidget(m_welcome);
    } else if (!m_model.selectedFile()) {
        setCurrentWidget(m_chooseKey);
    } else if (!m_model.openKey()) {
        m_unlock->showSelectedKey();
        setCurrentWidget(m_unlock);
    } else {
        setCurrentWidget(m_tabs);
    }
}

} // namespace quorvane
