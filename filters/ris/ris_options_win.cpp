// Opts: the dialog "OPTS" with the one option. The loaded filter keeps the option it read at
// load, so a change counts from the next operation.
#include "filters/common/check_option_dialog.h"
#include "filters/ris/ris_filter.h"
#include "filters/ris/ris_resources.h"
#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    static const CheckOption kUtf8Option{kRisSection, kRisOptionKey, kRisOptionDefault,
                                         IDC_RIS_UTF8};
    return RunCheckOptionDialog(owner, "OPTS", kUtf8Option);
}
