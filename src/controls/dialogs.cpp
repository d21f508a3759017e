#include "dialogs.h"

#include "apperror.h"

#include <QDialog>
#include <QMessageBox>

namespace {
Dialogs::MessageHandler& messageHandler()
{
    static Dialogs::MessageHandler handler;
    return handler;
}
Dialogs::ModalHandler& modalHandler()
{
    static Dialogs::ModalHandler handler;
    return handler;
}
} // namespace

namespace Dialogs {

void message(Kind kind, const QString& text, QWidget* parent)
{
    if (messageHandler()) {
        messageHandler()(kind, text);
        return;
    }
    const QString title = QStringLiteral("Tallyfield");
    switch (kind) {
    case Kind::Error:
        QMessageBox::critical(parent, title, text);
        break;
    case Kind::Warning:
        QMessageBox::warning(parent, title, text);
        break;
    case Kind::Information:
        QMessageBox::information(parent, title, text);
        break;
    }
}

void runHandler(const std::function<void()>& handler, QWidget* parent)
{
    try {
        handler();
    } catch (const AppError& e) {
        error(e.message(), parent);
    } catch (const std::exception& e) {
        error(QString::fromLocal8Bit(e.what()), parent);
    }
}

int execModal(QDialog& dialog)
{
    if (modalHandler())
        return modalHandler()(dialog);
    return dialog.exec();
}

void setMessageHandler(MessageHandler handler)
{
    messageHandler() = std::move(handler);
}
void setModalHandler(ModalHandler handler)
{
    modalHandler() = std::move(handler);
}

} // namespace Dialogs
