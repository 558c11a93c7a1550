// SanitizeForFileName: a resource name made fit for a file name.
#pragma once

#include <string>
#include <string_view>

// Every blank becomes "-"; then only "-", the digits and the ASCII letters are kept ("Door Frame #2" gives
// "Door-Frame-2"). Cannot fail; the result may be empty.
std::string SanitizeForFileName(std::string_view text);
