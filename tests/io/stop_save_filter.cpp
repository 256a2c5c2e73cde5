// STOPSAVE.FLT: a filter for the tests that writes a line per reference and stops the save at
// its fourth reference, as a filter may when the user cancels an export.
#include "io/filter_exports.h"

namespace {

int g_saved = 0;

}  // namespace

extern "C" {

FILTER_API int FILTER_CALL SaveRef(void*, FilterRecord* record, LineFile* file)
{
    WriteLine(file, record->title != nullptr ? record->title : "");
    WriteLine(file, "\r\n");
    return ++g_saved >= 4 ? 1 : 0;
}

FILTER_API const char* FILTER_CALL WhoAmI(void) { return "Stops saving"; }

FILTER_API const char* FILTER_CALL GetSpecs(void) { return "Test files\0*.REF\0"; }
}
