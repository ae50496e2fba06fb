#pragma once

#include "kit/TextRange.h"
#include "kit/find/Finding.h"

#include <QFlags>
#include <QList>
#include <QString>

#include <memory>

namespace quorvane {

// One token of a tagged text. Offsets are UTF-16 offsets into the tagged text.
struct NameToken
{
    TextRange range;
    bool personalName = false;
    friend bool operator==(const NameToken &, const NameToken &) = default;
};

struct TokenOptions
{
    bool omitPunctuation = true;
    bool omitWhitespace = true;
    // Adjacent words of one personal name come back as a single token.
    bool joinNames = true;
};

// Tags personal names in a text. Holds the text between calls: one per task.
class NameTagger
{
public:
    virtual ~NameTagger() = default;
    virtual void setText(const QString &text) = 0;
    // The tokens of the whole text, in order.
    virtual QList<NameToken> tokens(const TokenOptions &options = {}) const = 0;
};

enum class LexicalClass { adjective, verb, adverb, other };

// The part of speech of single words in a text. One per task.
class LexicalTagger
{
public:
    virtual ~LexicalTagger() = default;
    virtual void setText(const QString &text) = 0;
    // The class of the word that covers the offset; other when there is none.
    virtual LexicalClass lexicalClass(qsizetype offset) const = 0;
};

enum class DetectedType { phone = 0x1, address = 0x2 };
Q_DECLARE_FLAGS(DetectedTypes, DetectedType)
Q_DECLARE_OPERATORS_FOR_FLAGS(DetectedTypes)

struct DetectedValue
{
    DetectedType type = DetectedType::phone;
    TextRange range;
    // Addresses only; a part the detector could not tell apart stays empty.
    AddressParts components;
    friend bool operator==(const DetectedValue &, const DetectedValue &) = default;
};

// Finds telephone numbers and postal addresses in free text.
class DataDetector
{
public:
    virtual ~DataDetector() = default;
    // Results of the requested types, ordered by start.
    virtual QList<DetectedValue> matches(const QString &text, DetectedTypes types) const = 0;
};

// Makes the language services the finders use. Each task asks for its own
// instances; the services object itself may be shared.
class TextServices
{
public:
    virtual ~TextServices() = default;
    virtual std::unique_ptr<NameTagger> nameTagger() const = 0;
    virtual std::unique_ptr<LexicalTagger> lexicalTagger() const = 0;
    virtual std::unique_ptr<DataDetector> dataDetector() const = 0;
};

// The services of this platform; the portable ones where nothing better exists.
std::shared_ptr<TextServices> defaultTextServices();

} // namespace quorvane
