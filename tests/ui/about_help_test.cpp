// The about box and the help: the versions of the program's three files, and the manual
// opened at the section each way into the help asks for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_test.h"

namespace {

using Help = ProgramTest;

// The about box; F1, Using help and the Help button of the common file dialogs (which send
// "commdlg_help" to their owner, the frame): each target is the manual beside the program
// with a section that the manual has.
TEST_F(Help, OpensTheManualAtTheSectionAsked)
{
    HWND frame = Launch();
    ASSERT_TRUE(frame);
    // The about box shows the versions of the program's three files; only OK closes it.
    HWND about = Open(frame, CMD_HELP_ABOUT);
    ASSERT_TRUE(about);
    EXPECT_EQ(ui::TextOf(GetDlgItem(about, IDC_ABOUT_PROGRAM_VERSION)), "CARTUL32.EXE: 7.8.0 (43)");
    EXPECT_EQ(ui::TextOf(GetDlgItem(about, IDC_ABOUT_SUPPORT_VERSION)), "CARTIO.DLL: 1.2.0.0");
    EXPECT_EQ(ui::TextOf(GetDlgItem(about, IDC_ABOUT_LANGUAGE_VERSION)), "CTNEN.DLL: 7.8.0.10");
    SaveShot("about");
    ASSERT_TRUE(ui::PressKey(about, VK_ESCAPE));
    EXPECT_FALSE(ui::WaitUntil([&] { return !IsWindow(about); }, 500));
    EXPECT_TRUE(ui::CloseBox(about, IDOK));

    ASSERT_TRUE(ui::PressKey(frame, VK_F1));
    ASSERT_EQ(HelpOpened(1).size(), 1u);
    ASSERT_TRUE(ui::SendCommand(frame, CMD_HELP_USING_HELP));
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(frame, RegisterWindowMessageA("commdlg_help"), 0, 0,
                                    SMTO_NORMAL, 5000, &ignored));

    const std::string manual = ui::DeliverablesDir() + "\\CARTUL32.HTM";
    const std::vector<std::string> anchors = {"contents", "using-help", "file-dialogs"};
    std::vector<std::string> opened = HelpOpened(anchors.size());
    ASSERT_EQ(opened.size(), anchors.size());
    std::string text = ui::FileText(manual);
    for (size_t i = 0; i < anchors.size(); ++i) {
        SCOPED_TRACE(anchors[i]);
        EXPECT_EQ(opened[i], manual + "#" + anchors[i]);
        EXPECT_NE(text.find("id=\"" + anchors[i] + "\""), std::string::npos);
    }
}

}  // namespace
