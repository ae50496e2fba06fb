#include "app/views/ChooseKeyView.h"

#include "app/views/ViewText.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

ChooseKeyView::ChooseKeyView(QWidget *parent) : QWidget(parent)
{
    auto *title = headingLabel(u"Choose a key"_s, this, 1.3);
    auto *hint = bodyLabel(u"Pick a project key on the left."_s, this);
    title->setAlignment(Qt::AlignCenter);
    hint->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(title);
    layout->addWidget(hint);
    layout->addStretch(1);
}

} // namespace quorvane
