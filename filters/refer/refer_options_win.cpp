// Opts: the dialog "OPTS" with the one option. The loaded filter keeps the option it read at
// load, so a change counts from the next operation.
#include "filters/common/check_option_dialog.h"
#include "filters/refer/refer_filter.h"
#include "filters/refer/refer_resources.h"
#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    static const CheckOption kOemOption{kReferSection, kReferOptionKey, kReferOptionDefault,
                                        IDC_REFER_OEM};
    return RunCheckOptionDialog(owner, "OPTS", kOemOption);
}
