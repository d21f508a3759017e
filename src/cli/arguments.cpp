#include "arguments.h"

namespace {

const OptionSpec* find(const std::vector<OptionSpec>& accepted, const QString& name)
{
    for (const OptionSpec& declared : accepted) {
        if (declared.name == name)
            return &declared;
    }
    return nullptr;
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments, const std::vector<OptionSpec>& accepted)
{
    ParsedOptions parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--")) || argument.size() == 2)
            throw UsageError(QStringLiteral("unexpected argument \"%1\"").arg(argument));
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
        const OptionSpec* declared = find(accepted, name);
        if (!declared)
            throw UsageError(QStringLiteral("unknown option --%1").arg(name));
        if (!declared->takesValue()) {
            if (equals >= 0)
                throw UsageError(QStringLiteral("--%1 takes no value").arg(name));
            parsed.set(name, QString());
            continue;
        }
        if (equals >= 0) {
            parsed.set(name, argument.mid(equals + 1));
        } else {
            if (i + 1 >= arguments.size())
                throw UsageError(QStringLiteral("--%1 needs a value (%2)").arg(name, declared->valueName));
            parsed.set(name, arguments[++i]);
        }
    }
    return parsed;
}

CommandLine splitCommandLine(const QStringList& arguments, const std::vector<OptionSpec>& programOptions)
{
    CommandLine line;
    qsizetype i = 0;
    for (; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(QLatin1String("--"))) {
            line.command = argument;
            ++i;
            break;
        }
        line.leading << argument;
        const QString name = argument.mid(2);
        const OptionSpec* declared = find(programOptions, name);
        // The value of a program option is not the command.
        if (declared && declared->takesValue() && i + 1 < arguments.size())
            line.leading << arguments[++i];
    }
    line.rest = arguments.mid(i);
    return line;
}
