#pragma once

#include "kit/find/TextServices.h"

#include <QStringList>

namespace quorvane::testing {

// Text services that report exactly what a test scripts (read at each call), so that the rules
// applied to their results can be checked on their own.
class ScriptedServices : public TextServices
{
public:
    QStringList personalNames;             // tagged where they first occur
    QList<std::pair<DetectedType, QString>> detected; // reported where they first occur

    std::unique_ptr<NameTagger> nameTagger() const override
    {
        return std::make_unique<Tagger>(this);
    }
    std::unique_ptr<LexicalTagger> lexicalTagger() const override { return nullptr; }
    std::unique_ptr<DataDetector> dataDetector() const override { return std::make_unique<Detector>(this); }

private:
    class Tagger : public NameTagger
    {
    public:
        explicit Tagger(const ScriptedServices *script) : m_script(script) {}
        void setText(const QString &text) override { m_text = text; }
        QList<NameToken> tokens(const TokenOptions &) const override
        {
            QList<NameToken> tokens;
            for (const QString &name : m_script->personalNames)
                if (const qsizetype at = m_text.indexOf(name); at >= 0)
                    tokens.append({{at, at + name.size()}, true});
            return tokens;
        }

    private:
        const ScriptedServices *m_script;
        QString m_text;
    };

    class Detector : public DataDetector
    {
    public:
        explicit Detector(const ScriptedServices *script) : m_script(script) {}
        QList<DetectedValue> matches(const QString &text, DetectedTypes types) const override
        {
            QList<DetectedValue> found;
            for (const auto &[type, value] : m_script->detected) {
                const qsizetype at = text.indexOf(value);
                if (at >= 0 && types.testFlag(type)) {
                    DetectedValue result{type, {at, at + value.size()}, {}};
                    if (type == DetectedType::address)
                        result.components.street = value;
                    found.append(result);
                }
            }
            return found;
        }

    private:
        const ScriptedServices *m_script;
    };
};

} // namespace quorvane::testing
