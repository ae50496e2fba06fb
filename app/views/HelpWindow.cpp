#include "app/views/HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace quorvane {

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(u"Quorvane Help"_s);
    auto *browser = new QTextBrowser(this);
    browser->setAccessibleName(u"Quorvane Help"_s);
    browser->setSource(QUrl(u"qrc:/quorvane/app/help.html"_s));
    browser->setOpenExternalLinks(false);
    browser->document()->setDocumentMargin(16);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    resize(560, 620);
}

} // namespace quorvane
