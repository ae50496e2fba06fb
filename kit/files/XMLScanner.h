#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVarLengthArray>

#include <algorithm>
#include <optional>
#include <span>

namespace quorvane {

// Equal bytes. Written out because both QByteArrayView's comparison and
// memcmp are out-of-line calls, and the workbook reader compares short names
// at every tag.
inline bool sameBytes(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// A half-open byte range [start, end) of an XML buffer.
struct ByteRange
{
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype length() const { return end - start; }
    friend bool operator==(const ByteRange &, const ByteRange &) = default;
};

// Walks the raw UTF-8 bytes of an XML part and reports every start tag, at
// any depth, in document order, without building a tree. Comments, CDATA,
// declarations and end tags produce nothing. The end tag is looked up only
// for the few elements whose content the workbook reader needs (and for the
// ones the caller skips); nesting of equal names is not considered, the first
// matching end tag wins. Works in one pass whatever the input: unterminated
// or deeply nested markup cannot make it slow.
class XMLScanner
{
public:
    struct Attribute
    {
        QByteArrayView name; // as written, prefix included
        QByteArrayView rawValue;
    };

    struct Element
    {
        QByteArrayView qualifiedName;
        QByteArrayView localName;
        QByteArrayView prefix; // with its colon; empty when there is none
        std::span<const Attribute> attributes;
        ByteRange range;                  // the whole element, end tag included when found
        std::optional<ByteRange> content; // absent for a self-closing element

        // Whether the local name is exactly `name`.
        bool is(QByteArrayView name) const { return sameBytes(localName, name); }
        // The decoded value of the attribute written with exactly this name.
        std::optional<QString> attribute(QByteArrayView name) const;
    };

    // Scans `range` of `xml`; elements with a local name in `skipping` are
    // reported, then the scan resumes after their end tag instead of inside.
    XMLScanner(const QByteArray &xml, ByteRange range, std::span<const QByteArrayView> skipping = {});
    explicit XMLScanner(const QByteArray &xml, std::span<const QByteArrayView> skipping = {});

    // The next start tag, or null at the end. The element stays valid until
    // the next call.
    const Element *next();

    // Where the scan goes on from, and where it ends. A reader that has read
    // the elements ahead by itself moves the scan forward past them.
    qsizetype position() const { return m_at; }
    qsizetype end() const { return m_end; }
    void skipTo(qsizetype position) { m_at = std::clamp(position, m_at, m_end); }

    // Character references (&amp; &lt; &gt; &quot; &apos; &#n; &#xh;) decoded;
    // anything else, a lone & included, stays as written.
    static QString decode(QByteArrayView bytes);
    // & < > and " as entities; everything else unchanged.
    static QByteArray escape(const QString &text);

private:
    bool skipMarkup(); // at a '<' that opens no element; false ends the scan
    qsizetype findEndTag(QByteArrayView qualifiedName, qsizetype from);
    void readAttributes(QByteArrayView tag);
    bool needsEndTag(QByteArrayView localName) const;
    bool skips(QByteArrayView localName) const;

    struct EndTagSearch
    {
        QByteArrayView qualifiedName; // the end tag is "</" qualifiedName ">"
        qsizetype from = -1;
        qsizetype found = -1;
    };

    const QByteArray &m_xml;
    Element m_element;
    // Reused from tag to tag, so that reading attributes allocates nothing.
    QVarLengthArray<Attribute, 8> m_attributes;
    qsizetype m_at;
    qsizetype m_end;
    std::span<const QByteArrayView> m_skipping;
    QVarLengthArray<EndTagSearch, 4> m_searches;
};

} // namespace quorvane
