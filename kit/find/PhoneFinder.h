#pragma once

#include "kit/TextRange.h"

#include <QList>
#include <QString>

namespace quorvane {

// Telephone numbers in free text, in the numbering plan of one region.
class PhoneFinder
{
public:
    // An empty region means the one of the system locale, or the US when that
    // says nothing a numbering plan knows.
    // Known layouts (and cells of a date alone) are answered without the
    // matcher; all asks it every time, which the tests compare against.
    enum class Layouts { known, all };
    explicit PhoneFinder(const QString &region = {}, Layouts layouts = Layouts::known);

    QList<TextRange> find(const QString &text) const;
    // False when find is sure to come back empty without asking the matcher.
    static bool mayFind(const QString &text);
    const QString &region() const { return m_region; }

    static QString regionOfSystem();

private:
    QString m_region;
    bool m_quickChecks = false;
    bool m_northAmerican = false;
    bool m_knownLayouts = false;
};

// Maps byte offsets of the UTF-8 form of a text to UTF-16 offsets of the text.
// Offsets must be asked for in ascending order.
class Utf8OffsetMap
{
public:
    explicit Utf8OffsetMap(const QString &text) : m_text(text) {}
    qsizetype utf16Offset(qsizetype utf8Offset);

private:
    const QString &m_text;
    qsizetype m_utf8 = 0;
    qsizetype m_utf16 = 0;
};

} // namespace quorvane
