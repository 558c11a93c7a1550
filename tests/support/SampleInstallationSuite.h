// SampleInstallationSuite: a test suite over the sample installation. The installation is written once per suite;
// each test starts the program on it (settings, object directories mapped, catalogue scanned) with recording
// progress and prompt hosts in place, and leaves the file manager empty behind it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "../app/ScopedEnv.h"
#include "app/ObjectCatalog.h"
#include "app/Progress.h"
#include "app/Prompt.h"
#include "sample/SampleGame.h"
#include "support/RecordingHosts.h"
#include "support/TempDir.h"

namespace reshaper_test {

class SampleInstallationSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    static TempDir* dir_;
    static SampleGameResult* result_;
    ScopedCurrentDirectory cwd_{"."};
    ObjectCatalog catalog_;
    RecordingProgressHost progress_;
    RecordingPromptHost prompts_;

private:
    std::unique_ptr<ScopedProgressHost> progressHost_;
    std::unique_ptr<ScopedPromptHost> promptHost_;
    std::unique_ptr<ScopedEnv> settings_;
};

}  // namespace reshaper_test
