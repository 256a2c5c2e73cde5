// Synthetic but realistic references for benchmarks and tests: 1-6 authors (a few with
// accented or particle names, some written given name first), years and fuller dates, titles
// of 5-15 words, abstracts of 50-150 words, keywords, and the source, volume, pages,
// publisher and editors that go with journals, books and reports.
//
// The same count and seed give the same references on every platform.
#ifndef CARTULAN_TOOLS_REFERENCE_GENERATOR_H
#define CARTULAN_TOOLS_REFERENCE_GENERATOR_H

#include <cstdint>
#include <vector>

class Reference;

// `count` new references (refCount 0, summary built), owned by the caller: insert them into
// reference lists or destroy them (DestroyReferences). Stops early if memory runs out.
std::vector<Reference*> GenerateReferences(int32_t count, uint32_t seed);

// Destroys every reference of `references` and empties it.
void DestroyReferences(std::vector<Reference*>& references);

#endif
