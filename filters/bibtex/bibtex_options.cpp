// Natively there is no dialog to show: Opts answers as a cancelled dialog does and stores
// nothing.
#include "io/filter_exports.h"

extern "C" FILTER_API int FILTER_CALL Opts(void* owner)
{
    return -1;
}
