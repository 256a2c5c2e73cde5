#include "filters/common/record_fields.h"

#include <cstdlib>
#include <cstring>

void ClearField(FieldText& field)
{
    field.text.clear();
    field.present = false;
}

void ClearFields(RecordFields& fields)
{
    for (FieldText& field : fields.texts)
        ClearField(field);
    fields.sourceType = kRecordJournal;
}

void SetField(FieldText& field, std::string_view text)
{
    field.text.assign(text.data(), text.size());
    field.present = true;
}

void SetFieldIfEmpty(FieldText& field, std::string_view text)
{
    if (field.text.empty())
        SetField(field, text);
}

void AppendField(FieldText& field, std::string_view separator, std::string_view text)
{
    if (!field.text.empty())
        field.text.append(separator.data(), separator.size());
    field.text.append(text.data(), text.size());
    field.present = true;
}

void AppendLine(FieldText& field, std::string_view separator, std::string_view text)
{
    if (field.present)
        field.text.append(separator.data(), separator.size());
    field.text.append(text.data(), text.size());
    field.present = true;
}

void ReleaseRecord(OwnedRecord& owned)
{
    std::free(owned.block);
    owned.block = nullptr;
    owned.record.status = kRecordDelivered;
    owned.record.sourceType = kRecordJournal;
    for (int i = 0; i < kRecordTextCount; ++i)
        SetRecordText(owned.record, i, nullptr);
}

bool PublishRecord(OwnedRecord& owned, const RecordFields& fields)
{
    ReleaseRecord(owned);
    owned.record.sourceType = static_cast<uint8_t>(fields.sourceType);
    size_t total = 0;
    for (const FieldText& field : fields.texts)
        total += field.present ? field.text.size() + 1 : 0;
    if (total == 0)
        return true;
    owned.block = static_cast<char*>(std::malloc(total));
    if (owned.block == nullptr)
        return false;
    char* at = owned.block;
    for (int i = 0; i < kRecordTextCount; ++i) {
        const FieldText& field = fields.texts[i];
        if (!field.present)
            continue;
        std::memcpy(at, field.text.c_str(), field.text.size() + 1);
        SetRecordText(owned.record, i, at);
        at += field.text.size() + 1;
    }
    return true;
}

FilterRecord* NoRecord()
{
    static FilterRecord none{};
    none = FilterRecord{};
    none.status = kRecordNone;
    return &none;
}
