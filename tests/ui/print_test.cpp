// Printing to a PostScript printer of Wine's generic driver that writes each job to a file;
// the file is read back as text with its positions by Ghostscript.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <sstream>

#include "program_test.h"

namespace {

// One printed line: its page, text, box in points from the top left (`baseline` the line's
// base) and font size in points.
struct PrintedLine {
    int page;
    std::string text;
    double left, baseline, right, size;
};

class PrintTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        job_ = Path("job.ps");
        ASSERT_TRUE(ui::InstallFilePrinter(ui::HostPathOf(job_)));
        // Arial 13 pixels high on the screen; each reference a paragraph of two lines.
        ui::SetProgramSetting("Fonts", "Printer", "Arial,-13,400,0");
        std::string body = "<A@ ><D(@)>";
        for (int i = 0; i < 10; ++i)
            body += "<T @>";
        ui::SetProgramSetting("Formats", "Long", body);
        ui::SetProgramSetting("Bibliography", "Format", "Long");
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        ui::RemoveFilePrinter();
    }

    // The text lines of the job (without the title and the page numbers), and its pages.
    static std::vector<PrintedLine> TextLines(const std::vector<PrintedLine>& job)
    {
        std::vector<PrintedLine> lines;
        std::copy_if(job.begin(), job.end(), std::back_inserter(lines), [](const PrintedLine& line) {
            return line.text.rfind("Page ", 0) != 0 && line.text.rfind("Cartulan 7.8 - ", 0) != 0;
        });
        return lines;
    }
    static int Pages(const std::vector<PrintedLine>& job)
    {
        return job.empty() ? 0 : job.back().page;
    }

    // Answers the print dialog that the Print command opens on `window` (the "Selection"
    // choice first when asked), and waits until the job has ended and its file is complete.
    void PrintFrom(HWND window, bool selection, const std::string& shot)
    {
        DeleteFileA(job_.c_str());
        HWND dialog = Open(window, CMD_FILE_PRINT, "Print");
        ASSERT_NE(dialog, nullptr);
        if (selection)
            SendMessageA(GetDlgItem(dialog, 0x421), BM_CLICK, 0, 0);  // rad2, "Selection"
        if (!shot.empty())
            SaveShot(shot);
        ASSERT_TRUE(ui::CloseBox(dialog, IDOK));
        WaitForJobEnd(window);
    }

    void WaitForJobEnd(HWND window)
    {
        ui::WaitUntil([&] {
            return !ui::WaitForTitledWindow(program_.Pid(), "Cartulan Printing", 0) &&
                   IsWindowEnabled(window);
        }, 20000);
        ASSERT_TRUE(ui::WaitUntil([&] { return ui::FileText(job_).find("%%EOF") != std::string::npos; }))
            << "no complete job";
    }

    // The job's lines, as Ghostscript reads them from the file: each character with its box
    // in points from the top left, gathered into lines by page and baseline.
    std::vector<PrintedLine> ReadJob()
    {
        const std::string text = Path("job.txt");
        ui::RunHostCommand("gs -q -dNOPAUSE -dBATCH -sDEVICE=txtwrite -dTextFormat=0 -sOutputFile='" +
                ui::HostPathOf(text) + "' '" + ui::HostPathOf(job_) + "'");
        std::map<std::pair<int, double>, std::map<double, std::string>> chars;
        std::map<std::pair<int, double>, double> rights, sizes;
        std::istringstream in(ui::FileText(text));
        int page = 0;
        double size = 0;
        for (std::string line; std::getline(in, line);) {
            double x0, y0, x1, y1;
            char c[16] = {};
            if (line.rfind("<page", 0) == 0)
                ++page;
            else if (std::sscanf(line.c_str(), "<span bbox=\"%*f %*f %*f %*f\" font=\"%*[^\"]\" size=\"%lf\"", &size) == 1)
                continue;
            else if (std::sscanf(line.c_str(), "<char bbox=\"%lf %lf %lf %lf\" c=\"%15[^\"]\"", &x0, &y0, &x1, &y1, c) == 5) {
                const auto key = std::make_pair(page, y0);
                chars[key][x0] = std::strcmp(c, "&amp;") == 0 ? "&" : c[0] == '&' ? "?" : c;
                rights[key] = std::max(rights[key], x1);
                sizes[key] = size;
            }
        }
        std::vector<PrintedLine> lines;
        for (const auto& [key, row] : chars) {
            PrintedLine printed = {key.first, "", row.begin()->first, key.second, rights[key], sizes[key]};
            for (const auto& [x, character] : row)
                printed.text += character;
            lines.push_back(printed);
        }
        return lines;
    }

    std::string job_;
};

// Each test runs in a test process and a program of its own: under the platform some messages
// sent to the program after a job (the hand-over of a file, the activation of a window) never
// return, nor does a file handed to a program started after another one printed.
using PrintPages = PrintTest;
using PrintSelection = PrintTest;
using PrintCancel = PrintTest;
using PrintEditor = PrintTest;
using PrintNoPrinter = PrintTest;

}  // namespace

TEST_F(PrintPages, ThreePagesWithHeadingNumbersAndWrappedLines)
{
    HWND frame = LaunchWithFile(50);
    ASSERT_NE(frame, nullptr);
    PrintFrom(frame, false, "dialog");
    const std::vector<PrintedLine> job = ReadJob();
    ASSERT_EQ(Pages(job), 3);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        auto title = std::find_if(job.begin(), job.end(), [&](const PrintedLine& line) {
            return line.page == page && line.text.rfind("Cartulan 7.8 - C:\\", 0) == 0 &&
                   line.text.find("\\refs.ref") != std::string::npos;
        });
        auto number = std::find_if(job.begin(), job.end(), [&](const PrintedLine& line) {
            return line.page == page && line.text == "Page " + std::to_string(page) + "  ";
        });
        EXPECT_TRUE(title != job.end() && number != job.end());
    }
    // The printer font keeps its size from the 96-dpi screen: 13 x 300 / 96 = 41 pixels at
    // 300 dpi, 9.84 points (a whole factor of 3 would give 39 pixels).
    EXPECT_NEAR(job.front().size, 41.0 * 72 / 300, 0.05);
    // The lines of a paragraph, joined again, give the reference whole: breaks fall between
    // words, within the right margin, and none is lost. A paragraph's last line ends in the
    // blank that its carriage return prints as; its empty line leaves nothing on the page.
    std::vector<std::string> paragraphs(1);
    for (const PrintedLine& line : TextLines(job)) {
        EXPECT_EQ(line.left, job[1].left);
        EXPECT_LT(line.right, 595 - 15 * 72 / 25.4);
        paragraphs.back() += (paragraphs.back().empty() ? "" : " ") + line.text;
        if (line.text.back() == ' ')
            paragraphs.emplace_back();
    }
    ASSERT_EQ(paragraphs.size(), 51u);
    for (int reference = 0; reference < 50; ++reference) {
        std::string expected = "Author" + std::to_string(1000 + reference) + ", A (" +
                               std::to_string(1900 + reference) + ")";
        for (int i = 0; i < 10; ++i)
            expected += " A paper " + std::to_string(1000 + reference);
        EXPECT_EQ(paragraphs[reference], expected + " ");
    }
    ui::RunHostCommand("gs -q -dNOPAUSE -dBATCH -sDEVICE=png16m -r50 -dFirstPage=1 -dLastPage=1 -sOutputFile='" +
            ui::HostPathOf(ui::ShotsDir()) + "/PrintPages.printed-page-1.png' '" + ui::HostPathOf(job_) + "'");
}

TEST_F(PrintSelection, SelectionPrintsOnlyItAndKeepsTheClipboard)
{
    HWND frame = LaunchWithFile(10);
    ASSERT_NE(frame, nullptr);
    HWND list = ui::ListOf(ui::ActiveDatabaseWindow(frame));
    ASSERT_TRUE(ui::SelectLines(list, {5}));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_COPY));
    ASSERT_TRUE(ui::SelectLines(list, {1, 3}));
    PrintFrom(frame, true, "selection");
    const std::vector<PrintedLine> lines = TextLines(ReadJob());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].text.rfind("Author1001, A (1901)", 0), 0u);
    EXPECT_EQ(lines[2].text.rfind("Author1003, A (1903)", 0), 0u);
    // The clipboard still holds what was copied: pasted into a new window, it prints.
    ASSERT_TRUE(ui::SendCommand(frame, CMD_FILE_NEW));
    ASSERT_TRUE(ui::WaitForDatabaseWindows(frame, 2));
    ASSERT_TRUE(ui::SendCommand(frame, CMD_EDIT_PASTE));
    PrintFrom(frame, false, "");
    const std::vector<PrintedLine> pasted = TextLines(ReadJob());
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(pasted[0].text.rfind("Author1005, A (1905)", 0), 0u);
}

TEST_F(PrintCancel, CancelInTheAbortDialogStopsTheJob)
{
    HWND frame = LaunchWithFile(20000);
    ASSERT_NE(frame, nullptr);
    DeleteFileA(job_.c_str());
    ASSERT_TRUE(ui::CloseBox(Open(frame, CMD_FILE_PRINT, "Print"), IDOK));
    HWND abort = Dialog("Cartulan Printing");
    ASSERT_NE(abort, nullptr);
    EXPECT_FALSE(IsWindowEnabled(frame));
    SaveShot("abort");
    ASSERT_TRUE(ui::PressButton(abort, IDCANCEL));
    WaitForJobEnd(frame);
    const std::vector<PrintedLine> job = ReadJob();
    EXPECT_GE(Pages(job), 1);
    EXPECT_LT(Pages(job), 20000 * 3 / 66);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_TRUE(ui::Sync(frame));
}

TEST_F(PrintEditor, EditorPrintsItsReferenceUnderItsCaption)
{
    HWND frame = LaunchWithFile(3);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(ui::SelectLines(ui::ListOf(ui::ActiveDatabaseWindow(frame)), {2}));
    HWND editor = Open(frame, CMD_REF_EDIT);
    ASSERT_NE(editor, nullptr);
    PrintFrom(editor, false, "");
    const std::vector<PrintedLine> job = ReadJob();
    ASSERT_EQ(job.size(), 4u);
    EXPECT_EQ(job[0].text, ui::TextOf(editor));
    EXPECT_EQ(job[1].text.rfind("Author1002, A (1902)", 0), 0u);
    EXPECT_TRUE(IsWindowVisible(editor));
}

TEST_F(PrintNoPrinter, WithoutAPrinterPrintingSaysSo)
{
    ui::RemoveFilePrinter();
    HWND frame = LaunchWithFile(3);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(Open(frame, CMD_FILE_PRINT));
    SaveShot("no-printer");
    EXPECT_NE(AnswerText().find("There is no printer"), std::string::npos);
    EXPECT_TRUE(ui::Sync(frame));
}
