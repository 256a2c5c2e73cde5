// File / Print: the active window's references go to the printer, the frame owning the
// print dialog.
#include "database_list.h"
#include "database_view.h"
#include "later_commands.h"
#include "print/printing.h"
#include "store/database.h"

void RunPrint(HWND frame)
{
    DatabaseView* view = ActiveView();
    if (!view || !view->database || !view->database->references)
        return;
    WindowPrint what;
    what.references = view->database->references;
    what.selectedLines = SelectedLines(*view);
    char caption[260] = {};
    GetWindowTextA(view->window, caption, sizeof caption);
    what.caption = caption;
    printWindow(frame, what);
}
