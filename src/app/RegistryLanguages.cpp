// RegistryLanguages: the table of stored language names.
#include "app/RegistryLanguages.h"

namespace {

constexpr RegistryLanguage kRegistryLanguages[] = {
    {"USEnglish", 1},
    {"UKEnglish", 2},
    {"French", 3},
    {"German", 4},
    {"Italian", 5},
    {"Spanish", 6},
    {"Dutch", 7},
    {"Swedish", 9},
    {"Portuguese", 14},
    {"Japanese", 15},
    {"Polish", 16},
    {"SimplifiedChinese", 17},
    {"TraditionalChinese", 18},
    {"Thai", 19},
    {"Korean", 20},
};

}  // namespace

std::span<const RegistryLanguage> GetRegistryLanguages() { return kRegistryLanguages; }

int LanguageFromRegistryName(const std::string& name) {
    for (const RegistryLanguage& l : kRegistryLanguages)
        if (name == l.name) return l.code;
    return 0;
}
