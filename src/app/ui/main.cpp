// reshaper: the workbench program: seeding, splash window, and the main window run until it closes.
#include <QApplication>
#include <QCursor>
#include <cstdio>
#include <cstring>

#include "app/ObjectCatalog.h"
#include "app/Prompt.h"
#include "app/SettingsStore.h"
#include "app/Startup.h"
#include "app/ui/CReshaperDlg.h"
#include "app/ui/CSplashWnd.h"
#include "app/ui/ProgramPictures.h"
#include "app/ui/QtProgressHost.h"
#include "app/ui/QtPromptHost.h"

namespace {

// The splash window is shown unless the command line turns it off.
bool SplashEnabled(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* off :
             {"--no-splash", "-nologo", "/nologo", "-Embedding", "/Embedding", "-Automation", "/Automation"})
            if (std::strcmp(argv[i], off) == 0) return false;
    }
    return true;
}

// The usage text; the installed manual page is made from it.
constexpr const char* kUsage =
    "The Domizens Reshaper: the workbench for the object files of \"The Domizens\"\n"
    "Usage: reshaper [OPTIONS]\n"
    "\n"
    "Lists every object file of the installation, clones, exports, imports and edits them, shows their draw groups\n"
    "and browses their resources. reshaper-cli does the same from the command line.\n"
    "\n"
    "Options:\n"
    "  -h,--help                   Print this help message and exit\n"
    "  --no-splash                 Start without the splash window\n"
    "\n"
    "Environment:\n"
    "  RESHAPER_SETTINGS           The settings file (install path, language, magic cookie); default\n"
    "                              $XDG_CONFIG_HOME/Vexel/The Domizens.ini\n";

bool HelpWanted(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // Answered before any window system is needed, so that it works without a display.
    if (HelpWanted(argc, argv)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    // A relative $RESHAPER_SETTINGS names a file of the directory the program started in.
    SettingsStore::FromEnvironment();
    SeedRandomGenerator();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("The Domizens Reshaper"));
    QApplication::setWindowIcon(ProgramIcon());
    const bool splash = SplashEnabled(argc, argv);

    QtPromptHost prompts;
    const ScopedPromptHost promptHost(&prompts);
    QtProgressHost progress;
    const ScopedProgressHost progressHost(&progress);

    if (CSplashWnd::ShowSplashScreen(splash)) QApplication::processEvents();

    int result = 0;
    {
        CReshaperDlg dialog(ObjectCatalog::Instance());
        progress.SetCentreWindow(&dialog);
        // The catalogue scan runs before the window shows, as the window's own initialisation.
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        dialog.StartUp(false);
        QApplication::restoreOverrideCursor();
        result = dialog.exec();
    }
    // The catalogue closes its files once the window is gone; a file whose last changes could not be saved
    // is named while the prompt host still stands.
    std::string failedPath;
    if (ResErr err = ObjectCatalog::Instance().Clear(&failedPath)) {
        ShowMessageBox("Error!", SaveFailureText(failedPath, err), MessageKind::Error);
        return 1;
    }
    (void)result;
    return 0;
}
