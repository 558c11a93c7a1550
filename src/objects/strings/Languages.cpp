// Languages: the language table and the process-wide current language.
#include "objects/strings/Languages.h"

namespace {

// In code order; the labels are shown to the user exactly as written.
const char* const kLanguageNames[kLanguageCount] = {"US English",
                                                    "UKEnglish",
                                                    "French",
                                                    "German",
                                                    "Italian",
                                                    "Spanish",
                                                    "Dutch",
                                                    "Danish",
                                                    "Swedish",
                                                    "Norwegian",
                                                    "Finnish",
                                                    "Hebrew",
                                                    "Russian",
                                                    "Portuguese",
                                                    "Japanese",
                                                    "Polish",
                                                    "Simplified Chinese",
                                                    "Traditional Chinese",
                                                    "Thai",
                                                    "Korean"};

int8_t gGameLanguage = kDefaultGameLanguage;

}  // namespace

const char* GetLanguageName(int index) { return IsLanguageIndex(index) ? kLanguageNames[index] : ""; }

int GameLanguage() { return gGameLanguage; }

bool SetGameLanguage(int code) {
    if (code < 1 || code > kLanguageCount) return false;
    gGameLanguage = static_cast<int8_t>(code);
    return true;
}

int LanguageIndex() { return gGameLanguage - 1; }
