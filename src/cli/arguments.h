#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

// Bad usage of the command line: exit status 2 with a one-line hint. The message names
// what was wrong; the hint points at the help of the program or of the command.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// An option of the program or of a command: --name VALUE, or a switch when it has no value.
struct OptionSpec
{
    QString name;      // without the dashes
    QString valueName; // empty for a switch
    QString help;
    bool required = false;

    bool takesValue() const { return !valueName.isEmpty(); }
};

// The options given on a command line, read against the options a command accepts.
class ParsedOptions
{
public:
    bool has(const QString& name) const { return m_values.contains(name); }
    QString value(const QString& name) const { return m_values.value(name); }
    void set(const QString& name, const QString& value) { m_values.insert(name, value); }
    // The plain words given before the options, for a command that takes some.
    const QStringList& words() const { return m_words; }
    void setWords(const QStringList& words) { m_words = words; }

private:
    QHash<QString, QString> m_values;
    QStringList m_words;
};

// Reads "--name VALUE", "--name=VALUE" and "--switch" from arguments; no plain words.
// Throws UsageError for an option that is not accepted, a missing value, a value given to
// a switch or a word that is not an option. The last of repeated options counts.
ParsedOptions parseOptions(const QStringList& arguments, const std::vector<OptionSpec>& accepted);

// The split of a whole command line: the program's options before the command, the
// command word (empty when none) and the arguments after it.
struct CommandLine
{
    QStringList leading;
    QString command;
    QStringList rest;
};
CommandLine splitCommandLine(const QStringList& arguments, const std::vector<OptionSpec>& programOptions);
