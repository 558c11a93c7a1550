// ObjectDefinition: the 216-byte OBJD record, its version upgrade, load and store, and multi-tile facts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resfile/DataHandle.h"
#include "resfile/ResErrors.h"
#include "resfile/ResTypes.h"

class iResFile;

constexpr int32_t kObjectDefinitionVersion = 138;
constexpr size_t kObjectDefinitionSize = 216;
constexpr size_t kObjectDefinitionReservedOffset = 188;
constexpr size_t kObjectDefinitionReservedSize = 28;
// The resource name given to a record stored under an id that has no OBJD resource yet.
constexpr const char* kUnnamedObjectName = "unnamed object";

// One object of an object file. The stored form is little-endian, in the order of the members below,
// with no gaps; the byte offset and width of every named field live in one table
// (objects/ObjectDefinitionFields.h), which parsing and writing walk. Every field is signed.
struct ObjectDefinition {
    int32_t version = kObjectDefinitionVersion;
    int16_t initialstacksize = 0;
    int16_t basegraphic = 0;
    int16_t numgraphics = 0;
    int16_t maintreeid = 0;
    int16_t gardeningtreeid = 0;
    int16_t treetableid = 0;
    int16_t interactiongroup = 0;
    int16_t type = 0;
    int16_t masterid = 0;
    int16_t subindex = 0;
    int16_t washhandstreeid = 0;
    int16_t animtableid = 0;
    int32_t guid = 0;
    int16_t disabled = 0;
    int16_t portaltreeid = 0;
    int16_t price = 0;
    int16_t bodystringsid = 0;
    int16_t slotsid = 0;
    int16_t allowintersectiontreeid = 0;
    int16_t usesfntable = 0;
    int16_t unused4 = 0;
    int16_t preptreeid = 0;
    int16_t cooktreeid = 0;
    int16_t surfacetreeid = 0;
    int16_t disposetreeid = 0;
    int16_t foodtreeid = 0;
    int16_t pickupfromslottreeid = 0;
    int16_t washdishtreeid = 0;
    int16_t eatingsurfacetreeid = 0;
    int16_t sittreeid = 0;
    int16_t standtreeid = 0;
    int16_t saleprice = 0;
    int16_t initialdepreciation = 0;
    int16_t dailydepreciation = 0;
    int16_t selfdepreciating = 0;
    int16_t depreciationlimit = 0;
    int16_t roomflags = 0;
    int16_t functionflags = 0;
    int16_t catalogid = 0;
    int16_t globalsimulationobject = 0;
    int16_t inittreeid = 0;
    int16_t placementtreeid = 0;
    int16_t userpickuptreeid = 0;
    int16_t wallstyle = 0;
    int16_t loadtreeid = 0;
    int16_t userplacementtreeid = 0;
    int16_t objectversion = 0;
    int16_t roomchangedtreeid = 0;
    int16_t motiveeffectsid = 0;
    int16_t cleanuptreeid = 0;
    int16_t levelinforequesttreeid = 0;
    int16_t catalogpopupid = 0;
    int16_t servingsurfacetreeid = 0;
    int16_t leveloffset = 0;
    int16_t shadow = 0;
    int16_t numattributes = 0;
    int16_t cleantreeid = 0;
    int16_t queueskippedtreeid = 0;
    int16_t frontfacedirection = 0;
    int16_t walladjacencychangedtreeid = 0;
    int16_t leadobject = 0;
    int16_t dynspritebaseid = 0;
    int16_t numdynsprites = 0;
    int16_t chairentryflags = 0;
    int16_t tilewidth = 0;
    int16_t suitnotcopyable = 0;
    int16_t buildmodetype = 0;
    int32_t originalguid = 0;
    int32_t originalsuitguid = 0;
    int16_t pickuptreeid = 0;
    int16_t thumbnailgraphicindex = 0;
    int16_t shadowflags = 0;
    int16_t footprintinsetmask = 0;
    int16_t mtadjupdatetreeid = 0;
    int16_t shadowbrightness = 0;
    int16_t repairtreeid = 0;
    int16_t customwallstyleid = 0;
    int16_t ratinghunger = 0;
    int16_t ratingcomfort = 0;
    int16_t ratinghygiene = 0;
    int16_t ratingbladder = 0;
    int16_t ratingenergy = 0;
    int16_t ratingfun = 0;
    int16_t ratingroom = 0;
    int16_t ratingskillflags = 0;
    int16_t numtypeattributes = 0;
    int16_t miscflags = 0;
    int32_t typeattrguid = 0;
    // Unnamed tail: carried untouched by every edit, zero when a shorter record was upgraded or padded.
    std::array<uint8_t, kObjectDefinitionReservedSize> reserved{};

    bool operator==(const ObjectDefinition&) const = default;
};

using ObjectDefinitionBytes = std::array<uint8_t, kObjectDefinitionSize>;

// The fix-up handed to the loader for OBJD data: the record is stored in host order, so it does nothing.
void FixupObjectDefinition(uint8_t* data, int32_t size);

// Brings a fetched block of any size to the current form in place: versions 136 and 137 become 138
// with the 16-bit words from the old end up to byte 216 zeroed; any other version is only cut or
// zero-padded to 216 bytes. True when a version was upgraded. A block that cannot grow (no memory)
// is left as it was and false is returned; its size then tells the caller.
bool NormalizeObjectDefinition(std::vector<uint8_t>& bytes);
bool NormalizeObjectDefinition(DataHandle* data);

// Reads a record from the first 216 bytes; false (out unchanged) when fewer bytes are given.
bool ParseObjectDefinition(const uint8_t* data, size_t size, ObjectDefinition& out);
// The 216 stored bytes of a record.
ObjectDefinitionBytes SerializeObjectDefinition(const ObjectDefinition& def);

// Fetches (OBJD, id), takes its name, normalises a copy of its data and copies the record, then gives
// the resource back. Returns 0, or the file's error code when the resource is missing (out and name
// unchanged), or kErrNoMemory when the block could not be brought to 216 bytes.
ResErr LoadObjectDefinition(iResFile& file, ResID id, ObjectDefinition& out, std::string* name = nullptr);
// The same for data already fetched by the caller (by index, say): normalises a copy. False when the
// copy could not be made.
bool ObjectDefinitionFromData(const DataHandle& data, ObjectDefinition& out);
// Replaces (OBJD, id) with the record, marked converted, under the name of the existing resource of
// that id or "unnamed object" when there is none. Nothing happens, and 0 is returned, on a read-only
// file. Returns 0 or the error code of the failed step (kErrNoMemory when no block could be made).
ResErr StoreObjectDefinition(iResFile& file, ResID id, const ObjectDefinition& def);

// True for the lead object of a multi-tile group: masterid != 0 and subindex == -1.
inline bool IsMultiTileLead(const ObjectDefinition& def) { return def.masterid != 0 && def.subindex == -1; }
// True for one tile of a multi-tile group: masterid != 0 and subindex != -1.
inline bool IsMultiTileTile(const ObjectDefinition& def) { return def.masterid != 0 && def.subindex != -1; }
