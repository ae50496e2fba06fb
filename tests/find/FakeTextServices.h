#pragma once

#include "kit/find/TextRules.h"
#include "kit/find/TextServices.h"

#include <QHash>
#include <QSet>
#include <QStringList>

// Text services whose decisions a test sets, read at each call: runs of the
// words in `names` (with the titles "Dr" and "Mr" before them) are tagged as
// one person, unless the word after them is in `notBefore` ("Rose garden").
// Word classes come from `classes`; the data detector reports each of
// `detected` where it first occurs. Every text given to a name tagger is kept.
class FakeTextServices : public quorvane::TextServices
{
public:
    QSet<QString> names;
    QSet<QString> notBefore;
    QHash<QString, quorvane::LexicalClass> classes;
    QList<std::pair<quorvane::DetectedType, QString>> detected;
    mutable QStringList taggedTexts;

    std::unique_ptr<quorvane::NameTagger> nameTagger() const override { return std::make_unique<Names>(this); }
    std::unique_ptr<quorvane::LexicalTagger> lexicalTagger() const override { return std::make_unique<Lexical>(this); }
    std::unique_ptr<quorvane::DataDetector> dataDetector() const override { return std::make_unique<Detector>(this); }

private:
    // A service of the given kind that reads this script.
    template<typename Service>
    struct Scripted : Service
    {
        explicit Scripted(const FakeTextServices *script) : m_script(script) {}
        const FakeTextServices *m_script;
        QString m_text;
    };

    struct Names : Scripted<quorvane::NameTagger>
    {
        using Scripted::Scripted;
        void setText(const QString &text) override
        {
            m_text = text;
            m_script->taggedTexts.append(text);
        }
        QList<quorvane::NameToken> tokens(const quorvane::TokenOptions &) const override
        {
            using namespace quorvane;
            const auto inName = [&](const QString &word) {
                return word == u"Dr" || word == u"Mr" || m_script->names.contains(word);
            };
            const QList<Word> words = nameWords(m_text);
            QList<NameToken> tokens;
            for (qsizetype i = 0; i < words.size();) {
                qsizetype end = i;
                bool named = false;
                for (; end < words.size() && inName(words[end].word); ++end)
                    named = named || m_script->names.contains(words[end].word);
                if (end == i) {
                    tokens.append({words[i++].range, false});
                    continue;
                }
                const bool blocked = end < words.size() && m_script->notBefore.contains(words[end].word.toLower());
                tokens.append({{words[i].range.start, words[end - 1].range.end}, named && !blocked});
                i = end;
            }
            return tokens;
        }
    };

    struct Lexical : Scripted<quorvane::LexicalTagger>
    {
        using Scripted::Scripted;
        void setText(const QString &text) override { m_text = text; }
        quorvane::LexicalClass lexicalClass(qsizetype offset) const override
        {
            for (const quorvane::Word &word : quorvane::nameWords(m_text)) {
                if (word.range.start <= offset && offset < word.range.end)
                    return m_script->classes.value(word.word, quorvane::LexicalClass::other);
            }
            return quorvane::LexicalClass::other;
        }
    };

    struct Detector : Scripted<quorvane::DataDetector>
    {
        using Scripted::Scripted;
        QList<quorvane::DetectedValue> matches(const QString &text, quorvane::DetectedTypes types) const override
        {
            QList<quorvane::DetectedValue> found;
            for (const auto &[type, value] : m_script->detected) {
                const qsizetype at = text.indexOf(value);
                if (at < 0 || !types.testFlag(type))
                    continue;
                found.append({type, {at, at + value.size()}, {}});
                if (type == quorvane::DetectedType::address)
                    found.last().components.street = value;
            }
            return found;
        }
    };
};
