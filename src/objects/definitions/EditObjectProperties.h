// EditObjectProperties: the editable properties of an object with their editor kinds, choice lists and help texts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "objects/definitions/ObjectDefinition.h"

struct ObjectDefinitionField;

// How a property is shown and read back.
enum class PropertyKind : int {
    Decimal = 1,     // single-line edit, "%d" of the sign-extended value; read as a leading decimal number
    Hex16 = 2,       // single-line edit, "%04X" of the sign-extended value; read as hexadecimal
    Hex32 = 3,       // single-line edit, "%08X"; read as hexadecimal
    Boolean = 5,     // check box "Boolean"; stores 1 or 0
    FlagList = 6,    // multi-selection list, one line per bit from bit 0
    Text = 7,        // single-line edit of a text
    LongText = 8,    // multi-line edit of a text
    ChoiceList = 9,  // single-selection list, each line carrying its value
};

// Where a property lives.
enum class PropertySource : int {
    Definition = 1,      // a field of the object definition record
    CatalogStrings = 2,  // the catalogue name or description
};

// Property codes of the two catalogue texts and of the GUID (every other code names a record field).
constexpr int kPropertyCatalogName = 0;
constexpr int kPropertyCatalogDescription = 1;
constexpr int kPropertyGuid = 16;

struct ObjectProperty {
    const char* label;
    const char* help;
    PropertyKind kind;
    PropertySource source;
    int code;
    const char* choices;  // comma-separated; "" when unused
};

// One line of a list editor: its label and, for single-selection lists, its value.
struct PropertyChoice {
    std::string label;
    int32_t value = 0;
};

// Every row of the definition editor, in list order (35 rows).
std::span<const ObjectProperty> GetObjectProperties();
// The row whose label matches (ASCII case ignored), or whose record field name or catalogue text name ("name",
// "description") is the given text; null when none.
const ObjectProperty* FindObjectProperty(std::string_view labelOrField);
// The record field a property of source 1 shows and stores; null for the catalogue texts and unknown codes.
const ObjectDefinitionField* GetPropertyField(const ObjectProperty& property);

// The lines of a list editor. Single-selection lists: "label=N" has value N, an item without '=' the previous
// value plus one (the first 0). Flag lists: plain labels, the value of line i is i.
std::vector<PropertyChoice> ParsePropertyChoices(const ObjectProperty& property);

// A record property's value, sign-extended (the GUID as its 32 bits); 0 for a catalogue text.
int32_t GetPropertyValue(const ObjectDefinition& def, const ObjectProperty& property);
// Stores a value; 16-bit fields keep the low 16 bits. Nothing for a catalogue text.
void SetPropertyValue(ObjectDefinition& def, const ObjectProperty& property, int32_t value);

// The text a single-line edit shows for a record property of kinds 1, 2 and 3 ("" for other kinds).
std::string FormatPropertyValue(const ObjectProperty& property, int32_t value);
// The value a single-line edit's text reads back as for kinds 1, 2 and 3 (0 for other kinds).
int32_t ParsePropertyText(const ObjectProperty& property, std::string_view text);

// The selection a list editor shows for a value: flag lists select line i when bit i is set; single-selection
// lists select the first line whose value equals it (none when no line has it).
std::vector<bool> SelectionForValue(const ObjectProperty& property, int32_t value);
// The value a list selection reads back as: bit i for each selected line i of a flag list (bits past the list
// are cleared); the value of the first selected line of a single-selection list (0 when none).
int32_t ValueForSelection(const ObjectProperty& property, const std::vector<bool>& selected);

// The number at the start of a text as atoi reads it (blanks, sign, digits; 0 when none), clamped to 32 bits.
int32_t ParseLeadingDecimal(std::string_view text);
// The number at the start of a text as "%x" reads it (blanks, sign, optional 0x, hex digits; 0 when none),
// saturated at 0xFFFFFFFF.
uint32_t ParseLeadingHex(std::string_view text);
