// WriteImportResource: add, write, release and update, with the failing step reported.
#include "import/WriteImportResource.h"

#include "resfile/iResFile.h"

ResErr WriteImportResource(iResFile& file, ResType type, ResID id, std::string_view name,
                           const std::vector<uint8_t>& bytes, bool converted, ImportWriteStep* failed) {
    auto fail = [&](ImportWriteStep step, ResErr err) {
        if (failed) *failed = step;
        return err;
    };
    if (failed) *failed = ImportWriteStep::kNone;
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) return fail(ImportWriteStep::kAdd, kErrNoMemory);
    DataHandle* h = NewHandleFrom(bytes.data(), static_cast<int32_t>(bytes.size()));
    if (!h) return fail(ImportWriteStep::kAdd, kErrNoMemory);
    file.SetError(kNoErr);
    file.Add(h, type, id, name, converted);
    if (ResErr err = file.GetError(); err != kNoErr) {
        FreeHandle(h);  // a refused block stays ours
        return fail(ImportWriteStep::kAdd, err);
    }
    file.Write(h);
    if (ResErr err = file.GetError(); err != kNoErr) return fail(ImportWriteStep::kWrite, err);
    file.ReleaseAndFree(h);
    if (ResErr err = file.GetError(); err != kNoErr) return fail(ImportWriteStep::kWrite, err);
    file.Update();
    if (ResErr err = file.GetError(); err != kNoErr) return fail(ImportWriteStep::kUpdate, err);
    return kNoErr;
}
