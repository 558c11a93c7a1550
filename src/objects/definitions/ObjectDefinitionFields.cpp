// ObjectDefinitionFields: the field table; the only place that knows where each field lies in the record.
#include "objects/definitions/ObjectDefinitionFields.h"

namespace {

#define F16(field, offset) \
    { #field, offset, 2, true, &ObjectDefinition::field, nullptr }
#define F32(field, offset) \
    { #field, offset, 4, true, nullptr, &ObjectDefinition::field }

constexpr ObjectDefinitionField kFields[] = {
    F32(version, 0),
    F16(initialstacksize, 4),
    F16(basegraphic, 6),
    F16(numgraphics, 8),
    F16(maintreeid, 10),
    F16(gardeningtreeid, 12),
    F16(treetableid, 14),
    F16(interactiongroup, 16),
    F16(type, 18),
    F16(masterid, 20),
    F16(subindex, 22),
    F16(washhandstreeid, 24),
    F16(animtableid, 26),
    F32(guid, 28),
    F16(disabled, 32),
    F16(portaltreeid, 34),
    F16(price, 36),
    F16(bodystringsid, 38),
    F16(slotsid, 40),
    F16(allowintersectiontreeid, 42),
    F16(usesfntable, 44),
    F16(unused4, 46),
    F16(preptreeid, 48),
    F16(cooktreeid, 50),
    F16(surfacetreeid, 52),
    F16(disposetreeid, 54),
    F16(foodtreeid, 56),
    F16(pickupfromslottreeid, 58),
    F16(washdishtreeid, 60),
    F16(eatingsurfacetreeid, 62),
    F16(sittreeid, 64),
    F16(standtreeid, 66),
    F16(saleprice, 68),
    F16(initialdepreciation, 70),
    F16(dailydepreciation, 72),
    F16(selfdepreciating, 74),
    F16(depreciationlimit, 76),
    F16(roomflags, 78),
    F16(functionflags, 80),
    F16(catalogid, 82),
    F16(globalsimulationobject, 84),
    F16(inittreeid, 86),
    F16(placementtreeid, 88),
    F16(userpickuptreeid, 90),
    F16(wallstyle, 92),
    F16(loadtreeid, 94),
    F16(userplacementtreeid, 96),
    F16(objectversion, 98),
    F16(roomchangedtreeid, 100),
    F16(motiveeffectsid, 102),
    F16(cleanuptreeid, 104),
    F16(levelinforequesttreeid, 106),
    F16(catalogpopupid, 108),
    F16(servingsurfacetreeid, 110),
    F16(leveloffset, 112),
    F16(shadow, 114),
    F16(numattributes, 116),
    F16(cleantreeid, 118),
    F16(queueskippedtreeid, 120),
    F16(frontfacedirection, 122),
    F16(walladjacencychangedtreeid, 124),
    F16(leadobject, 126),
    F16(dynspritebaseid, 128),
    F16(numdynsprites, 130),
    F16(chairentryflags, 132),
    F16(tilewidth, 134),
    F16(suitnotcopyable, 136),
    F16(buildmodetype, 138),
    F32(originalguid, 140),
    F32(originalsuitguid, 144),
    F16(pickuptreeid, 148),
    F16(thumbnailgraphicindex, 150),
    F16(shadowflags, 152),
    F16(footprintinsetmask, 154),
    F16(mtadjupdatetreeid, 156),
    F16(shadowbrightness, 158),
    F16(repairtreeid, 160),
    F16(customwallstyleid, 162),
    F16(ratinghunger, 164),
    F16(ratingcomfort, 166),
    F16(ratinghygiene, 168),
    F16(ratingbladder, 170),
    F16(ratingenergy, 172),
    F16(ratingfun, 174),
    F16(ratingroom, 176),
    F16(ratingskillflags, 178),
    F16(numtypeattributes, 180),
    F16(miscflags, 182),
    F32(typeattrguid, 184),
};

#undef F16
#undef F32

// The fields follow one another without gaps from byte 0 and end where the reserved tail begins.
constexpr bool FieldsAreContiguous() {
    size_t next = 0;
    for (const ObjectDefinitionField& f : kFields) {
        if (f.offset != next || (f.width == 2) != (f.member16 != nullptr) || (f.width == 4) != (f.member32 != nullptr))
            return false;
        next += f.width;
    }
    return next == kObjectDefinitionReservedOffset;
}
static_assert(FieldsAreContiguous());
static_assert(kObjectDefinitionReservedOffset + kObjectDefinitionReservedSize == kObjectDefinitionSize);

}  // namespace

std::span<const ObjectDefinitionField> GetObjectDefinitionFields() { return kFields; }

const ObjectDefinitionField* FindObjectDefinitionField(std::string_view name) {
    for (const ObjectDefinitionField& f : kFields)
        if (name == f.name) return &f;
    return nullptr;
}
