// The state a filter keeps for one load of its library, made when the library is loaded and
// freed when it is unloaded, and the LoadRef skeleton every filter shares.
#ifndef CARTULAN_FILTERS_COMMON_FILTER_STATE_H
#define CARTULAN_FILTERS_COMMON_FILTER_STATE_H

#include <exception>
#include <new>

#include "filters/common/filter_buffers.h"
#include "filters/common/record_fields.h"

// Makes the filter's state (a type with `buffers` and `owned` members) with its buffers. False,
// holding nothing, when memory or the buffer size is missing: the load is refused.
template <typename State>
bool MakeFilterState(State*& state);

// Frees the texts of the last record, the buffers and the state.
template <typename State>
void FreeFilterState(State*& state)
{
    if (state == nullptr)
        return;
    ReleaseRecord(state->owned);
    FreeFilterBuffers(state->buffers);
    delete state;
    state = nullptr;
}

template <typename State>
bool MakeFilterState(State*& state)
{
    FreeFilterState(state);
    state = new (std::nothrow) State;
    if (state == nullptr)
        return false;
    if (!AllocateFilterBuffers(state->buffers)) {
        FreeFilterState(state);
        return false;
    }
    return true;
}

// One LoadRef: releases the last record's texts, lets `read` fill `fields` and return the
// status, and hands out the record with copies of the fields. LoadRef has no error result, so
// a failure (memory) ends the reading as the end of the file does: status 2, no texts.
template <typename Read>
FilterRecord* DeliverRecord(OwnedRecord& owned, const RecordFields& fields, Read read)
{
    ReleaseRecord(owned);
    int status = kRecordNone;
    try {
        status = read();
        if (status != kRecordNone && !PublishRecord(owned, fields))
            status = kRecordNone;
    } catch (const std::exception&) {
        status = kRecordNone;
    }
    if (status == kRecordNone)
        ReleaseRecord(owned);
    owned.record.status = static_cast<uint8_t>(status);
    return &owned.record;
}

#endif
