#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <stdexcept>

namespace quorvane::cli {

// Wrong use of the tool (unknown command, missing argument); exits with 2.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

struct Option
{
    Option(QString name_, QString valueName_, QString help_, QString shortName_ = {})
        : name(std::move(name_)), valueName(std::move(valueName_)), help(std::move(help_)),
          shortName(std::move(shortName_))
    {
    }

    QString name;             // without the leading dashes
    QString valueName;        // empty for a flag ("--json"); otherwise what the value is ("FILE")
    QString help;
    QString shortName;        // "o" lets "-o" stand for the option; empty for none
};

// The arguments of one command, parsed against its options.
class Invocation
{
public:
    Invocation(const QStringList &arguments, const QList<Option> &options);

    bool flag(const QString &name) const { return m_flags.contains(name); }
    // The value of a valued option, or an empty string when it was not given.
    QString value(const QString &name) const { return m_values.value(name); }
    bool has(const QString &name) const { return m_values.contains(name); }
    // Every value of an option that may be given more than once, in order.
    QStringList values(const QString &name) const { return m_allValues.value(name); }
    // The value of an option that must be given.
    QString required(const QString &name) const;
    const QStringList &positionals() const { return m_positionals; }
    // Fails unless there are between min and max positionals (max < 0: no limit).
    void expectPositionals(qsizetype min, qsizetype max, const QString &what) const;

    QTextStream &out() const;
    QTextStream &err() const;

private:
    QStringList m_flags;
    QMap<QString, QString> m_values;
    QMap<QString, QStringList> m_allValues;
    QStringList m_positionals;
};

struct Command
{
    QStringList words;        // {"key", "new"}, or {"scan"} for a command without a group
    QString synopsis;         // "--name NAME --out FILE"
    QString summary;          // one line for --help
    QList<Option> options;
    // Returns the exit code; throws quorvane::Failure (exit 1) or UsageError (exit 2).
    std::function<int(const Invocation &)> run;
};

// Options every command accepts, such as --passphrase-file.
const QList<Option> &commonOptions();

// Every command the tool knows, in the order --help lists them.
const QList<Command> &allCommands();

// One function per command group, each in its own file; CommandTable.cpp lists them.
QList<Command> keyCommands();
QList<Command> keyStoreCommands();
QList<Command> swapCommands();
QList<Command> restoreCommands();
QList<Command> sheetCommands();
QList<Command> suggestCommands();

} // namespace quorvane::cli
