#include "store/list_flags.h"

DeleteConfirmMode DeleteConfirmModeOf(uint32_t flags)
{
    const uint32_t mode = (flags & kListConfirmDeleteMask) >> kListConfirmDeleteShift;
    return mode == 0 ? kConfirmAlways : static_cast<DeleteConfirmMode>(mode);
}

bool DeleteNeedsConfirmation(uint32_t flags, int32_t selectedCount)
{
    if (selectedCount <= 0) return false;
    switch (DeleteConfirmModeOf(flags)) {
    case kConfirmNever: return false;
    case kConfirmMultiple: return selectedCount > 1;
    default: return true;
    }
}

bool DragNeedsConfirmation(uint32_t flags) { return (flags & kListConfirmDrag) != 0; }

uint32_t WithConfirmOptions(uint32_t flags, DeleteConfirmMode mode, bool confirmDrag)
{
    flags &= ~(kListConfirmDeleteMask | kListConfirmDrag);
    flags |= (static_cast<uint32_t>(mode) << kListConfirmDeleteShift) & kListConfirmDeleteMask;
    if (confirmDrag) flags |= kListConfirmDrag;
    return flags;
}

uint32_t WithListOptions(uint32_t flags, uint32_t namesMode, bool withTitle, bool selectNew)
{
    flags &= ~(kListNamesMask | kListWithTitle | kListSelectNewItems);
    flags |= namesMode & kListNamesMask;
    if (withTitle) flags |= kListWithTitle;
    if (selectNew) flags |= kListSelectNewItems;
    return flags;
}
