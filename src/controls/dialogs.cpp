#include "dialogs.h"

#include "apperror.h"

#include <QDialog>
#include <QFileDialog>
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
Dialogs::QuestionHandler& questionHandler()
{
    static Dialogs::QuestionHandler handler;
    return handler;
}
Dialogs::SaveFileHandler& saveFileHandler()
{
    static Dialogs::SaveFileHandler handler;
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

bool question(const QString& text, QWidget* parent)
{
    if (questionHandler())
        return questionHandler()(text);
    return QMessageBox::question(parent, QStringLiteral("Tallyfield"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString saveFileName(const QString& caption, const QString& suggested, const QString& filter, QWidget* parent)
{
    if (saveFileHandler())
        return saveFileHandler()(caption, suggested);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void setMessageHandler(MessageHandler handler)
{
    messageHandler() = std::move(handler);
}
void setModalHandler(ModalHandler handler)
{
    modalHandler() = std::move(handler);
}
void setQuestionHandler(QuestionHandler handler)
{
    questionHandler() = std::move(handler);
}
void setSaveFileHandler(SaveFileHandler handler)
{
    saveFileHandler() = std::move(handler);
}

} // namespace Dialogs
