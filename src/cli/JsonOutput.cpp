// JsonOutput: the --json flag, game texts as JSON text, and the printing of the document.
#include "cli/JsonOutput.h"

#include <CLI/CLI.hpp>
#include <cstdio>

#include "platform/Windows1252.h"

namespace cli {

void AddJsonFlag(CLI::App& command, bool& json) {
    command.add_flag("--json", json,
                     "Print one JSON document on standard output instead of the text (messages go to standard "
                     "error; the exit codes stay)");
}

Json GameTextJson(std::string_view bytes) { return DecodeWindows1252(bytes); }

void PrintJson(const Json& document) {
    const std::string text = document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace cli
