// ObjectDefinitionFields: the one table of the object definition's named fields (name, offset, width, sign).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "objects/definitions/ObjectDefinition.h"

// One named field of the stored record. Exactly one of the two member pointers is set, matching the
// width. The table lists the fields in stored order, which is also the order in which text forms
// (the XML document, the command line) print them.
struct ObjectDefinitionField {
    const char* name;  // the attribute name of text forms, e.g. "catalogid"
    uint16_t offset;   // byte offset in the stored record
    uint8_t width;     // 2 or 4 bytes
    bool isSigned;     // every field is signed; kept so that readers of the table need not assume it
    int16_t ObjectDefinition::*member16;
    int32_t ObjectDefinition::*member32;
};

// Every named field, in stored order (89 fields, bytes 0..187; the reserved tail has no entry).
std::span<const ObjectDefinitionField> GetObjectDefinitionFields();
// The field with that exact (lower-case) name; null when there is none.
const ObjectDefinitionField* FindObjectDefinitionField(std::string_view name);
// The field's value, sign-extended to 32 bits.
inline int32_t GetFieldValue(const ObjectDefinition& def, const ObjectDefinitionField& field) {
    return field.member16 ? static_cast<int32_t>(def.*field.member16) : def.*field.member32;
}
// Stores a value; a 16-bit field keeps the low 16 bits.
inline void SetFieldValue(ObjectDefinition& def, const ObjectDefinitionField& field, int32_t value) {
    if (field.member16)
        def.*field.member16 = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFF));
    else
        def.*field.member32 = value;
}
