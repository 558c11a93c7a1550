// WebPage: Internet shortcut files and the launcher that opens them.
#include "app/WebPage.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "platform/HostDirectory.h"
#include "platform/HostFile.h"

extern char** environ;

namespace {

WebPageLauncher& CustomLauncher() {
    static WebPageLauncher launcher;
    return launcher;
}

// Runs xdg-open on the file without waiting for it: a shell started directly puts xdg-open in the background
// and ends at once, so only the shell is waited for. The file name reaches the shell as an argument ("$1"),
// never as part of the command text.
void LaunchWithXdgOpen(const std::string& hostPath) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return;
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string shell = "/bin/sh";
    std::string dashC = "-c";
    std::string script = "xdg-open \"$1\" &";
    std::string name = "reshaper-open";
    std::string file = hostPath;
    char* argv[] = {shell.data(), dashC.data(), script.data(), name.data(), file.data(), nullptr};
    pid_t pid = -1;
    int rc = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

std::string AbsolutePath(const std::string& name) {
    const std::string cwd = CurrentHostDirectory();
    return cwd.empty() ? name : cwd + "/" + name;
}

bool SaveShortcut(const std::string& path, const std::string& url) {
    auto file = HostFile::Create(path);
    if (!file) return false;
    std::string text = "[InternetShortcut]\r\nURL=" + url + "\r\n";
    bool ok = file->Write(text.data(), static_cast<int64_t>(text.size())) == static_cast<int64_t>(text.size());
    return file->Close() && ok;
}

}  // namespace

WebPageLauncher SetWebPageLauncher(WebPageLauncher launcher) {
    WebPageLauncher previous = std::move(CustomLauncher());
    CustomLauncher() = std::move(launcher);
    return previous;
}

bool OpenWebPage(const std::string& title, const std::string& url) {
    if (title.empty() || title.find('\0') != std::string::npos ||
        url.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        return false;
    std::string path = AbsolutePath(title + ".url");
    bool saved = SaveShortcut(path, url);
    if (CustomLauncher())
        CustomLauncher()(path);
    else
        LaunchWithXdgOpen(path);
    return saved;
}
