// EditObjectProperties: the property table of the definition editor and the reading and showing of each kind.
#include "objects/definitions/EditObjectProperties.h"

#include <cstdio>
#include <limits>

#include "objects/definitions/ObjectDefinitionFields.h"

namespace {

// clang-format off
constexpr ObjectProperty kProperties[] = {
    {"Name",
     "The name of the object, as it appears in the catalog.",
     PropertyKind::Text, PropertySource::CatalogStrings, 0,
     ""},
    {"Description",
     "The description of the object, as it appears in the catalog.",
     PropertyKind::LongText, PropertySource::CatalogStrings, 1,
     ""},
    {"Price",
     "The price of the object, when it is initially sold.",
     PropertyKind::Decimal, PropertySource::Definition, 2,
     ""},
    {"Self Depreciating",
     "The self depreciating flag of the object. If true, then the object's tree code handles depreciating "
     "(lowering) the value of the object over time. If false, then the simulator automatically handles "
     "depreciating the value, based on the Initial Depreciation, Daily Depreciation and Depreciation "
     "Limit properties.",
     PropertyKind::Boolean, PropertySource::Definition, 6,
     ""},
    {"Initial Depreciation",
     "The initial depreciation of the object, only used if Self Depreciating is false. The value of the "
     "object is lowered by this amount, the first day after you buy it.",
     PropertyKind::Decimal, PropertySource::Definition, 4,
     ""},
    {"Daily Depreciation",
     "The daily depreciation of the object, only used if Self Depreciating is false. The value of the "
     "object is lowered by this amount, every day after the first day you bought it.",
     PropertyKind::Decimal, PropertySource::Definition, 5,
     ""},
    {"Depreciation Limit",
     "The depreciation limit of the object, only used if Self Depreciating is false. The value of an "
     "object will not fall below this limit after you buy it.",
     PropertyKind::Decimal, PropertySource::Definition, 7,
     ""},
    {"Hunger Rating",
     "The hunger rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 8,
     ""},
    {"Comfort Rating",
     "The comfort rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 9,
     ""},
    {"Hygiene Rating",
     "The hygiene rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 10,
     ""},
    {"Bladder Rating",
     "The bladder rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 11,
     ""},
    {"Energy Rating",
     "The energy rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 12,
     ""},
    {"Fun Rating",
     "The fun rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 13,
     ""},
    {"Room Rating",
     "The room rating of the object. (Note: This doesn't actually effect behavior, just the catalog "
     "description.)",
     PropertyKind::Decimal, PropertySource::Definition, 14,
     ""},
    {"Rating Skill Flags",
     "The rating skill flags of the object. (Note: This doesn't actually effect behavior, just the "
     "catalog description.)",
     PropertyKind::FlagList, PropertySource::Definition, 15,
     "Cooking,Mechanical,Logic,Body,Creativity,Charisma,Study"},
    {"GUID",
     "Globally Unique ID Number, that identifies this object. This should be different from the GUIDs of "
     "all other objects. The middle 4 digits (16 bits) of the 8 digit (32 bit) hex number contain the "
     "magic cookie (xxMMMMxx).",
     PropertyKind::Hex32, PropertySource::Definition, 16,
     ""},
    {"Base Graphic",
     "The resource ID of the first draw group. If you modify this, make sure it corresponds with the draw "
     "groups (that you can change in the xml file).",
     PropertyKind::Decimal, PropertySource::Definition, 17,
     ""},
    {"Number of Graphics",
     "The number of DrawGroup resources. If you modify this, make sure it corresponds with the draw "
     "groups (that you can change in the xml file).",
     PropertyKind::Decimal, PropertySource::Definition, 18,
     ""},
    {"Dynamic Sprite Base ID",
     "The resource ID of the first dynamic sprite. If you modify this, make sure it corresponds with the "
     "draw groups (that you can change in the xml file).",
     PropertyKind::Decimal, PropertySource::Definition, 19,
     ""},
    {"Number of Dynamic Sprites",
     "The number of dynamic sprite resources. If you modify this, make sure it corresponds with the draw "
     "groups (that you can change in the xml file).",
     PropertyKind::Decimal, PropertySource::Definition, 20,
     ""},
    {"Thumbnail Graphic Index",
     "The index of the draw group to use in the thumbnail view. If you modify this, make sure it "
     "corresponds with the draw groups (that you can change in the xml file).",
     PropertyKind::Decimal, PropertySource::Definition, 21,
     ""},
    {"Room Flags",
     "The room flags of the object. These categorize the object in the catalog by room type.",
     PropertyKind::FlagList, PropertySource::Definition, 22,
     "Kitchen,Bedroom,Bathroom,Family Room,Outside,Dining Room,Miscellaneous,Study"},
    {"Function Flags",
     "The function flags of the object. These categorize the object in the catalog by function.",
     PropertyKind::FlagList, PropertySource::Definition, 23,
     "Seating,Surfaces,Appliances,Electronics,Plumbing,Decorative,General,Lighting"},
    {"Wall Style",
     "The wall style of the object, only used by windows and doors. This controls the hole the object "
     "punches in the wall.",
     PropertyKind::ChoiceList, PropertySource::Definition, 24,
     "None=0,Normal=1,Door=3,French Door=15,Door Left=5,Door Right=6,"
     "Fence 1=2,Fence 2=12,Fence 3=13,Fence 4=14,Custom=22"},
    {"Custom Wall Style ID",
     "The custom wall style id of the object, only used by windows and doors. ",
     PropertyKind::Decimal, PropertySource::Definition, 34,
     ""},
    {"Shadow",
     "The shadow code of the object. Used to control shape of shadows under multi tile objects. -1 for no "
     "shadow. 0 for default shadow. Bits for shadows of multi tile objects: NorthEast=1, NorthWest=2, "
     "SouthWest=4, SouthEast=8, North=16, West=32, South=64, East=128.",
     PropertyKind::Decimal, PropertySource::Definition, 25,
     ""},
    {"Shadow Flags",
     "The shadow flags the object.",
     PropertyKind::FlagList, PropertySource::Definition, 26,
     "Thumbnail Has Shadow,Runtime Has Shadow (not used)"},
    {"Shadow Brightness",
     "The shadow brightness of the object. 0 is normal. Larger is brighter. ",
     PropertyKind::Decimal, PropertySource::Definition, 27,
     ""},
    {"Front Face Direction",
     "The front face direction of the object. The direction that should be considered the front, when "
     "placing the object. ",
     PropertyKind::ChoiceList, PropertySource::Definition, 28,
     "Front=0,Right=2,Back=4,Left=6"},
    {"Chair Entry Flags",
     "The chair entry flags of the object, only used by chairs. Controls the directions from which people "
     "are allowed to enter the chair.",
     PropertyKind::FlagList, PropertySource::Definition, 29,
     "Front,Front Right,Right,Back Right,Back,Back Left,Left,Front Left"},
    {"Tile Width",
     "The tile width of the object. Should be even! Controls how close people can walk next to the "
     "object. The larger the wider, in 1/16 tile units.",
     PropertyKind::Decimal, PropertySource::Definition, 30,
     ""},
    {"Footprint Inset Mask",
     "The footprint inset mask of the object, as a 4 digit (16 bit) hex number. 4 bit fields for North "
     "(0x000f), East (0x00f0), South (0x0f00) and West (0xf000). Each bit field contains a 4 bit number "
     "that is added to the inset of the corresponding edge, to extend the edges of the object out in 1/16 "
     "tile units. ",
     PropertyKind::Hex16, PropertySource::Definition, 31,
     ""},
    {"Misc Flags",
     "The miscellaneous flags of the object.",
     PropertyKind::FlagList, PropertySource::Definition, 33,
     "Hard to Click,Clear Attributes With Tutorial Reset"},
    {"Build Mode Type",
     "The build mode type of the object, used by architectural objects like doors and windows. This "
     "categorizes the object in the build mode catalog.",
     PropertyKind::ChoiceList, PropertySource::Definition, 35,
     "None,Door,Window,Stair,Plants,Fireplace,Column,Pool"},
    {"Disabled",
     "The disabled flag of the object. If true, the object won't show up in the catalog.",
     PropertyKind::Boolean, PropertySource::Definition, 36,
     ""},
};
// clang-format on

// The record field of each property code of source 1.
struct CodeField {
    int code;
    const char* field;
};
constexpr CodeField kCodeFields[] = {
    {2, "price"},
    {4, "initialdepreciation"},
    {5, "dailydepreciation"},
    {6, "selfdepreciating"},
    {7, "depreciationlimit"},
    {8, "ratinghunger"},
    {9, "ratingcomfort"},
    {10, "ratinghygiene"},
    {11, "ratingbladder"},
    {12, "ratingenergy"},
    {13, "ratingfun"},
    {14, "ratingroom"},
    {15, "ratingskillflags"},
    {16, "guid"},
    {17, "basegraphic"},
    {18, "numgraphics"},
    {19, "dynspritebaseid"},
    {20, "numdynsprites"},
    {21, "thumbnailgraphicindex"},
    {22, "roomflags"},
    {23, "functionflags"},
    {24, "wallstyle"},
    {25, "shadow"},
    {26, "shadowflags"},
    {27, "shadowbrightness"},
    {28, "frontfacedirection"},
    {29, "chairentryflags"},
    {30, "tilewidth"},
    {31, "footprintinsetmask"},
    {33, "miscflags"},
    {34, "customwallstyleid"},
    {35, "buildmodetype"},
    {36, "disabled"},
};

const char* FieldNameOfCode(int code) {
    for (const CodeField& c : kCodeFields)
        if (c.code == code) return c.field;
    return nullptr;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsFolded(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsListKind(PropertyKind kind) { return kind == PropertyKind::FlagList || kind == PropertyKind::ChoiceList; }

}  // namespace

std::span<const ObjectProperty> GetObjectProperties() { return kProperties; }

const ObjectProperty* FindObjectProperty(std::string_view labelOrField) {
    for (const ObjectProperty& p : kProperties) {
        if (EqualsFolded(p.label, labelOrField)) return &p;
        const char* field = FieldNameOfCode(p.code);
        if (field && EqualsFolded(field, labelOrField)) return &p;
    }
    return nullptr;
}

const ObjectDefinitionField* GetPropertyField(const ObjectProperty& property) {
    if (property.source != PropertySource::Definition) return nullptr;
    const char* field = FieldNameOfCode(property.code);
    return field ? FindObjectDefinitionField(field) : nullptr;
}

std::vector<PropertyChoice> ParsePropertyChoices(const ObjectProperty& property) {
    std::vector<PropertyChoice> out;
    if (!IsListKind(property.kind) || !property.choices[0]) return out;
    std::string_view rest = property.choices;
    int32_t next = 0;
    int32_t bit = 0;
    for (;;) {
        size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        PropertyChoice choice;
        if (property.kind == PropertyKind::FlagList) {
            choice.label = std::string(item);
            choice.value = bit++;
        } else {
            size_t eq = item.find('=');
            choice.label = std::string(item.substr(0, eq));
            choice.value = eq == std::string_view::npos ? next : ParseLeadingDecimal(item.substr(eq + 1));
            next = choice.value + 1;
        }
        out.push_back(std::move(choice));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return out;
}

int32_t GetPropertyValue(const ObjectDefinition& def, const ObjectProperty& property) {
    const ObjectDefinitionField* field = GetPropertyField(property);
    return field ? GetFieldValue(def, *field) : 0;
}

void SetPropertyValue(ObjectDefinition& def, const ObjectProperty& property, int32_t value) {
    if (const ObjectDefinitionField* field = GetPropertyField(property)) SetFieldValue(def, *field, value);
}

std::string FormatPropertyValue(const ObjectProperty& property, int32_t value) {
    char text[16];
    switch (property.kind) {
        case PropertyKind::Decimal:
            std::snprintf(text, sizeof text, "%d", value);
            break;
        // The sign-extended value: 0xF000 shows as FFFFF000.
        case PropertyKind::Hex16:
            std::snprintf(text, sizeof text, "%04X", static_cast<uint32_t>(value));
            break;
        case PropertyKind::Hex32:
            std::snprintf(text, sizeof text, "%08X", static_cast<uint32_t>(value));
            break;
        default:
            return std::string();
    }
    return text;
}

int32_t ParsePropertyText(const ObjectProperty& property, std::string_view text) {
    switch (property.kind) {
        case PropertyKind::Decimal:
            return ParseLeadingDecimal(text);
        case PropertyKind::Hex16:
        case PropertyKind::Hex32:
            return static_cast<int32_t>(ParseLeadingHex(text));
        default:
            return 0;
    }
}

std::vector<bool> SelectionForValue(const ObjectProperty& property, int32_t value) {
    std::vector<PropertyChoice> choices = ParsePropertyChoices(property);
    std::vector<bool> selected(choices.size(), false);
    if (property.kind == PropertyKind::FlagList) {
        for (size_t i = 0; i < choices.size() && i < 32; ++i) selected[i] = (static_cast<uint32_t>(value) >> i) & 1u;
    } else {
        for (size_t i = 0; i < choices.size(); ++i)
            if (choices[i].value == value) {
                selected[i] = true;
                break;
            }
    }
    return selected;
}

int32_t ValueForSelection(const ObjectProperty& property, const std::vector<bool>& selected) {
    std::vector<PropertyChoice> choices = ParsePropertyChoices(property);
    if (property.kind == PropertyKind::FlagList) {
        uint32_t bits = 0;
        for (size_t i = 0; i < choices.size() && i < selected.size() && i < 32; ++i)
            if (selected[i]) bits |= 1u << i;
        return static_cast<int32_t>(bits);
    }
    for (size_t i = 0; i < choices.size() && i < selected.size(); ++i)
        if (selected[i]) return choices[i].value;
    return 0;
}

int32_t ParseLeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t magnitude = 0;
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    int64_t v = negative ? -magnitude : magnitude;
    if (v > std::numeric_limits<int32_t>::max()) v = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

uint32_t ParseLeadingHex(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && i + 2 < text.size() &&
        HexDigit(text[i + 2]) >= 0)
        i += 2;
    uint64_t v = 0;
    for (; i < text.size() && HexDigit(text[i]) >= 0; ++i) {
        v = v * 16 + static_cast<uint64_t>(HexDigit(text[i]));
        if (v > 0xFFFFFFFFu) v = 0xFFFFFFFFu;
    }
    uint32_t result = static_cast<uint32_t>(v);
    return negative ? 0u - result : result;
}
