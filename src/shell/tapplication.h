#pragma once

#include <QApplication>
#include <QSet>

// The application object of Tallyfield. It carries the application title, and it is the
// last resort for an error that stops an event handler: the handlers the program connects
// show their errors at their own edge (Dialogs::connectHandler), so what arrives here has
// come through Qt's own event handling (a window painting, say). The handler's work ends
// at that step, the user sees the error's own text in the standard error box, and the
// program goes on.
class TApplication : public QApplication
{
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    static QString title() { return QStringLiteral("Tallyfield"); }

private:
    void report(const QString& text);

    // The texts of the error boxes open at this moment.
    QSet<QString> m_reporting;
};
