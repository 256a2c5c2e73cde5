#include "format/bib_format.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/name_summary.h"
#include "store/reference.h"

namespace {

constexpr char kClosing[] = "\r\n\r\n";

// The sample reference of the format dialog.
void FillSample(Reference& reference, int32_t sourceType)
{
    reference.sourceType = sourceType;
    SetReferenceText(reference, kFieldAuthors, "Bloggs, F\r\nSmith, J\r\nOther, AN");
    SetReferenceText(reference, kFieldTitle, "An exciting paper");
    SetReferenceText(reference, kFieldDate, "1994");
    SetReferenceText(reference, kFieldVolume, "000");
    SetReferenceText(reference, kFieldNumber, "0");
    SetReferenceText(reference, kFieldPages, "0000-0000");
    SetReferenceText(reference, kFieldSource, "The Journal");
    SetReferenceText(reference, kFieldPublisher, "Smith and Brown");
    SetReferenceText(reference, kFieldCity, "London");
    SetReferenceText(reference, kFieldEditors, "Brown, P");
    SetReferenceText(reference, kFieldKeywords, "Widgets\r\nDoofers");
    SetReferenceText(reference, kFieldAbstract,
                     "This is a very good piece of work.\r\n\r\nBloggs et al have shown that "
                     "widgets are in fact doofers!");
}

BibFormat Parsed(const char* text)
{
    BibFormat format;
    ParseBibFormatInto(text, format);
    return format;
}

// Formats into a buffer of exactly `size` bytes followed by guard bytes that must survive.
std::string Format(const char* formatText, const Reference& reference,
                   std::size_t size = kFormattedReferenceSize)
{
    const BibFormat format = Parsed(formatText);
    constexpr std::size_t kGuard = 16;
    std::vector<char> buffer(size + kGuard, '#');
    const std::size_t length = FormatReferenceWith(format, reference, buffer.data(), size);
    for (std::size_t i = size; i < size + kGuard; ++i)
        if (buffer[i] != '#') ADD_FAILURE() << "written past the buffer at " << i;
    if (size == 0) return std::string();
    EXPECT_LT(length, size);
    EXPECT_EQ(std::strlen(buffer.data()), length);
    return std::string(buffer.data(), length);
}

class BibFormatTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetAndWord("and ");
        FillSample(journal, kSourceJournal);
        FillSample(book, kSourceBook);
        FillSample(report, kSourceReport);
    }
    void TearDown() override { UseBasicBibFormat(); }

    Reference journal;
    Reference book;
    Reference report;
    Reference empty;
};

TEST_F(BibFormatTest, BasicWritesTheWorkedExample)
{
    EXPECT_EQ(Format(kBasicBibFormatBody, journal),
              std::string("Bloggs, F, Smith, J, and Other, AN (1994), The Journal 000 0000-0000") +
                  kClosing);
    // As a book the journal group is skipped.
    EXPECT_EQ(Format(kBasicBibFormatBody, book),
              std::string("Bloggs, F, Smith, J, and Other, AN (1994) 000 0000-0000") + kClosing);
    // A reference without any of the fields contributes nothing, not even a blank line.
    EXPECT_EQ(Format(kBasicBibFormatBody, empty), "");
}

TEST_F(BibFormatTest, WritesGroupsByFieldNegationAndNesting)
{
    Reference noAbstract;
    FillSample(noAbstract, kSourceJournal);
    SetReferenceText(noAbstract, kFieldAbstract, nullptr);
    Reference noDate;
    FillSample(noDate, kSourceJournal);
    SetReferenceText(noDate, kFieldDate, nullptr);
    Reference noTitle;
    FillSample(noTitle, kSourceJournal);
    SetReferenceText(noTitle, kFieldTitle, nullptr);

    struct Case {
        const char* format;
        const Reference* reference;
        const char* expected;  // without the closing CR LF CR LF; null for an empty result
    };
    const Case cases[] = {
        {"<A3@>", &journal, "Bloggs, F et al"},
        {"<A2@>", &journal, "Bloggs, F"},
        {"<A1@>", &journal, "Bloggs, F, Smith, J, and Other, AN"},
        // A character other than 1-3 after A is not taken: mode All, and it is written.
        {"<A4@>", &journal, "4Bloggs, F, Smith, J, and Other, AN"},
        {"<!X[no abstract]>", &noAbstract, "[no abstract]"},
        {"<!X[no abstract]>", &journal, nullptr},
        {"<T@.\\n>", &journal, "An exciting paper.\r\n"},
        {"<B in @><J, @>", &journal, ", The Journal"},
        {"<B in @><J, @>", &book, " in The Journal"},
        {"<R@><J@><B@>", &report, "The Journal"},
        {"<T@<D (@)>.>", &journal, "An exciting paper (1994)."},
        {"<T@<D (@)>.>", &noDate, "An exciting paper."},
        {"<T@<D (@)>.>", &noTitle, nullptr},
        // Only "@" writes a field: without it the title group writes its other contents.
        {"<T<D (@)>.>", &journal, " (1994)."},
        {"<T<D (@)>.>", &noDate, "."},
        {"<T<D (@)>.>", &noTitle, nullptr},
        {"<T@<!D, no date>>", &noDate, "An exciting paper, no date"},
        {"<T@<!D, no date>>", &journal, "An exciting paper"},
        {"<K@>", &journal, "Widgets; Doofers"},
        {"<E@>", &journal, "Brown, P"},
        {"<E2@>", &journal, "Brown, P"},
        {"<I@, ><C@>", &journal, "Smith and Brown, London"},
        {"<N(@)>", &journal, "(0)"},
        {"<X@>", &journal,
         "This is a very good piece of work.\r\n\r\nBloggs et al have shown that widgets are "
         "in fact doofers!"},
        {"<T@ @>", &journal, "An exciting paper An exciting paper"},
        {"Reference\\n", &empty, "Reference\r\n"},
        {"<T@>[x]", &journal, "An exciting paper[x]"},
        // Unknown letters (lower case included) name no field.
        {"<Q@>", &journal, nullptr},
        {"<t@>", &journal, nullptr},
        {"<!Q@>", &journal, "\\@"},
        {"<!T@>", &noTitle, "\\@"},
        // Whatever stands in the letter's place is the letter.
        {"<>x>y", &journal, "y"},
        {"<!\\x>", &journal, "x"},
        {"<!<T@>>", &journal, "T\\@>"},
        // Outside groups ">", "@" and "!" are literal text.
        {"a>b@c!d", &empty, "a>b@c!d"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        const std::string expected =
            c.expected != nullptr ? std::string(c.expected) + kClosing : "";
        EXPECT_EQ(Format(c.format, *c.reference), expected);
    }
}

TEST_F(BibFormatTest, AppliesEscapesAndSurvivesUnbalancedGroups)
{
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"a\\tb", "a\tb"},
        {"\\<T\\>", "<T>"},
        {"\\\\", "\\"},
        {"x\\", "x"},              // a backslash at the very end gives nothing
        {"\\q\\@\\!\\]", "q@!]"},
        {"<T@\\>@>", "An exciting paper>An exciting paper"},
        // A skipped group passes escaped brackets and nested groups to its own ">".
        {"<Z<T@>\\>rest>after", "after"},
        {"<!Z<Q@>\\>rest>!", ">rest!"},
        // A written group without ">" runs to the end of the body.
        {"<T@ (open", "An exciting paper (open"},
        // A skipped group without ">" ends the reference, keeping what came before.
        {"lead <Q@ trail", "lead "},
        {"lead <", "lead "},
        {"lead <!", "lead "},
        {"lead <A", "lead "},
        {"lead <A3", "lead "},
        {"<T@<D", "An exciting paper"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(c.format, journal), std::string(c.expected) + kClosing);
    }
    EXPECT_EQ(Format("<", journal), "");
    EXPECT_EQ(Format("", journal), "");
}

TEST_F(BibFormatTest, NamesModesUseTheListAsStoredAndOnlyTheNames)
{
    Reference reference;
    SetReferenceText(reference, kFieldAuthors, "Bloggs, F\r\nSmith, J");
    SetReferenceText(reference, kFieldEditors, "Brown, P\r\nGreen, Q\r\nWhite, R");
    // A TAB in the date must not leak into the names.
    SetReferenceText(reference, kFieldDate, "12\t1994");
    struct Case {
        const char* format;
        const char* expected;
    };
    const Case cases[] = {
        {"<A@>", "Bloggs, F, and Smith, J"},
        {"<A3@>", "Bloggs, F, Smith, J"},
        {"<E@>", "Brown, P, Green, Q, and White, R"},
        {"<E3@>", "Brown, P, Green, Q, and White, R"},  // the digit has no effect
        {"<E1@>", "Brown, P, Green, Q, and White, R"},
        {"<D@>", "12\t1994"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(Format(c.format, reference), std::string(c.expected) + kClosing);
    }
    SetAndWord("und ");
    EXPECT_EQ(Format("<A@>", reference), std::string("Bloggs, F, und Smith, J") + kClosing);
}

TEST_F(BibFormatTest, ParsesHeaderFooterAndBody)
{
    struct Case {
        const char* text;
        const char* header;
        const char* footer;
        const char* body;
    };
    const Case cases[] = {
        {"[Header\\n][Footer]<T@>", "Header\r\n", "Footer", "<T@>"},
        {"[][Footer]<T@>", "", "Footer", "<T@>"},
        {"<T@>[x]", "", "", "<T@>[x]"},
        {"[a\\]b\\tc\\\\]rest", "a]b\tc\\", "", "rest"},
        {"[h]x[f]", "h", "", "x[f]"},
        {"[h][f]", "h", "f", ""},
        {"[unclosed", "unclosed", "", ""},
        {"[h][unclosed\\", "h", "unclosed", ""},
        {"[h]][f]", "h", "", "][f]"},
        {"[\\<T\\>]<T@>", "<T>", "", "<T@>"},
        {"plain \\n text", "", "", "plain \\n text"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        BibFormat format;
        std::strcpy(format.name, "Kept");
        std::strcpy(format.header, "old");
        std::strcpy(format.footer, "old");
        ParseBibFormatInto(c.text, format);
        EXPECT_STREQ(format.header, c.header);
        EXPECT_STREQ(format.footer, c.footer);
        EXPECT_STREQ(format.body, c.body);
        EXPECT_STREQ(format.name, "Kept");
    }
    BibFormat format = Parsed("[h][f]b");
    ParseBibFormatInto(nullptr, format);
    EXPECT_STREQ(format.header, "");
    EXPECT_STREQ(format.footer, "");
    EXPECT_STREQ(format.body, "");
}

TEST_F(BibFormatTest, CutsOverlongFormatPartsTo511Characters)
{
    const std::string longHeader(700, 'h');
    const std::string longBody(900, 'b');
    const std::string text = "[" + longHeader + "][" + longHeader + "]" + longBody;
    const BibFormat format = Parsed(text.c_str());
    EXPECT_EQ(std::string(format.header), longHeader.substr(0, 511));
    EXPECT_EQ(std::string(format.footer), longHeader.substr(0, 511));
    EXPECT_EQ(std::string(format.body), longBody.substr(0, 511));
}

TEST_F(BibFormatTest, CutsAReferenceThatDoesNotFitAndKeepsItsClosing)
{
    Reference reference;
    const std::string title(20000, 't');
    SetReferenceText(reference, kFieldTitle, title.c_str());
    std::string names;
    for (int i = 0; i < 3000; ++i) names += "Bloggs, F\r\n";
    names += "Last, L";
    SetReferenceText(reference, kFieldAuthors, names.c_str());
    SetReferenceText(reference, kFieldKeywords, ("A\r\n" + std::string(20000, 'k')).c_str());

    for (const char* body : {"<T@>", "<A@>", "<K@>", "<A3@ ><T@><T@>", "\\n<T@>"}) {
        SCOPED_TRACE(body);
        const std::string text = Format(body, reference);
        EXPECT_EQ(text.size(), kFormattedReferenceSize - 1);
        EXPECT_EQ(text.substr(text.size() - 4), kClosing);
    }
    // A cut between CR and LF leaves no lone CR before the closing.
    Reference lines;
    SetReferenceText(lines, kFieldTitle, "ab");
    const std::string text = Format("<T@\\n\\n\\n>", lines, 10);
    EXPECT_EQ(text, std::string("ab\r\n") + kClosing);

    // Every buffer size, however small, stays within its bounds.
    for (std::size_t size = 0; size < 40; ++size) {
        SCOPED_TRACE(size);
        const std::string small = Format(kBasicBibFormatBody, journal, size);
        if (size < 6) {
            EXPECT_EQ(small, "");
        } else {
            EXPECT_EQ(small.size(), size - 1);
            EXPECT_EQ(small.substr(small.size() - 4), kClosing);
        }
    }
}

TEST_F(BibFormatTest, ToleratesABodyWithoutTerminatorAndDeepNesting)
{
    BibFormat format;
    std::memset(format.body, 'x', sizeof format.body);
    char out[kFormattedReferenceSize];
    EXPECT_EQ(FormatReferenceWith(format, journal, out, sizeof out), sizeof format.body + 4);

    std::string nested;
    while (nested.size() < 500) nested += "<T";
    const std::string text = Format((nested + "@").c_str(), journal);
    EXPECT_EQ(text, std::string("An exciting paper") + kClosing);
}

TEST_F(BibFormatTest, CurrentFormatStartsAsBasicAndIsReplacedWhole)
{
    UseBasicBibFormat();
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);
    char out[kFormattedReferenceSize];
    formatReference(journal, out, sizeof out);
    EXPECT_EQ(std::string(out), Format(kBasicBibFormatBody, journal));

    SetCurrentBibFormat("Short", "[Refs\\n][End]<T@>");
    EXPECT_STREQ(CurrentBibFormat().name, "Short");
    EXPECT_STREQ(CurrentBibFormat().header, "Refs\r\n");
    EXPECT_STREQ(CurrentBibFormat().footer, "End");
    formatReference(journal, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string("An exciting paper") + kClosing);

    // A new text without brackets clears the header and footer and keeps the name.
    parseBibFormat("<D@>");
    EXPECT_STREQ(CurrentBibFormat().name, "Short");
    EXPECT_STREQ(CurrentBibFormat().header, "");
    EXPECT_STREQ(CurrentBibFormat().footer, "");
    formatReference(journal, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string("1994") + kClosing);

    UseBasicBibFormat();
    EXPECT_STREQ(CurrentBibFormat().name, "Basic");
    EXPECT_STREQ(CurrentBibFormat().body, kBasicBibFormatBody);
}

}  // namespace
