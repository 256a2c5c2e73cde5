// cartcli run as a program on the files of tests/data/cartcli, with an empty settings file.
// (Its export and import through other filters is run by the bibutils peer test.)
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
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

// The lines of `text`, or of them only those that start with `tag` and without it.
std::vector<std::string> Lines(const std::string& text, const std::string& tag = "")
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(tag, 0) == 0) lines.push_back(line.substr(tag.size()));
    }
    return lines;
}

class CartcliTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("CARTULAN_CONFIG", dir_.Path("settings").c_str(), 1); }

    CliRun Cartcli(const std::vector<std::string>& arguments) const
    {
        std::string command = Quoted(CARTULAN_CARTCLI);
        for (const std::string& argument : arguments) command += " " + Quoted(argument);
        command += " >" + Quoted(Path("stdout")) + " 2>" + Quoted(Path("stderr"));
        CliRun run;
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = ReadBytes(Path("stdout"));
        run.err = ReadBytes(Path("stderr"));
        return run;
    }

    std::string Path(const std::string& name) const { return dir_.Path(name); }

    TempDir dir_;
};

}  // namespace

TEST_F(CartcliTest, ConvertSortsResolvesDuplicatesAndRoundTrips)
{
    CliRun run = Cartcli({"convert", Library(), Path("out.ref")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, Library() + ": 6 read, 5 written to " + Path("out.ref") +
                           ", 1 duplicate left out\n");
    const std::string saved = ReadBytes(Path("out.ref"));
    // Author ascending, date descending, title ascending; the first of two equal ones kept.
    EXPECT_EQ(Lines(saved, "%T "),
              (std::vector<std::string>{"Report on coastal erosion",
                                        "Parish registers as demographic sources",
                                        "Drought indices compared",
                                        "Rainfall variability and planting dates",
                                        "Soil moisture and crop yield in the Sahel"}));
    EXPECT_EQ(saved.find("The later copy"), std::string::npos);
    ASSERT_EQ(Cartcli({"convert", "--keep-first", Path("out.ref"), Path("again.ref")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(Path("again.ref")), saved);

    run = Cartcli({"convert", "--overwrite", Library(), Path("out.ref")});
    EXPECT_NE(run.out.find("1 duplicate overwritten"), std::string::npos) << run.out;
    EXPECT_NE(ReadBytes(Path("out.ref")).find("%X The later copy"), std::string::npos);

}

TEST_F(CartcliTest, FormatAndSearchPrintWhatTheyFind)
{
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> starts;  // how the first lines of the output start
        std::size_t count;
    };
    const Case cases[] = {
        {{"format", "--text", "[Works cited\\n][End]<A1@ ><D(@)>"},
         {"Works cited", "Achterberg, Jan (1998)", ""}, 12},
        {{"format", "--format", "basic"}, {"Achterberg, Jan (1998)", ""}, 10},
        {{"search", "authors", "lindqvist"},
         {"Lindqvist, Maria\t(2019)  Drought", "Okafor, Chidi, and Lindqvist, Maria\t(2019)  Soil"}, 2},
        {{"search", "--case", "authors", "lindqvist"}, {}, 0},
        {{"search", "--not", "authors", "Lindqvist"}, {}, 3},
        {{"search", "any", "onset of the rains"}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back(Library());
        const CliRun run = Cartcli(arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::vector<std::string> lines = Lines(run.out);
        EXPECT_EQ(lines.size(), c.count) << run.out;
        for (std::size_t i = 0; i < c.starts.size() && i < lines.size(); ++i)
            EXPECT_EQ(lines[i].rfind(c.starts[i], 0), 0u) << lines[i];
    }
    EXPECT_EQ(Cartcli({"format", Library()}).out, Cartcli({"format", "--format", "Basic", Library()}).out);
    const std::vector<std::string> formats = Lines(Cartcli({"formats"}).out);
    ASSERT_EQ(formats.size(), 6u);
    EXPECT_NE(formats[3].find("load, save"), std::string::npos);  // REFER.FLT
    EXPECT_EQ(formats[2].find("save"), std::string::npos);  // PUBTAG.FLT only loads
}

TEST_F(CartcliTest, ErrorsGiveOneLineANonZeroExitAndKeepTheOldOutput)
{
    WriteBytes(Path("kept.ref"), "old\r\n");
    std::filesystem::create_directory(Path("dir.ref"));
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
    } const cases[] = {
        {{"convert", Path("missing.ref"), Path("out.ref")}, 1},
        {{"convert", Path("dir.ref"), Path("kept.ref")}, 1},
        {{"convert", Library(), "/proc/cartcli-out.ref"}, 1},
        {{"convert", "--from", "NOSUCH", Library(), Path("out.ref")}, 2},
        {{"convert", "--from"}, 2},
        {{"format", "--format", "NoSuchFormat", Library()}, 2},
        {{"search", "colour", "x", Library()}, 2},
        {{"frobnicate"}, 2},
        {{}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        const CliRun run = Cartcli(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind(c.arguments.empty() ? "usage" : "cartcli: ", 0), 0u) << run.err;
        if (!c.arguments.empty()) {
            EXPECT_EQ(Lines(run.err).size(), 1u) << run.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(Path("out.ref")));
    EXPECT_EQ(ReadBytes(Path("kept.ref")), "old\r\n");
    EXPECT_NE(Cartcli({"--help"}).out.find("--keep-first"), std::string::npos);
}
