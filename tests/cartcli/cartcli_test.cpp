// cartcli run as a program on the files of tests/data/cartcli, with an empty settings file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Library() { return std::string(CARTULAN_TEST_DATA_DIR) + "/cartcli/library.ref"; }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The values of the lines of `text` that start with `tag` ("%T "), in order.
std::vector<std::string> Tagged(const std::string& text, const std::string& tag)
{
    std::vector<std::string> values;
    for (const std::string& line : Lines(text))
        if (line.rfind(tag, 0) == 0) values.push_back(line.substr(tag.size()));
    return values;
}

class CartcliTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("CARTULAN_CONFIG", dir_.Path("settings").c_str(), 1); }

    CliRun Cartcli(const std::vector<std::string>& arguments) const
    {
        std::string command = Quoted(CARTULAN_CARTCLI);
        for (const std::string& argument : arguments) command += " " + Quoted(argument);
        const std::string out = dir_.Path("stdout");
        const std::string err = dir_.Path("stderr");
        command += " >" + Quoted(out) + " 2>" + Quoted(err);
        CliRun run;
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadBytes(out);
        run.err = ReadBytes(err);
        return run;
    }

    std::string Path(const std::string& name) const { return dir_.Path(name); }

    TempDir dir_;
};

}  // namespace

TEST_F(CartcliTest, ConvertSortsLeavesDuplicatesOutAndRoundTrips)
{
    const CliRun run = Cartcli({"convert", Library(), Path("out.ref")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, Library() + ": 6 read, 5 written to " + Path("out.ref") +
                           ", 1 duplicate left out\n");
    const std::string saved = ReadBytes(Path("out.ref"));
    // Author ascending, date descending, title ascending.
    EXPECT_EQ(Tagged(saved, "%T "),
              (std::vector<std::string>{"Report on coastal erosion",
                                        "Parish registers as demographic sources",
                                        "Drought indices compared",
                                        "Rainfall variability and planting dates",
                                        "Soil moisture and crop yield in the Sahel"}));
    // The first of the two equal references is kept: it has no abstract.
    EXPECT_EQ(saved.find("The later copy"), std::string::npos);
    EXPECT_NE(saved.find("%E Hey, David"), std::string::npos);

    // A saved file converts to the same bytes.
    const CliRun again = Cartcli({"convert", "--keep-first", Path("out.ref"), Path("again.ref")});
    ASSERT_EQ(again.exitCode, 0) << again.err;
    EXPECT_NE(again.out.find("5 read, 5 written"), std::string::npos) << again.out;
    EXPECT_EQ(ReadBytes(Path("again.ref")), saved);
}

TEST_F(CartcliTest, ConvertOverwriteKeepsTheLaterDuplicate)
{
    const CliRun run = Cartcli({"convert", "--overwrite", Library(), Path("out.ref")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("5 written"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 duplicate overwritten"), std::string::npos) << run.out;
    const std::string saved = ReadBytes(Path("out.ref"));
    EXPECT_NE(saved.find("%X The later copy, with an abstract."), std::string::npos);
    EXPECT_EQ(Tagged(saved, "%T ").size(), 5u);
}

TEST_F(CartcliTest, ConvertImportsWithAnotherFilter)
{
    const std::string pubtag = std::string(CARTULAN_TEST_DATA_DIR) + "/pubtag/tags.ptg";
    for (const char* filter : {"pubtag", "PUBTAG.FLT", "PubTag.flt"}) {
        SCOPED_TRACE(filter);
        const CliRun run = Cartcli({"convert", "--from", filter, pubtag, Path("imported.ref")});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_FALSE(Tagged(ReadBytes(Path("imported.ref")), "%T ").empty());
    }
}

TEST_F(CartcliTest, ConvertExportsWithAnotherFilterAndReadsItBack)
{
    const CliRun plain = Cartcli({"convert", Library(), Path("plain.ref")});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    for (const char* format : {"ris", "BIBTEX.FLT"}) {
        SCOPED_TRACE(format);
        const CliRun out = Cartcli({"convert", "--to", format, Library(), Path("export")});
        ASSERT_EQ(out.exitCode, 0) << out.err;
        EXPECT_TRUE(Tagged(ReadBytes(Path("export")), "%T ").empty()) << "not a refer file";
        const CliRun back = Cartcli({"convert", "--from", format, Path("export"), Path("back.ref")});
        ASSERT_EQ(back.exitCode, 0) << back.err;
        // A RIS file is UTF-8 with a byte-order mark, and so is the database read from it.
        std::string read = ReadBytes(Path("back.ref"));
        if (read.rfind("\xEF\xBB\xBF", 0) == 0)
            read.erase(0, 3);
        EXPECT_EQ(Tagged(read, "%T "), Tagged(ReadBytes(Path("plain.ref")), "%T "));
        EXPECT_EQ(Tagged(read, "%A "), Tagged(ReadBytes(Path("plain.ref")), "%A "));
    }
}

TEST_F(CartcliTest, FormatPrintsHeaderReferencesAndFooter)
{
    const CliRun run = Cartcli({"format", "--text", "[Works cited\\n][End]<A1@ ><D(@)>", Library()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines.front(), "Works cited");
    EXPECT_EQ(lines[1], "Achterberg, Jan (1998)");
    EXPECT_EQ(run.out.substr(run.out.size() - 3), "End");
    EXPECT_NE(run.out.find("Okafor, Chidi (2021)\r\n"), std::string::npos);

    const CliRun basic = Cartcli({"format", "--format", "basic", Library()});
    ASSERT_EQ(basic.exitCode, 0) << basic.err;
    EXPECT_NE(basic.out.find("Achterberg, Jan (1998)"), std::string::npos) << basic.out;
    const CliRun current = Cartcli({"format", Library()});
    EXPECT_EQ(current.out, basic.out);  // with no stored formats the current one is Basic

    const CliRun unknown = Cartcli({"format", "--format", "NoSuchFormat", Library()});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(Lines(unknown.err).size(), 1u);
}

TEST_F(CartcliTest, SearchPrintsTheSummaryLinesOfMatches)
{
    const CliRun run = Cartcli({"search", "authors", "lindqvist", Library()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 2u) << run.out;
    EXPECT_EQ(lines[0].rfind("Lindqvist, Maria\t(2019)", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("Okafor, Chidi", 0), 0u) << lines[1];

    EXPECT_EQ(Lines(Cartcli({"search", "--case", "authors", "lindqvist", Library()}).out).size(),
              0u);
    EXPECT_EQ(Lines(Cartcli({"search", "--not", "authors", "Lindqvist", Library()}).out).size(),
              3u);
    EXPECT_EQ(Lines(Cartcli({"search", "any", "onset of the rains", Library()}).out).size(), 1u);
    EXPECT_EQ(Cartcli({"search", "colour", "x", Library()}).exitCode, 2);
}

TEST_F(CartcliTest, FormatsListsEveryFilter)
{
    const CliRun run = Cartcli({"formats"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 6u) << run.out;
    EXPECT_EQ(lines[3].rfind("REFER.FLT", 0), 0u);
    EXPECT_NE(lines[3].find("load, save"), std::string::npos);
    EXPECT_NE(lines[3].find("default file format"), std::string::npos);
    EXPECT_EQ(lines[2].find("save"), std::string::npos);  // PUBTAG.FLT only loads
    EXPECT_EQ(lines[4].rfind("RIS.FLT", 0), 0u);
    EXPECT_NE(lines[4].find("load, save"), std::string::npos);
}

TEST_F(CartcliTest, ErrorsGiveOneLineAndANonZeroExit)
{
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
    } const cases[] = {
        {{"convert", Path("missing.ref"), Path("out.ref")}, 1},
        {{"convert", "--from", "NOSUCH", Library(), Path("out.ref")}, 2},
        {{"convert", "--to", "NOSUCH", Library(), Path("out.ref")}, 2},
        {{"convert", Library()}, 2},
        {{"convert", "--from"}, 2},
        {{"convert", "--colour", Library(), Path("out.ref")}, 2},
        {{"format", Path("missing.ref")}, 1},
        {{"search", "title", "x", Path("missing.ref")}, 1},
        {{"frobnicate"}, 2},
        {{"convert", Library(), "/proc/cartcli-out.ref"}, 1},
        {{"convert", dir_.root.string(), Path("out.ref")}, 1},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& argument : c.arguments) joined += argument + " ";
        SCOPED_TRACE(joined);
        const CliRun run = Cartcli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        EXPECT_EQ(run.err.rfind("cartcli: ", 0), 0u) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.ref")));
}

TEST_F(CartcliTest, FailedConvertLeavesTheOldOutput)
{
    WriteBytes(Path("out.ref"), "old\r\n");
    std::filesystem::create_directory(Path("dir.ref"));
    const CliRun run = Cartcli({"convert", Path("dir.ref"), Path("out.ref")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(Path("out.ref")), "old\r\n");
}

TEST_F(CartcliTest, HelpExplainsEveryCommand)
{
    const CliRun run = Cartcli({"--help"});
    ASSERT_EQ(run.exitCode, 0);
    for (const char* word : {"formats", "convert", "format", "search", "--from", "--keep-first",
                             "--overwrite", "--text", "--help"}) {
        SCOPED_TRACE(word);
        EXPECT_NE(run.out.find(word), std::string::npos);
    }
    const CliRun bare = Cartcli({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.err.find("usage"), std::string::npos);
}
