#include "tools/reference_generator.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "store/text/dates.h"
#include "store/reference.h"
#include "tools/refer_writer.h"

namespace {

int Lines(const char* text)
{
    if (text == nullptr) return 0;
    int lines = 1;
    for (const char* at = std::strstr(text, "\r\n"); at != nullptr; at = std::strstr(at + 2, "\r\n"))
        ++lines;
    return lines;
}

int Words(const char* text)
{
    int words = 0;
    bool inWord = false;
    for (; *text != 0; ++text) {
        const bool blank = *text == ' ' || *text == '\r' || *text == '\n';
        if (!blank && !inWord) ++words;
        inWord = !blank;
    }
    return words;
}

TEST(ReferenceGenerator, MakesRealisticReferences)
{
    std::vector<Reference*> references = GenerateReferences(500, 11);
    ASSERT_EQ(references.size(), 500u);
    int books = 0;
    int fullerDates = 0;
    for (const Reference* reference : references) {
        ASSERT_NE(reference->authors, nullptr);
        EXPECT_GE(Lines(reference->authors), 1);
        EXPECT_LE(Lines(reference->authors), 6);
        ASSERT_NE(reference->title, nullptr);
        EXPECT_GE(Words(reference->title), 5);
        EXPECT_LE(Words(reference->title), 15);
        ASSERT_NE(reference->abstract, nullptr);
        EXPECT_GE(Words(reference->abstract), 50);
        EXPECT_LE(Words(reference->abstract), 150);
        EXPECT_NE(reference->keywords, nullptr);
        EXPECT_NE(reference->source, nullptr);
        ASSERT_NE(reference->summary, nullptr);
        EXPECT_NE(std::strchr(reference->summary, '\t'), nullptr);
        EXPECT_EQ(reference->refCount, 0);
        EXPECT_GE(reference->sourceType, kSourceJournal);
        EXPECT_LE(reference->sourceType, kSourceReport);
        books += reference->sourceType == kSourceBook;
        fullerDates += std::strchr(reference->date, ' ') != nullptr;
        const int year = yearOfDate(reference->date);
        EXPECT_TRUE(year == -1 || (year >= 1950 && year <= 2024)) << reference->date;
    }
    EXPECT_GT(books, 50);
    EXPECT_GT(fullerDates, 20);
    DestroyReferences(references);
    EXPECT_TRUE(references.empty());
}

TEST(ReferenceGenerator, SameSeedSameReferences)
{
    std::vector<Reference*> a = GenerateReferences(50, 5);
    std::vector<Reference*> b = GenerateReferences(50, 5);
    std::vector<Reference*> c = GenerateReferences(50, 6);
    ASSERT_EQ(a.size(), b.size());
    int differences = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_STREQ(a[i]->summary, b[i]->summary);
        EXPECT_STREQ(a[i]->abstract, b[i]->abstract);
        differences += std::strcmp(a[i]->summary, c[i]->summary) != 0;
    }
    EXPECT_GT(differences, 45);
    EXPECT_TRUE(GenerateReferences(0, 1).empty());
    DestroyReferences(a);
    DestroyReferences(b);
    DestroyReferences(c);
}

TEST(ReferWriter, WritesTaggedLinesInTheSavedOrder)
{
    Reference reference;
    reference.sourceType = kSourceBook;
    SetReferenceText(reference, kFieldAuthors, "Bloggs, F\r\nSmith, J\r\n");
    SetReferenceText(reference, kFieldDate, "1994");
    SetReferenceText(reference, kFieldTitle, "A title");
    SetReferenceText(reference, kFieldSource, "A book");
    SetReferenceText(reference, kFieldPublisher, "Press");
    SetReferenceText(reference, kFieldPages, "1-9");
    SetReferenceText(reference, kFieldKeywords, "alpha\r\nbeta");
    SetReferenceText(reference, kFieldAbstract, "One.\r\n\r\n\r\n\r\nTwo.");
    std::string out;
    AppendReferRecord(reference, out);
    EXPECT_EQ(out,
              "%A Bloggs, F\r\n%A Smith, J\r\n%D 1994\r\n%T A title\r\n%B A book\r\n"
              "%I Press\r\n%P 1-9\r\n%K alpha, beta\r\n%X One.\r\nTwo.\r\n\r\n");

    std::vector<Reference*> references = GenerateReferences(20, 2);
    const std::string path = ::testing::TempDir() + "generated.ref";
    const long long bytes = WriteReferFile(path.c_str(), references);
    EXPECT_GT(bytes, 20 * 500);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    std::fseek(file, 0, SEEK_END);
    EXPECT_EQ(std::ftell(file), bytes);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(WriteReferFile("/nonexistent-directory/x.ref", references), -1);
    DestroyReferences(references);
}

}  // namespace
