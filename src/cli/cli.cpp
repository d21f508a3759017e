#include "cli.h"

#include "apperror.h"
#include "commands.h"
#include "datamodule.h"
#include "names.h"
#include "tablestore.h"
#include "version.h"

#include <QDir>
#include <QLocale>

namespace {

const QString kProgram = QStringLiteral("tallyfield-cli");

const std::vector<OptionSpec>& programOptions()
{
    static const std::vector<OptionSpec> options{
        {QStringLiteral("db"), QStringLiteral("DIR"),
         QStringLiteral("the folder that holds the database folder Table (default: the working directory)")},
        {QStringLiteral("locale"), QStringLiteral("NAME"),
         QStringLiteral("write numbers and dates as the windows do under this locale, e.g. de_DE "
                        "(default: the C locale, with a decimal point and ISO dates)")},
        {QStringLiteral("format"), QStringLiteral("csv|json"),
         QStringLiteral("rows as CSV with a header row (default) or as a JSON array of objects")},
        {QStringLiteral("help"), QString(), QStringLiteral("show this help and stop")},
        {QStringLiteral("version"), QString(), QStringLiteral("show the version and stop")},
    };
    return options;
}

const Command* findCommand(const QString& name)
{
    for (const Command& command : commands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

// A command of two words ("report table") takes its second word from after the command
// word.
void joinTwoWordCommand(QString& command, QStringList& rest)
{
    if (findCommand(command) || rest.isEmpty() || rest.first().startsWith(QLatin1String("--")))
        return;
    const QString joined = command + QLatin1Char(' ') + rest.first();
    if (findCommand(joined)) {
        command = joined;
        rest.removeFirst();
    }
}

QStringList commandNames()
{
    QStringList names;
    for (const Command& command : commands())
        names << command.name;
    return names;
}

QString optionLines(const std::vector<OptionSpec>& options)
{
    QString text;
    for (const OptionSpec& declared : options) {
        QString head = QStringLiteral("  --") + declared.name;
        if (declared.takesValue())
            head += QLatin1Char(' ') + declared.valueName;
        text += head.leftJustified(30) + QLatin1Char(' ') + declared.help +
                (declared.required ? QStringLiteral(" (required)") : QString()) + QLatin1Char('\n');
    }
    return text;
}

QString programHelp()
{
    QString text = QStringLiteral("Usage: %1 [--db DIR] COMMAND [options]\n\n"
                                  "Tallyfield's analyses from a terminal, on the same database and with the same "
                                  "computations as the windows.\n\nCommands:\n")
                       .arg(kProgram);
    for (const Command& command : commands())
        text += (QStringLiteral("  ") + command.name).leftJustified(16) + QLatin1Char(' ') + command.summary +
                QLatin1Char('\n');
    text += QStringLiteral("\nOptions of every command:\n") + optionLines(programOptions());
    text += QStringLiteral("\n'%1 COMMAND --help' shows a command's options.\n"
                           "Exit status: 0 done; 1 the database or the data refused (the message on standard "
                           "error); 2 bad usage.\n")
                .arg(kProgram);
    return text;
}

QString commandHelp(const Command& command)
{
    QString usage = QStringLiteral("Usage: %1 [--db DIR] %2").arg(kProgram, command.name);
    if (!command.words.isEmpty())
        usage += QLatin1Char(' ') + command.words;
    for (const OptionSpec& declared : command.options) {
        const QString option = QStringLiteral("--") + declared.name +
                               (declared.takesValue() ? QLatin1Char(' ') + declared.valueName : QString());
        usage += QLatin1Char(' ') + (declared.required ? option : QLatin1Char('[') + option + QLatin1Char(']'));
    }
    QString text = usage + QStringLiteral("\n\n") + command.description + QLatin1Char('\n');
    if (!command.options.empty())
        text += QStringLiteral("\nOptions:\n") + optionLines(command.options);
    text += QStringLiteral("\nOptions of every command:\n") + optionLines(programOptions());
    return text;
}

// The default locale while a command runs; the previous one is put back after.
class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) : m_previous(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_previous;
};

QLocale localeNamed(const QString& name)
{
    if (name == QLatin1String("C") || name == QLatin1String("POSIX"))
        return QLocale::c();
    const QLocale locale(name);
    // QLocale falls back to the C locale for a name it does not know.
    if (locale.language() == QLocale::C)
        throw UsageError(QStringLiteral("unknown locale \"%1\"").arg(name));
    return locale;
}

Format formatNamed(const QString& name)
{
    if (name == QLatin1String("csv"))
        return Format::Csv;
    if (name == QLatin1String("json"))
        return Format::Json;
    throw UsageError(QStringLiteral("--format is csv or json, not \"%1\"").arg(name));
}

} // namespace

namespace Cli {

int run(const QStringList& arguments, QString& out, QString& err)
{
    out.clear();
    err.clear();
    QString helpFor = kProgram;
    try {
        CommandLine line = splitCommandLine(arguments, programOptions());
        joinTwoWordCommand(line.command, line.rest);
        const ParsedOptions leading = parseOptions(line.leading, programOptions());
        const QString version = kProgram + QLatin1Char(' ') + QStringLiteral(TALLYFIELD_VERSION) + QLatin1Char('\n');
        if (leading.has(QStringLiteral("version"))) {
            out = version;
            return Success;
        }
        if (line.command.isEmpty() || line.command == QLatin1String("help")) {
            QString topic = line.rest.value(0);
            QStringList topicRest = line.rest.mid(1);
            joinTwoWordCommand(topic, topicRest);
            const Command* about = findCommand(topic);
            if (line.command.isEmpty() && !leading.has(QStringLiteral("help")))
                throw UsageError(QStringLiteral("no command given"));
            out = about ? commandHelp(*about) : programHelp();
            return Success;
        }
        const Command* command = findCommand(line.command);
        if (!command) {
            QStringList second;
            for (const Command& known : commands()) {
                if (known.name.startsWith(line.command + QLatin1Char(' ')))
                    second << known.name.mid(line.command.size() + 1);
            }
            if (!second.isEmpty())
                throw UsageError(
                    QStringLiteral("%1 needs one of: %2").arg(line.command, second.join(QStringLiteral(", "))));
            const QStringList near = Names::closest(line.command, commandNames(), 3);
            throw UsageError(QStringLiteral("unknown command \"%1\"%2")
                                 .arg(line.command, near.isEmpty()
                                                        ? QString()
                                                        : QStringLiteral("; did you mean ") +
                                                              near.join(QStringLiteral(", ")) + QLatin1Char('?')));
        }
        helpFor = kProgram + QLatin1Char(' ') + command->name;
        if (leading.has(QStringLiteral("help"))) {
            out = commandHelp(*command);
            return Success;
        }

        std::vector<OptionSpec> accepted = programOptions();
        accepted.insert(accepted.end(), command->options.begin(), command->options.end());
        // A command that takes words has them first, before its options.
        QStringList rest = line.rest;
        QStringList words;
        while (!command->words.isEmpty() && !rest.isEmpty() && !rest.first().startsWith(QLatin1String("--")))
            words << rest.takeFirst();
        ParsedOptions options = parseOptions(line.leading + rest, accepted);
        options.setWords(words);
        if (options.has(QStringLiteral("help"))) {
            out = commandHelp(*command);
            return Success;
        }
        if (options.has(QStringLiteral("version"))) {
            out = version;
            return Success;
        }
        for (const OptionSpec& declared : command->options) {
            if (declared.required && !options.has(declared.name))
                throw UsageError(QStringLiteral("%1 needs --%2").arg(command->name, declared.name));
        }
        const Format format =
            options.has(QStringLiteral("format")) ? formatNamed(options.value(QStringLiteral("format"))) : Format::Csv;
        const bool localeGiven = options.has(QStringLiteral("locale"));
        const LocaleScope locale(localeGiven ? localeNamed(options.value(QStringLiteral("locale"))) : QLocale::c());
        const QString folder =
            options.has(QStringLiteral("db")) ? options.value(QStringLiteral("db")) : QDir::currentPath();

        CommandContext context(options, format, localeGiven, QDir(folder).filePath(QStringLiteral("Table")));
        command->run(context);
        out = context.printed();
        return Success;
    } catch (const UsageError& error) {
        err = QStringLiteral("%1: %2. See '%3 --help'.\n").arg(kProgram, error.message(), helpFor);
        return BadUsage;
    } catch (const AppError& error) {
        err = error.message() + QLatin1Char('\n');
        return Refused;
    }
}

bool drawsPages(const QStringList& arguments)
{
    CommandLine line = splitCommandLine(arguments, programOptions());
    joinTwoWordCommand(line.command, line.rest);
    const Command* command = findCommand(line.command);
    return command && command->drawsPages;
}

} // namespace Cli

CommandContext::CommandContext(const ParsedOptions& options, Format format, bool localeGiven, QString databaseFolder)
    : m_options(options), m_format(format), m_localeGiven(localeGiven), m_databaseFolder(std::move(databaseFolder))
{
}

CommandContext::~CommandContext()
{
    // The views go before the store they read; the program's data module is again the one
    // it was before (none, but for a test that runs a window beside the command line).
    if (m_module) {
        m_module.reset();
        DataModule1 = m_previousModule;
    }
    m_store.reset();
}

TDataModule1& CommandContext::database()
{
    if (!m_module) {
        auto store = std::make_unique<TableStore>();
        store->open(m_databaseFolder);
        m_previousModule = DataModule1;
        auto module = std::make_unique<TDataModule1>(*store);
        m_store = std::move(store);
        m_module = std::move(module);
        m_module->DataModuleCreate();
    }
    return *m_module;
}

void CommandContext::print(const Rows& rows)
{
    m_printed += m_format == Format::Json ? Output::json(rows) : Output::csv(rows);
}

void CommandContext::printText(const QString& composed)
{
    m_printed += m_format == Format::Json ? Output::jsonLines(composed) : Output::lines(composed);
}

void CommandContext::printTextAndRows(const QString& textKey, const QString& composed, const QString& rowsKey,
                                      const Rows& rows)
{
    if (m_format == Format::Json) {
        m_printed += QStringLiteral("{\n") + Output::jsonString(textKey) + QStringLiteral(": ") +
                     Output::jsonLines(composed).trimmed() + QStringLiteral(",\n") + Output::jsonString(rowsKey) +
                     QStringLiteral(": ") + Output::json(rows).trimmed() + QStringLiteral("\n}\n");
        return;
    }
    m_printed += Output::lines(composed) + QLatin1Char('\n') + Output::csv(rows);
}

const std::vector<Command>& commands()
{
    // Each command arrives with the window whose computation it shares.
    static const std::vector<Command> table{
        countriesCommand(), competitionsCommand(), seasonsCommand(),    teamsCommand(),         headToHeadCommand(),
        tableCommand(),     gamesCommand(),        statisticsCommand(), predictCommand(),       backtestCommand(),
        historyCommand(),   summaryCommand(),      exportCommand(),     reportResultsCommand(), reportTableCommand()};
    return table;
}
