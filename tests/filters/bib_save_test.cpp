// The RIS and BibTeX filters beyond reading their files back (which the golden files check):
// cite keys, the forms of special characters and accented letters, the encodings written, and
// the count of the characters a load keeps as escapes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cartio.h"
#include "filter_library.h"
#include "filter_records.h"
#include "test_files.h"

namespace {

RecordCopy Input(std::initializer_list<std::pair<RecordText, std::string>> texts)
{
    return Record(kRecordJournal, texts);
}

// The key of each entry: from "{" to "," of each line that starts with "@".
std::vector<std::string> CiteKeys(const std::string& bib)
{
    std::vector<std::string> keys;
    for (size_t at = bib.find('@'); at != std::string::npos; at = bib.find("\n@", at + 1)) {
        size_t open = bib.find('{', at);
        keys.push_back(bib.substr(open + 1, bib.find(',', open) - open - 1));
    }
    return keys;
}

TEST(BibtexSave, CiteKeysAreKeptOrMadeAndUniqueInEachFile)
{
    FilterLibrary filter("BIBTEX.FLT");
    ASSERT_NE(filter.saveRef, nullptr);

    const std::vector<RecordCopy> records = {
        Input({{kRecordAuthors, "M\xFCller, J\xF6rg"}, {kRecordDate, "2020"}}),
        Input({{kRecordAuthors, "M\xFCller, Anna\r\nX, Y"}, {kRecordDate, "March 2020"}}),
        Input({{kRecordAbstract, "%Z citekey: muller2020\r\n\r\nA kept key met before."}}),
        Input({{kRecordAbstract, "%Z citekey: Knuth:1984"}, {kRecordAuthors, "Other, O"}}),
        Input({{kRecordAbstract, "%Z citekey: has blank"},
               {kRecordEditors, "van der Berg, Anna"}, {kRecordDate, "in press 1999"}}),
        Input({{kRecordAuthors, "J. R. R. Tolkien"}, {kRecordDate, "12/3/54"}}),
        Input({{kRecordTitle, "Stra\xDF" "e und Weg"}}),
        Input({{kRecordAuthors, "{U+0141}ukasiewicz, Jan"}, {kRecordDate, "1920"}}),
        Input({{kRecordTitle, "Keyless entry"}, {kRecordDate, "2001"}}),
    };
    const std::vector<std::string> expected = {
        "muller2020", "muller2020a", "muller2020b",     "Knuth:1984", "vanderberg1999",
        "tolkien",    "strasse",     "lukasiewicz1920", "keyless2001"};
    EXPECT_EQ(CiteKeys(SaveFile(filter.saveRef, records, ScratchPath("one.bib"))), expected);
    // The keys of a file do not depend on what was written before: a second file gets the same.
    EXPECT_EQ(CiteKeys(SaveFile(filter.saveRef, records, ScratchPath("two.bib"))), expected);
}

TEST(BibtexSave, SpecialCharactersAndAccentedLettersGoOutInFormsBibtexAndBiberRead)
{
    const std::vector<RecordCopy> records = {Input({
        {kRecordTitle, "\xDC" "ber DNA in E. coli & 50% of $5 #1 a_b {x} ~^\\ -- `` ''"},
        {kRecordSource, "Stra\xDF" "e \x96 \x93q\x94 \xE7" "a \x9A" "a \xA3 {U+0151} {U+4E2D}"},
        {kRecordPages, "100-110"},
        {kRecordAuthors, "{World Health Organization}\r\nSmith and Sons\r\nJ Doe\r\nA, B,"},
    })};
    FilterLibrary latex("BIBTEX.FLT");
    const std::string written = SaveFile(latex.saveRef, records, ScratchPath("latex.bib"));
    for (const char* form :
         {"title = {{\\\"U}ber {DNA} in {E.} coli \\& 50\\% of \\$5 \\#1 a\\_b "
          "{\\textbraceleft}x{\\textbraceright} {\\textasciitilde}{\\textasciicircum}"
          "{\\textbackslash} -{}- {\\textasciigrave}{\\textasciigrave} '{}'}",
          "journal = {Stra{\\ss}e -- ``q'' {\\c{c}}a {\\v{s}}a {\\pounds} {\\H{o}} \xE4\xB8\xAD}",
          "pages = {100--110}",
          "author = {{World Health Organization} and {Smith and Sons} and J Doe and {A, B,}}"}) {
        EXPECT_NE(written.find(form), std::string::npos) << form << "\nin\n" << written;
    }
    latex.Unload();

    ASSERT_EQ(SetConfigInt("BibTeX", "Opt", 1), 0);
    FilterLibrary utf8("BIBTEX.FLT");
    const std::string unicode = SaveFile(utf8.saveRef, records, ScratchPath("utf8.bib"));
    EXPECT_NE(unicode.find("title = {\xC3\x9C" "ber {DNA}"), std::string::npos) << unicode;
    EXPECT_NE(unicode.find("journal = {Stra\xC3\x9F" "e \xE2\x80\x93 \xE2\x80\x9Cq\xE2\x80\x9D"),
              std::string::npos)
        << unicode;
    EXPECT_NE(unicode.find("\xC2\xA3 \xC5\x91 \xE4\xB8\xAD}"), std::string::npos) << unicode;
}

TEST(RisSave, WritesUtf8WithAByteOrderMarkUnlessTheOptionSaysCodePage1252)
{
    const std::vector<RecordCopy> records = {
        Input({{kRecordAuthors, "M\xFCller, Jr., J\xF6rg"}, {kRecordTitle, "\x93Quoted\x94"}}),
        Input({{kRecordTitle, "Second"}})};
    FilterLibrary filter("RIS.FLT");
    EXPECT_EQ(SaveFile(filter.saveRef, records, ScratchPath("utf8.ris")),
              "\xEF\xBB\xBFTY  - JOUR\r\nAU  - M\xC3\xBCller, J\xC3\xB6rg, Jr.\r\n"
              "TI  - \xE2\x80\x9CQuoted\xE2\x80\x9D\r\nER  - \r\n\r\n"
              "TY  - JOUR\r\nTI  - Second\r\nER  - \r\n\r\n");
    filter.Unload();
    ASSERT_EQ(SetConfigInt("RIS", "Opt", 0), 0);
    FilterLibrary ansi("RIS.FLT");
    const std::string ansiText = SaveFile(ansi.saveRef, records, ScratchPath("ansi.ris"));
    EXPECT_EQ(ansiText.rfind("TY  - JOUR\r\nAU  - M\xFCller, J\xF6rg, Jr.\r\nTI  - \x93Quoted", 0), 0u)
        << ansiText;
}

// A character the code page lacks, written as a LaTeX command or in UTF-8, counts towards what
// the load reports.
TEST(BibtexLoad, CountsTheCharactersItKeepsAsEscapes)
{
    const std::string path = ScratchPath("escapes.bib");
    WriteBytes(path, "@article{k, author = {\\v{C}apek, Karel and \xC5\x81o\xC5\x9B, J}}\r\n");
    FilterLibrary filter("BIBTEX.FLT");
    OpenedFile opened(path);
    const RecordCopy record = CopyRecord(*filter.loadRef(nullptr, &opened.file));
    EXPECT_EQ(record.texts[kRecordAuthors], "{U+010C}apek, Karel\r\n{U+0141}o{U+015B}, J");
    EXPECT_EQ(opened.file.unmapped, 3);
}

}  // namespace
