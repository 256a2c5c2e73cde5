// The per-user settings file that stands in for the registry off Windows.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>

#include "cartio.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

class UserSettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        path_ = dir_.Path("settings");
        setenv("CARTULAN_CONFIG", path_.c_str(), 1);
    }

    void TearDown() override
    {
        unsetenv("XDG_CONFIG_HOME");
    }

    std::string Read(const char* section, const char* key)
    {
        char text[256];
        GetConfigStr(text, sizeof text, section, key, "default");
        return text;
    }

    TempDir dir_;
    std::string path_;
};

// What would break a line of the file is escaped, and read back as it was.
TEST_F(UserSettingsFile, EscapesWhatWouldBreakALine)
{
    SetConfigStr("Odd]Section", "key=with[marks#", "line\r\nbreak \\x41 back\\slash");
    EXPECT_EQ(ReadBytes(path_).find('\r'), std::string::npos);
    EXPECT_EQ(Read("Odd]Section", "key=with[marks#"), "line\r\nbreak \\x41 back\\slash");
}

TEST_F(UserSettingsFile, ReadsFilesEditedByHand)
{
    WriteBytes(path_,
               "orphan=before any section\n"
               "[Files]\r\n"
               "Format = spaced \r\n"
               "not a value line\n"
               "Format=second occurrence\n"
               "bad escape=\\q\\x4\\x00\\xZZ\n"
               "[Display]\n"
               "List=242\n"
               "[files]\n"
               "Backup=0\n"
               "[unclosed\n"
               "Lost=1\n");
    EXPECT_EQ(Read("Files", "Format "), " spaced ");
    EXPECT_EQ(Read("Files", "Format"), "second occurrence");
    EXPECT_EQ(Read("Files", "bad escape"), "\\q\\x4\\x00\\xZZ");
    EXPECT_EQ(Read("Files", "Backup"), "0") << "a repeated section adds to the first";
    EXPECT_EQ(GetConfigInt("Display", "List", 0), 242);
    EXPECT_EQ(Read("unclosed", "Lost"), "default");
    EXPECT_EQ(Read("Files", "orphan"), "default");
}

TEST_F(UserSettingsFile, IsReplacedWholeByRenameKeepingItsPermissions)
{
    SetConfigStr("Files", "Format", "REFER.FLT");
    ASSERT_EQ(chmod(path_.c_str(), 0640), 0);
    struct stat before;
    ASSERT_EQ(stat(path_.c_str(), &before), 0);

    EXPECT_EQ(SetConfigStr("Files", "Format", "PUBTAG.FLT"), 0);
    struct stat after;
    ASSERT_EQ(stat(path_.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "written in place, not replaced";
    EXPECT_EQ(after.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.root), fs::directory_iterator()), 1)
        << "a temporary file was left behind";

    // Storing the text a value already holds leaves the file alone.
    EXPECT_EQ(SetConfigStr("Files", "Format", "PUBTAG.FLT"), 0);
    struct stat same;
    ASSERT_EQ(stat(path_.c_str(), &same), 0);
    EXPECT_EQ(same.st_ino, after.st_ino);
}

TEST_F(UserSettingsFile, FollowsASymbolicLinkToTheRealFile)
{
    const std::string real = dir_.Path("real-settings");
    WriteBytes(real, "[Files]\nFormat=REFER.FLT\n");
    fs::create_symlink(real, path_);
    EXPECT_EQ(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(Read("Files", "Format"), "REFER.FLT");
    EXPECT_NE(ReadBytes(real).find("Backup=0"), std::string::npos);
}

TEST_F(UserSettingsFile, AnUnreadableStoreGivesDefaultsAndRefusesWrites)
{
    fs::create_directory(path_);
    EXPECT_EQ(GetConfigInt("Files", "Backup", 7), 7);
    EXPECT_NE(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_NE(DeleteConfigTree("Files"), 0);
    EXPECT_TRUE(fs::is_directory(path_));

    const std::string underFile = dir_.Path("plain") + "/settings";
    WriteBytes(dir_.Path("plain"), "not a directory");
    setenv("CARTULAN_CONFIG", underFile.c_str(), 1);
    EXPECT_NE(SetConfigStr("Files", "Backup", "0"), 0);
    EXPECT_EQ(Read("Files", "Backup"), "default");
    EXPECT_EQ(ReadBytes(dir_.Path("plain")), "not a directory");
}

TEST_F(UserSettingsFile, LivesInTheUserConfigurationDirectoryByDefault)
{
    unsetenv("CARTULAN_CONFIG");
    setenv("XDG_CONFIG_HOME", dir_.Path("config").c_str(), 1);
    EXPECT_EQ(SetConfigStr("Files", "Format", "REFER.FLT"), 0);
    EXPECT_TRUE(fs::exists(dir_.Path("config/cartulan/settings")));
    EXPECT_EQ(Read("Files", "Format"), "REFER.FLT");
}

}  // namespace
