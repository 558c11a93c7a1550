// reshaper-cli edit FILE OBJECT-ID: the object editors' operations: catalogue texts, price and every property.
#include <CLI/CLI.hpp>
#include <cstdio>

#include "cli/CliCommon.h"
#include "cli/TerminalText.h"
#include "objects/definitions/EditObjectSession.h"
#include "objects/strings/Languages.h"
#include "platform/AsciiFold.h"

namespace cli {

namespace {

struct EditArgs {
    std::string file;
    std::string id;
    int language = 0;
    std::string name;
    std::string description;
    std::string price;
    bool allLanguages = false;
    std::vector<std::string> sets;
    CLI::Option* languageOption = nullptr;
    CLI::Option* nameOption = nullptr;
    CLI::Option* descriptionOption = nullptr;
    CLI::Option* priceOption = nullptr;
};

struct PendingSet {
    const ObjectProperty* property;
    PropertyInput input;
};

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Index of the list line with this label (letter case ignored), or for a single-selection list also with this
// value; -1 when none.
int FindChoice(const ObjectProperty& property, const std::vector<PropertyChoice>& choices, const std::string& text) {
    for (size_t i = 0; i < choices.size(); ++i)
        if (FoldAscii(choices[i].label) == FoldAscii(text)) return static_cast<int>(i);
    if (property.kind == PropertyKind::ChoiceList && !text.empty() &&
        text.find_first_not_of("-0123456789") == std::string::npos)
        for (size_t i = 0; i < choices.size(); ++i)
            if (std::to_string(choices[i].value) == text) return static_cast<int>(i);
    return -1;
}

std::string ChoiceLabels(const std::vector<PropertyChoice>& choices) {
    std::string out;
    for (const auto& c : choices) out += (out.empty() ? "" : ", ") + c.label;
    return out;
}

// Turns FIELD=VALUE into the editor input of the field's row; false (with a message) when it is not one.
bool ParseSet(const std::string& text, PendingSet& out) {
    size_t eq = text.find('=');
    if (eq == std::string::npos) {
        PrintError("--set wants FIELD=VALUE, not '" + text + "'");
        return false;
    }
    std::string field = Trim(text.substr(0, eq));
    std::string value = text.substr(eq + 1);
    out.property = FindObjectProperty(field);
    if (!out.property) {
        PrintError("'" + field +
                   "' is not an editable property (a label such as \"Wall Style\" or a field name "
                   "such as wallstyle)");
        return false;
    }
    const ObjectProperty& p = *out.property;
    switch (p.kind) {
        case PropertyKind::Boolean: {
            std::string v = FoldAscii(Trim(value));
            if (v == "1" || v == "true" || v == "yes" || v == "on") {
                out.input.checked = true;
            } else if (v == "0" || v == "false" || v == "no" || v == "off") {
                out.input.checked = false;
            } else {
                PrintError(std::string(p.label) + " is a check box: give 1 or 0 (true/false), not '" + value + "'");
                return false;
            }
            return true;
        }
        case PropertyKind::FlagList:
        case PropertyKind::ChoiceList: {
            std::vector<PropertyChoice> choices = ParsePropertyChoices(p);
            out.input.selected.assign(choices.size(), false);
            std::vector<std::string> items;
            if (p.kind == PropertyKind::ChoiceList) {
                items.push_back(Trim(value));
            } else if (!Trim(value).empty()) {
                size_t start = 0;
                for (;;) {
                    size_t comma = value.find(',', start);
                    items.push_back(Trim(value.substr(start, comma == std::string::npos ? comma : comma - start)));
                    if (comma == std::string::npos) break;
                    start = comma + 1;
                }
            }
            for (const std::string& item : items) {
                int i = FindChoice(p, choices, item);
                if (i < 0) {
                    PrintError("'" + item + "' is not a line of " + p.label + " (" + ChoiceLabels(choices) + ")");
                    return false;
                }
                out.input.selected[static_cast<size_t>(i)] = true;
            }
            return true;
        }
        case PropertyKind::Text:
        case PropertyKind::LongText:
            return TakeGameText(value, p.kind == PropertyKind::Text ? "name" : "description", out.input.text);
        default:
            out.input.text = value;
            return true;
    }
}

// The property as its editor shows it, on one line (text lines joined).
std::string ShownValue(const PropertyView& view) {
    switch (view.kind) {
        case PropertyKind::Boolean:
            return view.checked ? "1 (checked)" : "0";
        case PropertyKind::FlagList:
        case PropertyKind::ChoiceList: {
            std::string out;
            for (size_t i = 0; i < view.choices.size(); ++i) {
                if (!view.selected[i]) continue;
                out += out.empty() ? "" : ", ";
                out += view.choices[i].label;
                if (view.kind == PropertyKind::ChoiceList) out += " (" + std::to_string(view.choices[i].value) + ")";
            }
            return out.empty() ? "(none)" : out;
        }
        case PropertyKind::Text:
        case PropertyKind::LongText: {
            std::string out;
            for (char c : view.text) {
                if (c == '\r') continue;
                out += c == '\n' ? std::string(" / ") : std::string(1, c);
            }
            return "\"" + ShowGameText(out) + "\"";
        }
        default:
            return view.text;
    }
}

void PrintObject(const EditObjectSession& session) {
    std::string summary = ShowText(session.SummaryTextUtf8());
    for (char c : summary)
        if (c != '\r') std::putchar(c);
    std::printf("Language: %d (%s)\n%s\n", GameLanguage(), GetLanguageName(LanguageIndex()), session.ObjectStateLine());
    for (const ObjectProperty& p : GetObjectProperties())
        std::printf("%-26s %s\n", p.label, ShownValue(session.ShowProperty(p)).c_str());
}

void RunEdit(const EditArgs& args, int& exitCode) {
    InstallTerminalHost(false);
    ResID id = 0;
    if (!ParseResID(args.id, id)) {
        PrintError("'" + args.id + "' is not an object id");
        exitCode = kExitUsage;
        return;
    }
    // Typed texts become the game's 8-bit texts before anything is opened: one they cannot hold stores nothing.
    std::string name;
    std::string description;
    if ((args.nameOption->count() > 0 && !TakeGameText(args.name, "name", name)) ||
        (args.descriptionOption->count() > 0 && !TakeGameText(args.description, "description", description))) {
        exitCode = kExitUsage;
        return;
    }
    std::vector<PendingSet> sets;
    for (const std::string& s : args.sets) {
        PendingSet pending;
        if (!ParseSet(s, pending)) {
            exitCode = kExitUsage;
            return;
        }
        sets.push_back(std::move(pending));
    }
    // The language the editor opens in: the stored one, unless the command line names another.
    if (!UseLanguage(args.languageOption->count() > 0, args.language)) {
        exitCode = kExitUsage;
        return;
    }

    ObjectFileArg arg;
    if (!ResolveObjectFile(args.file, false, arg)) {
        exitCode = kExitError;
        return;
    }
    ObjectEntry* entry = nullptr;
    for (auto& o : arg.record->objects)
        if (o->id == id) entry = o.get();
    EditObjectSession session = entry ? EditObjectSession(*entry) : EditObjectSession(arg.File(), id);
    if (ResErr err = session.Load()) {
        PrintError("no object " + std::to_string(id) + " in '" + arg.record->path + "': " + ErrorText(err));
        exitCode = kExitError;
        return;
    }

    bool texts = args.nameOption->count() > 0 || args.descriptionOption->count() > 0;
    bool changes = texts || args.priceOption->count() > 0 || args.allLanguages || !sets.empty();
    if (changes && !session.CanEdit()) {
        PrintError(std::string(kObjectReadOnlyLine) + " Nothing was written.");
        exitCode = kExitError;
        return;
    }
    if ((texts || args.allLanguages) && !session.AreStringsEditable()) {
        PrintError(
            "the catalogue strings of this object cannot be loaded, so its name and description cannot be "
            "changed; nothing was written");
        exitCode = kExitError;
        return;
    }
    if (changes) {
        // The object editor applies its three edits before anything else it does.
        std::string priceShown;
        session.Apply(args.nameOption->count() > 0 ? name : session.Name(),
                      args.priceOption->count() > 0 ? args.price : session.ShownPrice(),
                      args.descriptionOption->count() > 0 ? description : session.Description(), &priceShown);
        if (args.priceOption->count() > 0 && priceShown != args.price)
            std::printf("Price %s stored as %s\n", args.price.c_str(), priceShown.c_str());
        for (const PendingSet& s : sets) session.StoreProperty(*s.property, s.input);
        if (args.allLanguages) session.SetAllLanguages();
        if (ResErr err = session.Save()) {
            PrintError("writing the object failed: " + ErrorText(err));
            exitCode = kExitError;
        }
    }
    PrintObject(session);
}

void AddEditCommand(CLI::App& app, int& exitCode) {
    auto* cmd = app.add_subcommand("edit",
                                   "Show or change an object: catalogue name, description and price per "
                                   "language, and every property of its definition");
    auto args = std::make_shared<EditArgs>();
    cmd->add_option("FILE", args->file, "Object file: a name from the catalogue or a path")->required();
    cmd->add_option("OBJECT-ID", args->id, "Resource id of the object (its OBJD)")->required();
    args->languageOption =
        cmd->add_option("--language", args->language, "Language code 1..20 to edit (default: the stored language)");
    args->nameOption = cmd->add_option("--name", args->name, "Catalogue name in the language");
    args->descriptionOption = cmd->add_option("--description", args->description, "Catalogue description");
    args->priceOption = cmd->add_option("--price", args->price, "Price (32768 and above are stored as 32767)");
    cmd->add_flag("--all-languages", args->allLanguages,
                  "Set all 20 languages to the name and description (\"Set All...\")");
    cmd->add_option("--set", args->sets,
                    "FIELD=VALUE: a property by its label or field name, the value as its editor takes it: "
                    "decimal, hexadecimal (Footprint Inset Mask, GUID), 1/0 for check boxes, line labels for "
                    "lists (comma-separated for flag lists)")
        ->allow_extra_args(false);
    cmd->callback([args, &exitCode] { RunEdit(*args, exitCode); });
}

CommandRegistrar registrar(320, AddEditCommand);

}  // namespace

}  // namespace cli
