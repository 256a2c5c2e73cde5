// Natively there is no message box to show: Opts answers as its OK button does.
#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    return 1;
}
