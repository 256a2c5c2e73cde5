#include "describe.h"

// A second language library for the tests: it names another language and carries an older
// version, so that switching languages and the version warning can be exercised.
extern "C" const char* __stdcall Describe(void)
{
    return "Test language";
}
