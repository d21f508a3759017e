#pragma once

#include "arguments.h"
#include "output.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TableStore;
class TDataModule1;

enum class Format
{
    Csv,
    Json
};

// What a command works with: its options, the database (opened when first asked for) and
// what it prints. The printed text reaches standard output only when the command ends
// without an error, so that a refused command leaves no half of its answer behind.
class CommandContext
{
public:
    CommandContext(const ParsedOptions& options, Format format, bool localeGiven, QString databaseFolder);
    ~CommandContext();
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    const ParsedOptions& options() const { return m_options; }
    Format format() const { return m_format; }
    // Whether --locale was given: numbers such as a capacity are then written as the
    // windows show them rather than plainly.
    bool localeGiven() const { return m_localeGiven; }

    // The data module on the database in the folder that holds Table; opened on first use,
    // throwing AppError with the message the windows show when it cannot be.
    TDataModule1& database();

    void print(const Rows& rows);
    // A composed text of the windows, line by line (a JSON array of its lines with --format json).
    void printText(const QString& composed);
    // A composed text and rows: the text's lines, an empty line and the rows as CSV; with
    // --format json one object holding the lines under textKey and the rows under rowsKey.
    void printTextAndRows(const QString& textKey, const QString& composed, const QString& rowsKey, const Rows& rows);
    const QString& printed() const { return m_printed; }

private:
    const ParsedOptions& m_options;
    Format m_format;
    bool m_localeGiven;
    QString m_databaseFolder;
    std::unique_ptr<TableStore> m_store;
    std::unique_ptr<TDataModule1> m_module;
    TDataModule1* m_previousModule = nullptr;
    QString m_printed;
};

// A command of tallyfield-cli. Options are its own; the program's options (--db,
// --locale, --format, --help) are accepted by every command.
struct Command
{
    QString name;
    QString summary;     // one line for the program's help
    QString description; // what it prints, for the command's help
    std::vector<OptionSpec> options;
    std::function<void(CommandContext&)> run;
    // The words it takes before its options, as its help shows them; none when empty.
    QString words = QString();
    bool drawsPages = false; // draws a report: the program needs a QGuiApplication
};

// Every command, in the order the program's help lists them.
const std::vector<Command>& commands();

// The commands, each beside the computation it shares with a window.
Command countriesCommand();
Command competitionsCommand();
Command seasonsCommand();
Command teamsCommand();
Command headToHeadCommand();
Command tableCommand();
Command gamesCommand();
Command statisticsCommand();
Command predictCommand();
Command backtestCommand();
Command historyCommand();
Command summaryCommand();
Command exportCommand();
Command reportResultsCommand();
Command reportTableCommand();
