#include "kit/restore/AsciiNameWords.h"

namespace quorvane {

namespace {

// In ASCII only A to Z are letters, and no character is a mark.
class AsciiWordWalk
{
public:
    explicit AsciiWordWalk(QStringView text) : m_text(text) {}

    void rangesInto(std::vector<TextRange> &words) const
    {
        words.clear();
        for (qsizetype i = 0; i < m_text.size();) {
            if (!isLetter(i)) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            i = wordEnd(i);
            words.push_back({start, i});
        }
    }

private:
    // A hyphen or an apostrophe followed by a letter joins the next piece,
    // unless the apostrophe starts a possessive "'s".
    qsizetype wordEnd(qsizetype i) const
    {
        for (;;) {
            ++i;
            while (isLetter(i))
                ++i;
            if (!joinsNextPiece(i))
                return i;
            ++i;
        }
    }

    bool joinsNextPiece(qsizetype i) const
    {
        if (!isLetter(i + 1))
            return false;
        const char16_t c = m_text[i].unicode();
        return c == u'-' || (c == u'\'' && !isPossessive(i + 1));
    }

    bool isPossessive(qsizetype i) const { return (m_text[i] == u's' || m_text[i] == u'S') && !isLetter(i + 1); }

    bool isLetter(qsizetype i) const
    {
        if (i >= m_text.size())
            return false;
        const char16_t c = m_text[i].unicode() | 0x20;
        return c >= u'a' && c <= u'z';
    }

    QStringView m_text;
};

} // namespace

void asciiNameWordRanges(QStringView text, std::vector<TextRange> &words)
{
    AsciiWordWalk(text).rangesInto(words);
}

} // namespace quorvane
