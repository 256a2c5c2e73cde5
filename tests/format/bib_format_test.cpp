// The bibliography format language: formatting one reference, parsing a format text, and
// the text of a whole bibliography.
#include "format/bib_format.h"
#include "format/bibliography_text.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/name_summary.h"
#include "store/reference.h"
#include "store/reference_list.h"

namespace {

constexpr char kClosing[] = "\r\n\r\n";


// The sample reference of the format dialog, without the fields named in `absent`.
Reference* Sample(int32_t sourceType, const char* absent = "")
{
    Reference* reference = new Reference;
    reference->sourceType = sourceType;
    const struct {
        char letter;
        ReferenceField field;
        const char* text;
    } fields[] = {
        {'A', kFieldAuthors, "Bloggs, F\r\nSmith, J\r\nOther, AN"}, {'T', kFieldTitle, "An exciting paper"},
        {'D', kFieldDate, "1994"}, {'V', kFieldVolume, "000"}, {'N', kFieldNumber, "0"},
        {'P', kFieldPages, "0000-0000"}, {'S', kFieldSource, "The Journal"},
        {'I', kFieldPublisher, "Smith and Brown"}, {'C', kFieldCity, "London"},
        {'E', kFieldEditors, "Brown, P"}, {'K', kFieldKeywords, "Widgets\r\nDoofers"},
        {'X', kFieldAbstract, "Widgets are doofers."},
    };
    for (const auto& field : fields)
        if (std::strchr(absent, field.letter) == nullptr)
            SetReferenceText(*reference, field.field, field.text);
    return reference;
}

// Formats the body `body` into exactly `size` bytes; guard bytes after them must survive.
std::string Format(const char* body, const Reference& reference,
                   std::size_t size = kFormattedReferenceSize)
{
    BibFormat format;
    std::strncpy(format.body, body, sizeof format.body - 1);
    std::vector<char> buffer(size + 16, '#');
    const std::size_t length = FormatReferenceWith(format, reference, buffer.data(), size);
    for (std::size_t i = size; i < buffer.size(); ++i)
        if (buffer[i] != '#') ADD_FAILURE() << "written past the buffer at " << i;
    if (size == 0) return std::string();
    EXPECT_EQ(std::strlen(buffer.data()), length);
    return std::string(buffer.data(), length);
}

TEST(BibFormat, WritesGroupsFieldsAndEscapes)
{
    SetAndWord("and ");
    const Reference* journal = Sample(kSourceJournal);
    const Reference* book = Sample(kSourceBook);
    const Reference* noDate = Sample(kSourceJournal, "D");
    const Reference* noAbstract = Sample(kSourceJournal, "X");
    const Reference* empty = Sample(kSourceJournal, "ATDVNPSIECKX");
    const Reference* tabbed = Sample(kSourceJournal, "E");
    SetReferenceText(*const_cast<Reference*>(tabbed), kFieldAuthors, "Bloggs, F\r\nSmith, J");
    SetReferenceText(*const_cast<Reference*>(tabbed), kFieldEditors, "Brown, P\r\nGreen, Q\r\nWhite, R");
    SetReferenceText(*const_cast<Reference*>(tabbed), kFieldDate, "12\t1994");
    struct Case {
        const char* body;
        const Reference* reference;
        const char* expected;  // without the closing CR LF CR LF; null for an empty result
    };
    const Case cases[] = {
        {kBasicBibFormatBody, journal,
         "Bloggs, F, Smith, J, and Other, AN (1994), The Journal 000 0000-0000"},
        {kBasicBibFormatBody, book, "Bloggs, F, Smith, J, and Other, AN (1994) 000 0000-0000"},
        {kBasicBibFormatBody, empty, nullptr},  // nothing at all, not even a blank line
        {"<A3@>", journal, "Bloggs, F et al"},
        {"<A1@>", journal, "Bloggs, F, Smith, J, and Other, AN"},
        {"<A4@>", journal, "4Bloggs, F, Smith, J, and Other, AN"},  // only 1-3 are modes
        {"<A3@>", tabbed, "Bloggs, F, Smith, J"},  // the names only, never the date's TAB
        {"<E3@>", tabbed, "Brown, P, Green, Q, and White, R"},  // no modes for editors
        {"<D@>", tabbed, "12\t1994"},
        {"<!X[no abstract]>", noAbstract, "[no abstract]"},
        {"<T@.\\n>", journal, "An exciting paper.\r\n"},
        {"<B in @><J, @>", journal, ", The Journal"},
        {"<B in @><J, @>", book, " in The Journal"},
        {"<T@<D (@)>.>", journal, "An exciting paper (1994)."},
        {"<T@<D (@)>.>", noDate, "An exciting paper."},
        {"<T<D (@)>.>", journal, " (1994)."},  // only "@" writes the field
        {"<T@<!D, no date>>", noDate, "An exciting paper, no date"},
        {"<K@>", journal, "Widgets; Doofers"},
        {"<I@, ><C@><N(@)><V@><P@>", journal, "Smith and Brown, London(0)0000000-0000"},
        {"Reference\\n", empty, "Reference\r\n"},
        {"<Q@>", journal, nullptr},  // unknown letters, lower case too, name no field
        {"<!Q@>", journal, "\\@"},
        {"<>x>y", journal, "y"},  // whatever stands in the letter's place is the letter
        {"<!<T@>>", journal, "T\\@>"},
        {"a>b@c!d", empty, "a>b@c!d"},  // outside groups these are text
        {"a\\tb\\<T\\>\\\\\\q\\@", journal, "a\tb<T>\\q@"},
        {"<T@\\>@>", journal, "An exciting paper>An exciting paper"},
        {"<Z<T@>\\>rest>after", journal, "after"},  // a skipped group passes nested groups
        {"<!Z<Q@>\\>rest>!", journal, ">rest!"},
        {"<T@ (open", journal, "An exciting paper (open"},  // an open group runs to the end
        {"lead <Q@ trail", journal, "lead "},  // an open skipped group ends the reference
        {"<", journal, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(Format(c.body, *c.reference),
                  c.expected != nullptr ? std::string(c.expected) + kClosing : "");
    }
    SetAndWord("und ");
    EXPECT_EQ(Format("<A@>", *tabbed), std::string("Bloggs, F, und Smith, J") + kClosing);
    SetAndWord("and ");
    for (const Reference* reference : {journal, book, noDate, noAbstract, empty, tabbed})
        delete reference;
}

TEST(BibFormat, ParsesHeaderFooterAndBodyCutTo511Characters)
{
    struct Case {
        std::string text;
        const char* header;
        const char* footer;
        const char* body;
    };
    const std::string hs(700, 'h');
    const Case cases[] = {
        {"[Header\\n][Footer]<T@>", "Header\r\n", "Footer", "<T@>"},
        {"<T@>[x]", "", "", "<T@>[x]"},
        {"[a\\]b\\tc\\\\]rest", "a]b\tc\\", "", "rest"},
        {"[h]x[f]", "h", "", "x[f]"},
        {"[unclosed", "unclosed", "", ""},
        {"[h][unclosed\\", "h", "unclosed", ""},
        {"[h]][f]", "h", "", "][f]"},
        {"plain \\n text", "", "", "plain \\n text"},
        {"[" + hs + "][" + hs + "]" + hs, hs.c_str() + 189, hs.c_str() + 189, hs.c_str() + 189},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        BibFormat format;
        std::strcpy(format.name, "Kept");
        std::strcpy(format.footer, "old");
        ParseBibFormatInto(c.text.c_str(), format);
        EXPECT_STREQ(format.header, c.header);
        EXPECT_STREQ(format.footer, c.footer);
        EXPECT_STREQ(format.body, c.body);
        EXPECT_STREQ(format.name, "Kept");
    }
}

TEST(BibFormat, CutsAReferenceThatDoesNotFitAndKeepsItsClosing)
{
    Reference reference;
    SetReferenceText(reference, kFieldTitle, std::string(20000, 't').c_str());
    std::string names;
    for (int i = 0; i < 3000; ++i) names += "Bloggs, F\r\n";
    SetReferenceText(reference, kFieldAuthors, (names + "Last, L").c_str());
    SetReferenceText(reference, kFieldKeywords, ("A\r\n" + std::string(20000, 'k')).c_str());
    for (const char* body : {"<T@>", "<A@>", "<K@>", "<A3@ ><T@><T@>", "\\n<T@>"}) {
        SCOPED_TRACE(body);
        const std::string text = Format(body, reference);
        EXPECT_EQ(text.size(), kFormattedReferenceSize - 1);
        EXPECT_EQ(text.substr(text.size() - 4), kClosing);
    }
    SetReferenceText(reference, kFieldTitle, "ab");  // a cut between CR and LF drops the CR
    EXPECT_EQ(Format("<T@\\n\\n\\n>", reference, 10), std::string("ab\r\n") + kClosing);

    // The smallest buffer that takes any text holds one character and the closing.
    const Reference* journal = Sample(kSourceJournal);
    EXPECT_EQ(Format(kBasicBibFormatBody, *journal, 5), "");
    EXPECT_EQ(Format(kBasicBibFormatBody, *journal, 6), std::string("B") + kClosing);
    delete journal;
}

BibFormat Parsed(const std::string& text)
{
    BibFormat format;
    ParseBibFormatInto(text.c_str(), format);
    return format;
}

// A list of `count` references whose titles are `titleLength` characters, numbered so that
// they sort in order; each formats to titleLength + 4 characters under "<T@>".
ReferenceList* Titles(int count, std::size_t titleLength)
{
    ReferenceList* list = CreateReferenceList(20, 0, nullptr);
    for (int i = 0; i < count; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%06d", i);
        std::string title = number;
        title.resize(titleLength, 'x');
        Reference* reference = new Reference;
        SetReferenceText(*reference, kFieldTitle, title.c_str());
        list->insert(reference);
    }
    return list;
}

TEST(BibliographyText, LeavesOutWhatComesNearTheEndButAlwaysWritesTheFooter)
{
    struct Case {
        const char* what;
        int count;
        std::size_t titleLength;
        std::size_t footerLength;
        std::size_t size;
        int included;
    };
    const Case cases[] = {
        {"all fit", 3, 8, 1, kBibliographyTextSize, 3},
        {"a reference may end 101 bytes before the end", 20, 46, 1, 1 + 3 * 50 + 101, 3},
        {"but not 100", 20, 46, 1, 1 + 3 * 50 + 100, 2},
        {"a footer longer than the margin keeps its room", 30, 46, 300, 1000, 13},
        {"a footer that exactly fits", 30, 46, 300, 1 + 13 * 50 + 300 + 1, 13},
        {"the full buffer", 600, 1000, 6, kBibliographyTextSize, 522},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReferenceList* list = Titles(c.count, c.titleLength);
        const std::string footer(c.footerLength, 'F');
        std::vector<char> buffer(c.size + 16, '#');
        int notices = 0;
        const BibliographyText result =
            BuildBibliographyText(Parsed("[H][" + footer + "]<T@>"), *list, buffer.data(), c.size,
                                  [&notices] { ++notices; });
        const std::string text = buffer.data();
        EXPECT_EQ(result.included, c.included);
        EXPECT_EQ(result.truncated, c.included < c.count);
        EXPECT_EQ(notices, c.included < c.count ? 1 : 0);
        EXPECT_EQ(text.size(), result.length);
        EXPECT_EQ(text.size(), 1 + (c.titleLength + 4) * c.included + c.footerLength);
        EXPECT_EQ(text.substr(text.size() - c.footerLength - 4, 4), kClosing);  // never cut
        EXPECT_EQ(buffer[c.size], '#');
        delete list;
    }
}

TEST(BibliographyText, ASingleReferenceHasHeaderAndFooter)
{
    Reference reference;
    SetReferenceText(reference, kFieldTitle, "Title");
    char out[kFormattedReferenceSize];
    const BibliographyText single =
        BuildSingleReferenceText(Parsed("[<<][>>]<T@>"), reference, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string("<<Title") + kClosing + ">>");
    EXPECT_EQ(single.included, 1);
}

}  // namespace
