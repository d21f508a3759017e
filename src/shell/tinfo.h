#pragma once

#include "window.h"

#include <QDialog>
#include <QUrl>

class QTextBrowser;

// The information page for users, shown once at start-up after the splash window. The
// page is shipped inside the program and loaded when the window is made; nothing is
// fetched from the network. Closed with the title bar's button, the window stays hidden
// for the rest of the run.
class TInfo : public Window<QDialog>
{
    Q_OBJECT

public:
    explicit TInfo(QWidget* parent = nullptr);
    ~TInfo() override;

    QTextBrowser* WebBrowser1;

    static QUrl page() { return QUrl(QStringLiteral("qrc:/info/ad.htm")); }
};

// The one information window of the program; null before it is made.
extern TInfo* Info;
