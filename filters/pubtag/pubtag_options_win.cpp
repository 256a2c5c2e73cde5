// Opts: the dialog "OPTS" with the source split option; a change counts from the next record.
#include "filters/common/check_option_dialog.h"
#include "filters/pubtag/pubtag_filter.h"
#include "filters/pubtag/pubtag_resources.h"
#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    static const CheckOption kSplitOption{kPubtagSection, kPubtagOptionKey, kPubtagOptionDefault,
                                          IDC_PUBTAG_SPLIT};
    int result = RunCheckOptionDialog(owner, "OPTS", kSplitOption);
    ReadPubtagOptionAgain();
    return result;
}
