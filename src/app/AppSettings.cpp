// AppSettings: storage of the process-wide settings and the fixed directory and path lists.
#include "app/AppSettings.h"

#include "app/DirectoryList.h"

namespace {
int32_t gMagicCookie = 0;

std::string& GameDirectoryStorage() {
    static std::string directory;
    return directory;
}
}  // namespace

int32_t MagicCookie() { return gMagicCookie; }

void SetMagicCookie(int32_t cookie) { gMagicCookie = cookie; }

const std::string& GameDirectory() { return GameDirectoryStorage(); }

bool SetGameDirectory(const std::string& directory) {
    if (directory.size() + 1 > kMaxGameDirectoryBytes) return false;
    GameDirectoryStorage() = directory;
    return true;
}

const std::vector<std::string>& ObjectDirectories() {
    static const std::vector<std::string> directories = BuildDirectoryList(kObjectDirectoryText);
    return directories;
}

const std::vector<std::string>& InternalObjectPaths() {
    static const std::vector<std::string> paths = {
        ".\\gamedata\\objects\\animtester",        ".\\gamedata\\objects\\people\\bones",
        ".\\gamedata\\objects\\carportal",         ".\\gamedata\\objects\\comeandsee",
        ".\\gamedata\\objects\\cursors",           ".\\gamedata\\objects\\destination",
        ".\\gamedata\\objects\\dropdest",          ".\\gamedata\\objects\\people\\firefighter",
        ".\\gamedata\\objects\\people\\gardener",  ".\\gamedata\\objects\\helpsystem",
        ".\\gamedata\\objects\\jobfinder",         ".\\gamedata\\objects\\npccontroller",
        ".\\gamedata\\objects\\people\\maid",      ".\\gamedata\\objects\\people\\mailcarrierf1",
        ".\\gamedata\\objects\\people\\officer",   ".\\gamedata\\objects\\people\\papercarrierf1",
        ".\\gamedata\\objects\\pedportal",         ".\\gamedata\\objects\\phonecall",
        ".\\gamedata\\objects\\phoneline",         ".\\gamedata\\objects\\people\\pizzadude",
        ".\\gamedata\\objects\\placeholder",       ".\\gamedata\\objects\\people\\repairman",
        ".\\gamedata\\objects\\people\\repoman",   ".\\gamedata\\objects\\reservetile",
        ".\\gamedata\\objects\\scheduler",         ".\\gamedata\\objects\\socialinteractions",
        ".\\gamedata\\objects\\people\\socialwkr", ".\\gamedata\\objects\\people\\templateperson",
        ".\\gamedata\\objects\\people\\thief",     ".\\gamedata\\objects\\tutorial",
        ".\\gamedata\\objects\\visitgenerator",
    };
    return paths;
}
