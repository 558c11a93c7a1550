// StringResourceText: header line and numbered strings of a string set in the current language.
#include "tools/StringResourceText.h"

#include <cstdio>

#include "objects/strings/Languages.h"
#include "objects/strings/StringSet.h"

StringResourceView StringResourceText(iResFile& file, ResID id) {
    StringSet set;
    int count = 0;
    std::string name;
    const bool read = set.ReadStringTable(&file, id, false) == 0;
    if (read) {
        count = set.Count(LanguageIndex());
        name = set.GetName();
    }
    StringResourceView view;
    view.read = read;
    view.title = "String Resouce Editor: #" + std::to_string(id) + " \"" + name + "\"";
    view.text = "ID: " + std::to_string(id) + " Count: " + std::to_string(count) + " Name: " + name + "\r\n";
    char number[16];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(number, sizeof number, "#%03d: ", i);
        view.text += number;
        if (const std::string* s = set.Get(i, LanguageIndex())) view.text += *s;
        view.text += "\r\n";
    }
    return view;
}
