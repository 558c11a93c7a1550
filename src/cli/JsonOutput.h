// JsonOutput: the --json form of the commands that show things: one JSON document on standard output.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace CLI {
class App;
}

namespace cli {

// Members keep the order they are added in, the order of the text form.
using Json = nlohmann::ordered_json;

// Adds the --json flag to a command.
void AddJsonFlag(CLI::App& command, bool& json);
// A game text (8-bit Windows-1252) as JSON text: the characters its bytes stand for, control characters
// included (JSON escapes them), so that a script reads the exact text.
Json GameTextJson(std::string_view bytes);
// Prints the document on standard output, indented, in UTF-8 whatever the terminal's encoding (JSON is UTF-8);
// bytes of a host name that are not UTF-8 show as U+FFFD.
void PrintJson(const Json& document);

}  // namespace cli
