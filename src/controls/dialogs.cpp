#include "dialogs.h"

#include "apperror.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

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

Dialogs::OpenFileHandler& openFileHandler()
{
    static Dialogs::OpenFileHandler handler;
    return handler;
}

// The window a box is centred over. A window not on screen yet (the main window while it
// is made) would place the box at its own hidden place, usually the screen's corner.
QWidget* owner(QWidget* parent)
{
    if (parent && parent->window()->isVisible())
        return parent->window();
    if (QWidget* active = QApplication::activeWindow())
        return active;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return nullptr; // centred on the screen
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
    parent = owner(parent);
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

bool ask(Question question, const QString& text, QWidget* parent)
{
    if (questionHandler())
        return questionHandler()(question, text);
    const auto [first, second] = question == Question::YesNo ? std::pair{QMessageBox::Yes, QMessageBox::No}
                                                             : std::pair{QMessageBox::Retry, QMessageBox::Cancel};
    return QMessageBox::question(owner(parent), QStringLiteral("Tallyfield"), text, first | second, first) == first;
}

int execModal(QDialog& dialog)
{
    if (modalHandler())
        return modalHandler()(dialog);
    return dialog.exec();
}

QString saveFileName(const QString& caption, const QString& suggested, const QString& filter, QWidget* parent)
{
    if (saveFileHandler())
        return saveFileHandler()(caption, suggested);
    return QFileDialog::getSaveFileName(owner(parent), caption, suggested, filter);
}

bool openWithDesktop(const QString& path)
{
    if (openFileHandler())
        return openFileHandler()(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
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

void setOpenFileHandler(OpenFileHandler handler)
{
    openFileHandler() = std::move(handler);
}

} // namespace Dialogs
