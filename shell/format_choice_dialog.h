// The format choice "IMPOPT": the filters that fit an import (505), an export (546) or the
// default file format (0), with the chosen filter's options.
#ifndef CARTULAN_SHELL_FORMAT_CHOICE_DIALOG_H
#define CARTULAN_SHELL_FORMAT_CHOICE_DIALOG_H

#include <windows.h>

#include "io/filter_loader.h"

struct FormatChoiceData {
    int mode = kListImport;               // a FilterListMode
    char fileName[kFilterNameSize] = "";  // out: the chosen filter's file name
};

// Runs the dialog owned by `owner`. Returns IDOK with a filter chosen (never an empty name),
// else IDCANCEL.
int RunFormatChoiceDialog(HWND owner, FormatChoiceData& data);

#endif
