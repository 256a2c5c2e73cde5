#include "describe.h"

// The test language libraries name other languages, so that switching languages and the
// language dialog's choice can be told apart from English.
extern "C" const char* __stdcall Describe(void)
{
    return LANGUAGE_NAME;
}
