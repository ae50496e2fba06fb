#include "TestFiles.h"

#include <gtest/gtest.h>

#include <set>

using namespace quorvane;
using namespace quorvane::test;
using namespace Qt::StringLiterals;

namespace {

QByteArray roundTrip(const QByteArray &bytes)
{
    return CSVDocument(bytes).data();
}

} // namespace

TEST(CSVDocument, FilesThatOnlyPassThroughComeOutUnchanged)
{
    const QList<QByteArray> unchanged = {
        "", "a,b", "a,b\n", "a,b\n\n", "a,\"\",c\r\n", "name;\"Smith; Jane\";\"say \"\"hi\"\"\"\r\nx;\"two\r\nlines\";y\r\n",
        "a\tb\tc\n1\t2\t3\n", "\xEF\xBB\xBFname,city\nJos\xC3\xA9,K\xC3\xB6ln\n", "one\rtwo\rthree\r", "\"\"\n",
    };
    for (const QByteArray &bytes : unchanged)
        EXPECT_EQ(roundTrip(bytes), bytes) << bytes.toStdString();
}

TEST(CSVDocument, NormalisesWhatTheModelCannotHold)
{
    // Quoted text directly followed by more text is one quoted field.
    EXPECT_EQ(csvTexts("\"ab\"cd,e"), (QList<QStringList>{{u"abcd"_s, u"e"_s}}));
    EXPECT_EQ(roundTrip("\"ab\"cd,e"), "\"abcd\",e");
    // A stray quote inside an unquoted field is kept and written quoted.
    EXPECT_EQ(csvTexts("ab\"cd"), (QList<QStringList>{{u"ab\"cd"_s}}));
    EXPECT_EQ(roundTrip("ab\"cd"), "\"ab\"\"cd\"");
    // Mixed record separators come out as the one chosen line ending.
    EXPECT_EQ(roundTrip("a\r\nb\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(roundTrip("\"x\r\ny\"\nz\n"), "\"x\r\ny\"\r\nz\r\n");
}

TEST(CSVDocument, ParsesRowsFieldsAndQuotes)
{
    EXPECT_EQ(csvTexts("a,\"b,c\"\n\n\"d\"\"e\",\"\"\n"),
              (QList<QStringList>{{u"a"_s, u"b,c"_s}, {u""_s}, {u"d\"e"_s, u""_s}}));
    EXPECT_EQ(csvTexts("x\ry"), (QList<QStringList>{{u"x"_s}, {u"y"_s}}));
    // An unterminated quote runs to the end and becomes the last field.
    EXPECT_EQ(csvTexts("a,\"b\nc,d"), (QList<QStringList>{{u"a"_s, u"b\nc,d"_s}}));
    EXPECT_EQ(csvTexts("a,\""), (QList<QStringList>{{u"a"_s, u""_s}}));
}

// A quote that never closes swallows the rest of the file; the field comes
// back without a closing quote, and it is reported with any quoted field that
// spans more lines than a real cell would.
TEST(CSVDocument, RunawayQuotedFieldsAreFoundAndWrittenBackAsTheyCame)
{
    for (const QByteArray &bytes : {QByteArray("a,\"b\nc,d\n"), QByteArray("a,\"b\"\"c\r\nd"), QByteArray("\"")})
        EXPECT_EQ(roundTrip(bytes), bytes) << bytes.toStdString();

    const auto runaways = [](const QByteArray &bytes) {
        QList<std::tuple<int, int, int, bool>> found;
        for (const CSVDocument::Runaway &r : CSVDocument(bytes).runawayFields())
            found.append({r.row, r.column, r.lines, r.unterminated});
        return found;
    };
    EXPECT_EQ(runaways("h\n1,\"x\ny,z\n"), (QList<std::tuple<int, int, int, bool>>{{1, 1, 3, true}}));
    EXPECT_EQ(runaways("a,\"b\nc\"\n\"" + QByteArray(100, '\n') + "\""),
              (QList<std::tuple<int, int, int, bool>>{{1, 0, 101, false}}));
    EXPECT_TRUE(runaways("a,\"b\nc\",\"d\"\n").isEmpty());
}

TEST(CSVDocument, DetectsTheDelimiterFromTheFirstRecord)
{
    // A tie goes to the later candidate; quoted text and later records don't count.
    const QList<std::pair<QString, QChar>> cases{
        {u"a;b;c"_s, u';'}, {u"a,b;c"_s, u';'}, {u"a\tb,c"_s, u'\t'}, {u"\"a,b,c\";d"_s, u';'},
        {u"a|b|c"_s, u','}, {u"abc\na;b;c"_s, u','}, {u"\"unterminated,\n;;"_s, u','},
    };
    for (const auto &[text, delimiter] : cases)
        EXPECT_EQ(CSVDocument::detectDelimiter(text), delimiter) << text.toStdString();
}

TEST(CSVDocument, DecodesEachEncodingAndWritesUtf8)
{
    // Windows-1252: é and the euro sign; comes back as UTF-8 with a byte order mark.
    EXPECT_EQ(roundTrip("caf\xE9,\x80\n"), "\xEF\xBB\xBF" "caf\xC3\xA9,\xE2\x82\xAC\n");

    // UTF-16 in both byte orders, the mark removed from the text.
    const QByteArray little("\xFF\xFE" "a\0,\0\xE9\0\n\0", 10);
    EXPECT_EQ(roundTrip(little), "\xEF\xBB\xBF" "a,\xC3\xA9\n");
    const QByteArray big("\xFE\xFF\0a\0;\0b", 8);
    EXPECT_EQ(csvTexts(big), (QList<QStringList>{{u"a"_s, u"b"_s}}));
    EXPECT_TRUE(CSVDocument::decode(QByteArray("\xFF\xFE" "a", 3)).text.isEmpty()); // odd length
    EXPECT_TRUE(CSVDocument::decode(QByteArray("\xFF\xFE\x00\xD8", 4)).text.isEmpty()); // lone surrogate

    // Neither UTF-8 nor Windows-1252 (0x81 is undefined there): replacement characters.
    const CSVDocument::Decoded broken = CSVDocument::decode("a\x81\xFF");
    EXPECT_EQ(broken.text, u"a\uFFFD\uFFFD");
    EXPECT_TRUE(broken.byteOrderMark);

    // Only the first mark is taken off; a second one stays part of the text.
    EXPECT_EQ(CSVDocument::decode("\xEF\xBB\xBF\xEF\xBB\xBFx").text, u"\uFEFFx");
    // A mark cut short is no mark: these two bytes are Windows-1252 text.
    EXPECT_EQ(CSVDocument::decode("\xEF\xBB").text, u"\u00EF\u00BB");
}

// Changed in place or handed over while writing, alike.
TEST(CSVDocument, ChangedFieldsKeepTheirQuoting)
{
    const QByteArray bytes = "\"Jane\",Smith,\"x\",keep\n\"open";
    const QHash<std::pair<int, int>, QString> changes{
        {{0, 0}, u"Ann"_s}, {{0, 1}, u"Lee, Jr."_s}, {{0, 2}, u"say \"no\""_s}, {{1, 0}, u"shut"_s}};
    const QByteArray expected = "\"Ann\",\"Lee, Jr.\",\"say \"\"no\"\"\",keep\n\"shut";
    CSVDocument edited(bytes);
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        edited.rows[it.key().first][it.key().second].setText(it.value());
    EXPECT_EQ(edited.data(), expected);
    const CSVDocument read(bytes);
    EXPECT_EQ(read.data([&](int row, int column, const QString &) -> std::optional<QString> {
        const auto found = changes.constFind({row, column});
        return found == changes.cend() ? std::nullopt : std::optional(*found);
    }),
              expected);
    EXPECT_EQ(read.data(), bytes);
}

TEST(CSVDocument, OneHugeQuotedFieldIsReadInOnePiece)
{
    QByteArray bytes(50 * 1024 * 1024, 'x');
    bytes[0] = '"';
    const CSVDocument document(bytes); // unterminated: runs to the end
    ASSERT_EQ(document.rows.size(), 1);
    EXPECT_EQ(document.rows[0][0].size(), bytes.size() - 1);
}

// Whatever the fields hold, the bytes are those of the whole text converted
// to UTF-8 at once: characters that take several bytes (so the output
// outgrows a guess made from the character count), broken surrogates, quotes.
TEST(CSVDocument, WritesEveryCharacterAsTheWholeTextWouldConvert)
{
    const QList<QString> texts{
        u"plain"_s, u"José Müller"_s, QString(2000, QChar(0x20AC)), u"😀 pair"_s,
        QString(1, QChar(0xD83D)) + u"high alone"_s, u"low alone"_s + QChar(0xDE00), QString(1, QChar(0xD83D)),
        u"a \"quoted\" word"_s, u"comma, inside"_s, u"line\r\nbreak"_s, QString(1, QChar(0xFEFF)) + u"mark"_s, {},
    };
    CSVDocument document;
    document.byteOrderMark = true;
    document.lineEnding = u"\r\n"_s;
    QString expected;
    for (qsizetype r = 0; r < texts.size(); ++r) {
        CSVDocument::Row row;
        QStringList written;
        for (qsizetype c = 0; c < 3; ++c) {
            const QString &text = texts[(r + c) % texts.size()];
            const bool quoted = c == 1;
            row.append({text, quoted, false});
            const bool quotes = quoted || text.contains(u',') || text.contains(u'"') || text.contains(u'\n')
                || text.contains(u'\r');
            written.append(quotes ? u'"' + QString(text).replace(u"\""_s, u"\"\""_s) + u'"' : text);
        }
        document.rows.append(row);
        expected += written.join(u',') + (r + 1 < texts.size() ? u"\r\n"_s : QString());
    }
    EXPECT_EQ(document.data(), QByteArray("\xEF\xBB\xBF").append(expected.toUtf8()));
}

// Valid UTF-8 is parsed from its bytes, anything else after decoding; the
// same text must give the same document either way (UTF-16 alone drops every
// U+FEFF, so the texts hold none).
TEST(CSVDocument, UTF8AndUTF16OfOneTextReadAlike)
{
    const QList<QString> texts{
        u"Name,City\nJosé,Köln\n"_s, u"\"Müller, Jürgen\";\"say \"\"grüß\"\"\"\r\nx;\"two\r\nlines\"\r\n"_s,
        u"surrogate pair,😀\tpair"_s, u"a,\"é\"ü,\"unterminated ∞\n"_s, u"\r\r€\r"_s, {},
    };
    for (const QString &text : texts) {
        QByteArray utf16("\xFF\xFE");
        for (const QChar c : text)
            utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        const CSVDocument fromUtf8(QByteArray("\xEF\xBB\xBF").append(text.toUtf8()));
        const CSVDocument fromUtf16(utf16);
        EXPECT_EQ(fromUtf8.rows, fromUtf16.rows) << text.toStdString();
        EXPECT_EQ(std::tuple(fromUtf8.delimiter, fromUtf8.lineEnding, fromUtf8.endsWithNewline),
                  std::tuple(fromUtf16.delimiter, fromUtf16.lineEnding, fromUtf16.endsWithNewline));
        EXPECT_EQ(fromUtf8.data(), fromUtf16.data());
    }
    EXPECT_EQ(CSVDocument("\xEF\xBB\xBF\xEF\xBB\xBFx,y").rows.at(0).at(0).text(), u"\uFEFFx");
}

// Long files, whose columns repeat their values, or stop repeating them
// halfway, or never do: every field still reads as written.
TEST(CSVDocument, EveryFieldOfALongFileReadsAsWritten)
{
    QList<QStringList> written;
    QByteArray bytes;
    for (int r = 0; r < 3000; ++r) {
        const QStringList row{u"Town %1"_s.arg(r % 7), QString::number(r * 7919), u"\"%1\""_s.arg(r < 1500 ? 1 : r),
                              r % 2 ? u"é"_s : QString()};
        written.append(row);
        bytes += row.join(u',').toUtf8() + "\n";
        written.last()[2].remove(u'"');
    }
    EXPECT_EQ(csvTexts(bytes), written);
    EXPECT_EQ(roundTrip(bytes), bytes);
}

// A field read in pieces (doubled quotes, text after its closing quote) is
// kept in the document's shared storage like any other, not in an
// allocation of its own sized for the rest of a storage block: a long export
// whose notes quote their customers once took gigabytes.
TEST(CSVDocument, FieldsReadInPiecesShareTheDocumentsStorage)
{
    const QByteArray row = "\"said \"\"urgent\"\" twice\",\"\"\"\"\"\",\"caf\xC3\xA9 \"\"\xC3\xA9\"\"\"tail,plain\n";
    const QStringList expected{u"said \"urgent\" twice"_s, u"\"\""_s, u"café \"é\"tail"_s, u"plain"_s};
    QByteArray bytes;
    for (int r = 0; r < 2000; ++r)
        bytes += row;
    const QString text = QString::fromUtf8(bytes);
    const QByteArray utf16 = QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    for (const QByteArray &input : {bytes, utf16}) {
        const CSVDocument document(input);
        ASSERT_EQ(document.rows.size(), 2000);
        std::set<const void *> storage;
        for (const CSVDocument::Row &fields : document.rows) {
            QStringList texts;
            for (const CSVDocument::Field &field : fields) {
                texts.append(field.text());
                storage.insert(texts.last().data_ptr().d_ptr());
            }
            ASSERT_EQ(texts, expected);
        }
        EXPECT_LT(storage.size(), 20u);
    }
}

// Field texts share storage while they are alike; a change to one, however
// made, and whether or not its document is still there, leaves the others.
TEST(CSVDocument, AFieldTextChangedLeavesItsNeighboursAlone)
{
    const QByteArray bytes = "alpha,beta,gamma\n\"del\"\"ta\",epsilon,\xC3\xA9ta\n";
    const QStringList expected{u"alpha"_s, u"beta"_s, u"gamma"_s, u"del\"ta"_s, u"epsilon"_s, u"éta"_s};
    const std::function<void(QString &)> changes[] = {
        [](QString &t) { t.append(u"-and-a-long-tail-past-its-neighbours"_s); },
        [](QString &t) { t.prepend(u'>'); },
        [](QString &t) { t.data()[0] = u'#'; },
        [](QString &t) { t.replace(0, 2, u"ZZZZZZZZ"_s); },
        [](QString &t) { t.resize(t.size() + 3, u'!'); },
    };
    for (const bool documentKept : {true, false}) {
        for (qsizetype changed = 0; changed < expected.size(); ++changed) {
            for (const auto &change : changes) {
                std::optional<CSVDocument> document(std::in_place, bytes);
                QStringList texts;
                for (const CSVDocument::Row &row : document->rows)
                    for (const CSVDocument::Field &field : row)
                        texts.append(field.text());
                if (!documentKept)
                    document.reset();
                QString wanted = expected.at(changed);
                change(wanted);
                change(texts[changed]);
                QStringList all = expected;
                all[changed] = wanted;
                EXPECT_EQ(texts, all) << changed;
                for (const QString &text : std::as_const(texts))
                    EXPECT_EQ(text.utf16()[text.size()], 0) << changed;
            }
        }
    }
}

// A field holds its share of the document's storage itself: copied, moved,
// given a new text or written out through one string, it keeps its text after
// the document and every other field are gone.
TEST(CSVDocument, FieldsOutliveTheirDocument)
{
    const QString literal = u"a literal"_s;
    const QString slice = u"xx-sliced-xx"_s.sliced(3, 6);
    std::optional<CSVDocument> document(std::in_place, QByteArray("one,\"tw\"\"o\"\nthree,four\n"));
    CSVDocument::Row row = document->rows.at(0);
    CSVDocument::Field moved = std::move(document->rows[1][0]);
    CSVDocument::Field assigned;
    assigned = document->rows.at(1).at(1);
    CSVDocument::Field fromLiteral = document->rows.at(0).at(0);
    fromLiteral.setText(literal);
    CSVDocument::Field fromSlice(slice, true);
    document.reset();
    EXPECT_EQ(std::tuple(row.at(0).text(), row.at(1).text(), row.at(1).quoted()), std::tuple(u"one"_s, u"tw\"o"_s, true));
    EXPECT_EQ(std::tuple(moved.text(), assigned.text()), std::tuple(u"three"_s, u"four"_s));
    EXPECT_EQ(std::tuple(fromLiteral.text(), fromSlice.text(), fromSlice.quoted()), std::tuple(literal, slice, true));
    CSVDocument::Field empty;
    QString written;
    for (const CSVDocument::Field *field : {&row[0], &row[1], &moved, &empty, &fromSlice, &assigned}) {
        field->assignTo(written);
        EXPECT_EQ(written, field->text());
    }
    row.clear();
    EXPECT_EQ(written, u"four"_s);
}
