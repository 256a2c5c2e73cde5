#include "filters/common/filter_module.h"

namespace {

void* g_module = nullptr;
bool g_ready = false;

}  // namespace

bool FilterReady()
{
    return g_ready;
}

void* FilterModuleHandle()
{
    return g_module;
}

void SetFilterModule(void* handle, bool ready)
{
    g_module = handle;
    g_ready = ready;
}
