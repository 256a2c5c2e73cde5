// The six recent files: most recent first, names compared ignoring case, gaps closed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "io/transfer_state.h"

namespace {

std::vector<std::string> Recent()
{
    std::vector<std::string> names;
    for (int i = 0; i < RecentFileCount(); ++i) names.push_back(g_transfer.recentFiles[i]);
    // Every slot after the list's end is empty.
    for (int i = RecentFileCount(); i < kRecentFileCount; ++i)
        EXPECT_EQ(g_transfer.recentFiles[i], nullptr) << i;
    return names;
}

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ClearRecentFiles(); }
    void TearDown() override { ClearRecentFiles(); }
};

}  // namespace

TEST_F(RecentFilesTest, AddMovesToTheFrontAndDropsTheOldest)
{
    for (const char* name : {"a.ref", "b.ref", "c.ref", "d.ref", "e.ref", "f.ref"})
        AddRecentFile(name);
    EXPECT_EQ(Recent(), (std::vector<std::string>{"f.ref", "e.ref", "d.ref", "c.ref", "b.ref",
                                                   "a.ref"}));
    // A name that is third moves to the front; the ones before it move down.
    AddRecentFile("D.REF");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"d.ref", "f.ref", "e.ref", "c.ref", "b.ref",
                                                   "a.ref"}));
    // A seventh new name drops the oldest.
    AddRecentFile("g.ref");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"g.ref", "d.ref", "f.ref", "e.ref", "c.ref",
                                                   "b.ref"}));
    AddRecentFile("g.ref");
    EXPECT_EQ(Recent().size(), 6u);
    AddRecentFile("");
    AddRecentFile(nullptr);
    EXPECT_EQ(Recent().front(), "g.ref");
}

TEST_F(RecentFilesTest, RemoveClosesTheGap)
{
    for (const char* name : {"a.ref", "b.ref", "c.ref"}) AddRecentFile(name);
    RemoveRecentFile("B.ref");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"c.ref", "a.ref"}));
    RemoveRecentFile("nothing.ref");
    RemoveRecentFile(nullptr);
    EXPECT_EQ(Recent(), (std::vector<std::string>{"c.ref", "a.ref"}));
    RemoveRecentFile("c.ref");
    RemoveRecentFile("a.ref");
    EXPECT_TRUE(Recent().empty());
    AddRecentFile("z.ref");
    EXPECT_EQ(Recent(), std::vector<std::string>{"z.ref"});
}

TEST(DefaultFilterTest, NamesAreCutTo31Characters)
{
    SetDefaultFilter("A_VERY_LONG_FILTER_NAME_THAT_GOES_ON.FLT");
    EXPECT_EQ(std::string(g_transfer.defaultFilter), "A_VERY_LONG_FILTER_NAME_THAT_GO");
    SetDefaultFilter(nullptr);
    EXPECT_STREQ(g_transfer.defaultFilter, "");
    SetDefaultFilter(kDefaultFilterName);
    EXPECT_STREQ(g_transfer.defaultFilter, "REFER.FLT");
}
