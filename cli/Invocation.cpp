#include "cli/Command.h"

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

const Option *findShortOption(const QList<Option> &options, const QString &argument)
{
    if (argument.size() != 2 || !argument.startsWith(u'-') || argument == u"--"_s)
        return nullptr;
    for (const Option &option : options)
        if (!option.shortName.isEmpty() && option.shortName == argument.mid(1))
            return &option;
    return nullptr;
}

const Option *findOption(const QList<Option> &options, const QString &name)
{
    for (const Option &option : options)
        if (option.name == name)
            return &option;
    for (const Option &option : commonOptions())
        if (option.name == name)
            return &option;
    return nullptr;
}

} // namespace

const QList<Option> &commonOptions()
{
    static const QList<Option> options{
        {u"passphrase-file"_s, u"FILE"_s,
         u"read the passphrase from the first line of FILE (otherwise QUORVANE_PASSPHRASE, otherwise a prompt)"_s},
    };
    return options;
}

Invocation::Invocation(const QStringList &arguments, const QList<Option> &options)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (!optionsEnded)
            if (const Option *option = findShortOption(options, argument))
                argument = u"--"_s + option->name;
        if (optionsEnded || !argument.startsWith(u"--"_s)) {
            m_positionals.append(argument);
            continue;
        }
        if (argument == u"--"_s) {
            optionsEnded = true;
            continue;
        }
        QString name = argument.mid(2);
        std::optional<QString> inlineValue;
        if (const qsizetype equals = name.indexOf(u'='); equals >= 0) {
            inlineValue = name.mid(equals + 1);
            name.truncate(equals);
        }
        const Option *option = findOption(options, name);
        if (!option)
            throw UsageError(u"unknown option --%1"_s.arg(name));
        if (option->valueName.isEmpty()) {
            if (inlineValue)
                throw UsageError(u"--%1 takes no value"_s.arg(name));
            m_flags.append(name);
        } else if (inlineValue || i + 1 < arguments.size()) {
            const QString value = inlineValue ? *inlineValue : arguments.at(++i);
            m_values.insert(name, value);
            m_allValues[name].append(value);
        } else {
            throw UsageError(u"--%1 needs a value (%2)"_s.arg(name, option->valueName));
        }
    }
}

QString Invocation::required(const QString &name) const
{
    if (!m_values.contains(name))
        throw UsageError(u"--%1 is required"_s.arg(name));
    return m_values.value(name);
}

void Invocation::expectPositionals(qsizetype min, qsizetype max, const QString &what) const
{
    if (m_positionals.size() < min || (max >= 0 && m_positionals.size() > max))
        throw UsageError(u"expected %1"_s.arg(what));
}

QTextStream &Invocation::out() const
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &Invocation::err() const
{
    static QTextStream stream(stderr);
    return stream;
}

} // namespace quorvane::cli
