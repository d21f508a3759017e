#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

class QDialog;

// Every message box, question, file dialog and modal window of the program goes through here, so that a
// test can answer them instead of a person. By default a message box is the standard one,
// titled "Tallyfield", with an OK button, centred over the window it concerns (the
// parent's window when it is on screen, else the active window), and a modal window runs
// its own event loop.
namespace Dialogs {

enum class Kind
{
    Error,
    Warning,
    Information
};

void message(Kind kind, const QString& text, QWidget* parent = nullptr);
inline void error(const QString& text, QWidget* parent = nullptr)
{
    message(Kind::Error, text, parent);
}
inline void warning(const QString& text, QWidget* parent = nullptr)
{
    message(Kind::Warning, text, parent);
}
inline void information(const QString& text, QWidget* parent = nullptr)
{
    message(Kind::Information, text, parent);
}

// Runs a handler that the user started (a click, a closed list). An AppError or other
// exception it throws stops it there and is shown in the error box; the program goes on.
// Handlers themselves catch nothing; controls call them through here.
void runHandler(const std::function<void()>& handler, QWidget* parent = nullptr);

// Connects a control's signal to a handler the user starts with it: the handler runs
// through runHandler, so its error is shown right there, over the context's window, once.
// This is the one way the program connects its handlers; an error that still reaches the
// application's event dispatch is a last resort.
template <class Sender, class Signal>
QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, QObject* context,
                                       std::function<void()> handler)
{
    QWidget* window = context && context->isWidgetType() ? static_cast<QWidget*>(context) : nullptr;
    return QObject::connect(sender, signal, context,
                            [window, handler = std::move(handler)] { runHandler(handler, window); });
}

// Asks the user a question with two answers; true for the first (Yes, Retry).
enum class Question
{
    YesNo,
    RetryCancel
};
bool ask(Question question, const QString& text, QWidget* parent = nullptr);

// Shows the window modally and returns its result code.
int execModal(QDialog& dialog);

// Asks for the name of a file to write, starting from suggested; filter as the file
// dialog takes it ("PDF files (*.pdf)"). Empty when the user cancels.
QString saveFileName(const QString& caption, const QString& suggested, const QString& filter,
                     QWidget* parent = nullptr);

// Opens a file with the program the desktop uses for its type (the shell's "open"
// action), as a click on a link does; false when the desktop could not open it.
bool openWithDesktop(const QString& path);

using MessageHandler = std::function<void(Kind, const QString&)>;
using ModalHandler = std::function<int(QDialog&)>;
using QuestionHandler = std::function<bool(Question, const QString&)>;
using SaveFileHandler = std::function<QString(const QString& caption, const QString& suggested)>;
using OpenFileHandler = std::function<bool(const QString& path)>;

// Replaces the message boxes or the modal loop; an empty handler restores the default.
void setMessageHandler(MessageHandler handler);
void setModalHandler(ModalHandler handler);
void setQuestionHandler(QuestionHandler handler);
void setSaveFileHandler(SaveFileHandler handler);
void setOpenFileHandler(OpenFileHandler handler);

} // namespace Dialogs
