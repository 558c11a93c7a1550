// Languages: the 20 languages that string sets hold and the process-wide current language.
#pragma once

#include <cstdint>

// Languages are numbered by code 1..20 (the form the newest string set layout stores) and, inside
// string sets, by index 0..19 (code - 1). Index 0, US English, is the base language that the other
// languages fall back to.
constexpr int kLanguageCount = 20;
constexpr int kUSEnglishIndex = 0;
constexpr int kUKEnglishIndex = 1;
constexpr int kDefaultGameLanguage = 1;

// The label of a language as listed to the user ("US English", "UKEnglish", ...); "" for an index
// outside 0..19.
const char* GetLanguageName(int index);

// The current language code, 1..20; 1 (US English) until something sets it.
int GameLanguage();
// Makes `code` the current language for the rest of the run; false (and no change) outside 1..20.
bool SetGameLanguage(int code);
// The current language as a string set index: GameLanguage() - 1.
int LanguageIndex();
// True for 0..19.
inline bool IsLanguageIndex(int index) { return index >= 0 && index < kLanguageCount; }
