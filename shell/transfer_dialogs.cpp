#include "transfer_dialogs.h"

void InstallTransferDialogs()
{
}

void ChooseDefaultFileFormat(HWND frame)
{
}
