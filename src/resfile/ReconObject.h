// ReconObject: a type whose fields are reconstituted from, or written to, a ReconStream.
#pragma once

#include <cstdint>

#include "resfile/ReconStream.h"
#include "resfile/ResTypes.h"

class ReconObject {
public:
    virtual ~ReconObject() = default;
    // Walks the object's fields against the stream; version is chosen by the caller and stored in
    // the block header. Must produce the same primitives when counting and when writing.
    virtual void Reconstitute(ReconStream& stream, int32_t version) { (void)stream; (void)version; }
    // The type code the object is stored under.
    virtual ResType GetResType() const { return kTypeRecon; }
};

// Adapts a payload type T with `void Reconstitute(ReconStream&, int32_t)` to ReconObject.
template <class T>
class SimpleReconObject : public ReconObject {
public:
    SimpleReconObject(T* payload, ResType type) : payload_(payload), type_(type) {}
    void Reconstitute(ReconStream& stream, int32_t version) override { payload_->Reconstitute(stream, version); }
    ResType GetResType() const override { return type_; }

private:
    T* payload_;  // not owned
    ResType type_;
};
