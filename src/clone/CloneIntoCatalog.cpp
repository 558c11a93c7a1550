// CloneIntoCatalog: the clone dialog's OK sequence, shared by the dialog and the command line.
#include "clone/CloneIntoCatalog.h"

#include "app/AppSettings.h"
#include "app/ObjectCatalog.h"
#include "app/ObjectFile.h"
#include "app/Progress.h"
#include "app/Prompt.h"
#include "app/SettingsStore.h"
#include "clone/CloneName.h"
#include "clone/CloneObjectFile.h"
#include "resfile/CTGFileManager.h"
#include "resfile/CommitScope.h"
#include "resfile/StdResFile.h"
#include "tools/CollectGarbage.h"

void StoreMagicCookie(int32_t cookie) {
    SetMagicCookie(cookie);
    SettingsStore::FromEnvironment().WriteMagicCookie(cookie);
}

std::string DefaultCloneName(const ObjectCatalog& catalog, const ObjectFile& source) {
    std::string path;
    if (source.file) source.file->GetPath(path);
    if (path.empty()) path = DisplayNameOf(source.path);
    return MakeDefaultCloneName(path, [&](const std::string& name) { return catalog.IsNameUnique(name); });
}

bool IsCloneNameUnique(const ObjectCatalog& catalog, const std::string& nameText) {
    std::string name = nameText;
    SanitizeCloneName(name);
    return catalog.IsNameUnique(name);
}

bool CanClone(const ObjectCatalog& catalog, const CloneSettings& settings) {
    bool any = false;
    for (bool selected : settings.selectedRoots) any = any || selected;
    return any && IsCloneNameUnique(catalog, settings.nameText);
}

CloneOutcome RunClone(ObjectCatalog& catalog, ObjectFile& source, const CloneSettings& settings,
                      const std::function<uint32_t()>& mix) {
    StoreMagicCookie(settings.cookie);
    std::string name = settings.nameText.substr(0, kMaxCloneNameLength);
    SanitizeCloneName(name);
    CTGFileManager::Instance().CreateDirectory(CloneDirectory);
    CloneOutcome outcome;
    outcome.path = CloneFilePath(name);
    for (ObjectEntry* root : source.roots) {
        size_t i = static_cast<size_t>(root->rootIndex);
        root->selectedForClone = i < settings.selectedRoots.size() && settings.selectedRoots[i];
    }

    // The new file reaches the disk once, complete and garbage collected, or not at all.
    CommitScope commit;
    CloneResult result = CloneObjectFile(source, name, outcome.path, catalog, settings.cookie, mix);
    ObjectFile* added = nullptr;
    if (result.ok) {
        added = catalog.AddClonedFile(std::move(result.file), result.path);
        LoadObjectFile(*added, true);
        CollectGarbage(*added);
        if (ResErr err = commit.Finish()) {
            // Nothing of the clone stays behind: its file never reached the disk.
            CTGFileManager::Instance().Delete(outcome.path);
            catalog.DeleteFile(added);
            result.ok = false;
            result.error = "Could not write the new object file, error #" + std::to_string(err) + "!";
        }
    }
    if (result.ok) {
        ProgressLog(1, kCloneSuccessLine, kProgressStyleSuccess, 0, 128, 0);
        ProgressEnd();
        outcome.ok = true;
        outcome.file = added;
        return outcome;
    }
    outcome.error = result.error;
    std::string text = "Error cloning object: " + result.error + "\r\n";
    ProgressLog(0, text.c_str(), kProgressStyleError, 255, 0, 0);
    ShowMessageBox(kCloneErrorTitle, text, MessageKind::Error);
    ProgressEnd();
    return outcome;
}
