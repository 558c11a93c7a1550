// SampleInstallationSuite: the sample installation written per suite and the program started on it per test.
#include "support/SampleInstallationSuite.h"

#include "app/AppSettings.h"
#include "app/Startup.h"
#include "resfile/CTGFileManager.h"

namespace reshaper_test {

TempDir* SampleInstallationSuite::dir_ = nullptr;
SampleGameResult* SampleInstallationSuite::result_ = nullptr;

void SampleInstallationSuite::SetUpTestSuite() {
    dir_ = new TempDir("reshaper-sample-suite-");
    SampleGameOptions options;
    options.directory = dir_->Join("Game");
    result_ = new SampleGameResult(WriteSampleGame(options));
}

void SampleInstallationSuite::TearDownTestSuite() {
    delete result_;
    result_ = nullptr;
    delete dir_;
    dir_ = nullptr;
}

void SampleInstallationSuite::SetUp() {
    ASSERT_TRUE(result_ && result_->ok) << (result_ ? result_->error : "no installation");
    settings_ = std::make_unique<ScopedEnv>("RESHAPER_SETTINGS", result_->settingsPath);
    CTGFileManager::Instance().Reset();
    StartupOptions startup;
    startup.seedRandom = false;
    startup.buildCatalogue = [this] { catalog_.Scan(ObjectDirectories(), InternalObjectPaths(), CloneDirectory); };
    RunStartup(startup);
    progressHost_ = std::make_unique<ScopedProgressHost>(&progress_);
    promptHost_ = std::make_unique<ScopedPromptHost>(&prompts_);
}

void SampleInstallationSuite::TearDown() {
    promptHost_.reset();
    progressHost_.reset();
    catalog_.Clear();
    CTGFileManager::Instance().Reset();
    settings_.reset();
}

}  // namespace reshaper_test
