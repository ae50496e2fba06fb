#pragma once

#include "kit/find/TextServices.h"

namespace quorvane {

// Lexical classes from the bundled dictionary: a word takes its most frequent
// class, except that after a determiner a word that can be a noun is one.
class PortableLexicalTagger : public LexicalTagger
{
public:
    void setText(const QString &text) override { m_text = text; }
    LexicalClass lexicalClass(qsizetype offset) const override;

private:
    QString m_text;
};

} // namespace quorvane
