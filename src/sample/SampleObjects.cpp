// SampleObjects: GUID allocation and the common fields of the sample object definitions.
#include "sample/SampleObjects.h"

uint32_t SampleGuids::Make(const std::string& key, uint16_t cookie, SampleRandom& rng) {
    if (uint32_t known = Get(key)) return known;
    for (;;) {
        const uint32_t r = rng.Next32();
        const uint32_t guid = (r & 0xFF0000FFu) | (static_cast<uint32_t>(cookie) << 8);
        if (guid == 0 || used_.count(guid)) continue;
        used_.insert(guid);
        byKey_[key] = guid;
        return guid;
    }
}

uint32_t SampleGuids::Get(const std::string& key) const {
    auto found = byKey_.find(key);
    return found == byKey_.end() ? 0 : found->second;
}

ObjectDefinition MakeSampleDefinition(uint32_t guid, int16_t catalogId, int16_t price) {
    ObjectDefinition d;
    d.version = kObjectDefinitionVersion;
    d.initialstacksize = 4;
    d.guid = static_cast<int32_t>(guid);
    d.originalguid = static_cast<int32_t>(guid);
    d.catalogid = catalogId;
    d.price = price;
    d.saleprice = static_cast<int16_t>(price * 8 / 10);
    d.initialdepreciation = static_cast<int16_t>(price / 10);
    d.dailydepreciation = static_cast<int16_t>(price / 100);
    d.depreciationlimit = static_cast<int16_t>(price * 4 / 10);
    d.maintreeid = kSampleMainTree;
    d.inittreeid = kSampleInitTree;
    d.tilewidth = 12;
    d.objectversion = 1;
    d.shadowflags = 1;
    d.frontfacedirection = 0;
    return d;
}
