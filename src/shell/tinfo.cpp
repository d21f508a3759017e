#include "tinfo.h"

#include <QTextBrowser>
#include <QVBoxLayout>

TInfo* Info = nullptr;

TInfo::TInfo(QWidget* parent) : Window<QDialog>(parent, kDialogTitleBar)
{
    Info = this;
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Info for users"));
    frame().setFixedClientSize({515, 225});

    WebBrowser1 = new QTextBrowser(this);
    NAME_CONTROLS(WebBrowser1);
    WebBrowser1->setFrameShape(QFrame::NoFrame);
    // The page is the program's own; its links lead nowhere outside it.
    WebBrowser1->setOpenLinks(false);
    WebBrowser1->setOpenExternalLinks(false);
    WebBrowser1->setSource(page());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1);
}

TInfo::~TInfo()
{
    if (Info == this)
        Info = nullptr;
}
