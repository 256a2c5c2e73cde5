#include "narrowed_save.h"

#include "../lang/ids.h"
#include "io/transfer.h"
#include "shell_services.h"
#include "shell_state.h"
#include "store/database.h"

namespace {

bool Narrowed(const Database& database)
{
    return database.narrowed != 0 && database.fileName[0] != '\0' && !IsBibliography(database);
}

}  // namespace

bool MaySaveUnderFileName(const Database& database)
{
    return !Narrowed(database) ||
           AskQuestion(g_shell.frame, IDS_SAVE_NARROWED, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

int ConfirmSaveOnClose(Database& database)
{
    if (!Narrowed(database) || database.modified == 0)
        return ConfirmSave(database);
    switch (AskQuestion(g_shell.frame, IDS_CLOSE_NARROWED, MB_YESNOCANCEL | MB_DEFBUTTON3)) {
    case IDYES: return TransferFile(database, kCommandSave, 0);
    case IDNO: return 1;
    default: return 0;
    }
}
