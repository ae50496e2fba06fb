#include "cli/Command.h"

using namespace Qt::StringLiterals;

namespace quorvane::cli {

namespace {

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
        const QString &argument = arguments.at(i);
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
        } else if (inlineValue) {
            m_values.insert(name, *inlineValue);
        } else if (i + 1 < arguments.size()) {
            m_values.insert(name, arguments.at(++i));
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
