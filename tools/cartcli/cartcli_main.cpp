#include <cstdio>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

#include "tools/cartcli/cartcli.h"

int main(int argc, char** argv)
{
#if defined(_WIN32)
    // Formatted text already ends its lines with CR LF; the console must not add more.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    return RunCartcli(argc, argv, stdout, stderr);
}
