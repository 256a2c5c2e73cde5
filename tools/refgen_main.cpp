// cartulan-refgen [--pubtag | --ris | --bibtex] COUNT SEED FILE: writes COUNT synthetic
// references as a refer file, or as a file of the format named.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/bib_writers.h"
#include "tools/pubtag_writer.h"
#include "tools/refer_writer.h"
#include "tools/reference_generator.h"

int main(int argc, char** argv)
{
    const std::string format = argc > 1 && argv[1][0] == '-' ? argv[1] : "";
    if (!format.empty()) {
        --argc;
        ++argv;
    }
    const bool known = format.empty() || format == "--pubtag" || format == "--ris"
                    || format == "--bibtex";
    if (argc != 4 || !known) {
        std::fprintf(stderr, "usage: cartulan-refgen [--pubtag | --ris | --bibtex] COUNT SEED FILE\n");
        return 2;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    const unsigned long seed = std::strtoul(argv[2], nullptr, 10);
    if (count <= 0 || count > 100000000) {
        std::fprintf(stderr, "cartulan-refgen: COUNT must be 1 to 100000000\n");
        return 2;
    }
    std::vector<Reference*> references =
        GenerateReferences(static_cast<int32_t>(count), static_cast<uint32_t>(seed));
    const long long bytes = format == "--pubtag" ? WritePubtagFile(argv[3], references)
                          : format == "--ris"    ? WriteRisFile(argv[3], references)
                          : format == "--bibtex" ? WriteBibtexFile(argv[3], references)
                                                 : WriteReferFile(argv[3], references);
    const std::size_t written = references.size();
    DestroyReferences(references);
    if (bytes < 0) {
        std::fprintf(stderr, "cartulan-refgen: cannot write %s\n", argv[3]);
        return 1;
    }
    std::printf("%zu references, %lld bytes\n", written, bytes);
    return 0;
}
