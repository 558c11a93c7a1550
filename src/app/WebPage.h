// WebPage: OpenWebPage, which leaves an Internet shortcut file behind and asks the desktop to open it.
#pragma once

#include <functional>
#include <string>

// Hands a file (absolute host path) to the desktop to be opened. The default runs `xdg-open FILE` in the
// background with its output discarded; failures are silent.
using WebPageLauncher = std::function<void(const std::string& hostPath)>;

// Installs the launcher OpenWebPage uses (an empty one restores the default); returns the previous one (empty
// when it was the default). Tests install a recorder.
WebPageLauncher SetWebPageLauncher(WebPageLauncher launcher);

// Writes "<title>.url" in the current directory with the lines "[InternetShortcut]" and "URL=<url>", then hands
// that file to the launcher; the launcher is called in every case, as opening the file is attempted even when
// it could not be saved. True when the shortcut file was saved; false when it could not be written. An empty
// title, a zero byte in the title, or a line break or zero byte in the url (which would add lines to the
// shortcut) give false with nothing written and nothing opened.
bool OpenWebPage(const std::string& title, const std::string& url);
