// A filter plug-in loaded as the program loads it: by full path from the folder the build
// puts the deliverables in, its exports looked up by their plain names.
#ifndef CARTULAN_TESTS_FILTERS_FILTER_LIBRARY_H
#define CARTULAN_TESTS_FILTERS_FILTER_LIBRARY_H

#include <string>

#include "io/filter_exports.h"

// The full path of a filter file ("REFER.FLT") in the build's bin folder.
std::string FilterPath(const std::string& fileName);

class FilterLibrary {
public:
    explicit FilterLibrary(const std::string& fileName);
    ~FilterLibrary();
    FilterLibrary(const FilterLibrary&) = delete;
    FilterLibrary& operator=(const FilterLibrary&) = delete;

    bool Loaded() const { return handle_ != nullptr; }
    // Unloads the library now (its exports are not to be called afterwards).
    void Unload();

    LoadRefProc loadRef = nullptr;
    SaveRefProc saveRef = nullptr;
    OptsProc opts = nullptr;

private:
    void* handle_ = nullptr;
};

#endif
