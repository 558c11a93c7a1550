// Progress log and prompt fronts: silent without a host, forwarding between Begin and End with one.
#include <gtest/gtest.h>

#include "app/Progress.h"
#include "app/Prompt.h"
#include "support/RecordingHosts.h"

using namespace reshaper_test;

namespace {

TEST(Progress, SilentWithoutAHost) {
    ScopedProgressHost none(nullptr);
    ProgressBegin("Cloning", 10, 0);
    EXPECT_FALSE(IsProgressActive());
    EXPECT_EQ(ProgressLog(1, "line\r\n"), 0);
    ProgressSetRange(5, 1);
    ProgressEnd();
}

TEST(Progress, ForwardsOnlyWhileALogIsCurrent) {
    RecordingProgressHost host;
    ScopedProgressHost scoped(&host);
    EXPECT_EQ(ProgressLog(3, "before\r\n"), 0);
    ProgressSetRange(9, 9);
    ProgressEnd();
    EXPECT_TRUE(host.calls.empty());

    ProgressBegin("Exporting", 100, 5);
    EXPECT_EQ(ProgressLog(2, "Error cloning object: x\r\n", kProgressStyleError, 255, 0, 0, false), 1);
    EXPECT_EQ(ProgressLog(0, nullptr), 1);
    ProgressSetRange(40, 7);
    ProgressLog(-3, nullptr);
    ProgressEnd();
    EXPECT_EQ(ProgressLog(1, "after\r\n"), 0);

    ASSERT_EQ(host.calls.size(), 6u);
    EXPECT_EQ(host.calls[0].kind, ProgressCall::Begin);
    EXPECT_EQ(host.calls[0].title, "Exporting");
    EXPECT_EQ(host.calls[0].total, 100);
    EXPECT_EQ(host.calls[0].start, 5);
    EXPECT_EQ(host.calls[1].style, kProgressStyleError);
    EXPECT_EQ(host.calls[1].red, 255);
    EXPECT_FALSE(host.calls[1].redraw);
    EXPECT_FALSE(host.calls[2].hasText);
    EXPECT_EQ(host.calls[3].kind, ProgressCall::SetRange);
    EXPECT_EQ(host.calls[5].kind, ProgressCall::End);
    EXPECT_EQ(host.TextInColour(255, 0, 0), "Error cloning object: x\r\n");
    EXPECT_EQ(host.Position(), 7);  // steps of 0 or less leave the bar alone
}

TEST(Progress, SecondBeginEndsTheFirstLog) {
    RecordingProgressHost host;
    ScopedProgressHost scoped(&host);
    ProgressBegin("One", 1, 0);
    ProgressBegin("Two", 2, 0);
    ASSERT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls[1].kind, ProgressCall::End);
    EXPECT_EQ(host.calls[2].title, "Two");
    ProgressEnd();
}

TEST(Progress, DroppedOrReplacedLogIsNotWrittenInto) {
    RecordingProgressHost first;
    RecordingProgressHost second;
    ScopedProgressHost scoped(&first);
    ProgressBegin("One", 1, 0);
    ProgressDropCurrent();  // the user closed the window
    EXPECT_EQ(ProgressLog(1, "x"), 0);
    ProgressBegin("Two", 1, 0);
    SetProgressHost(&second);
    EXPECT_EQ(ProgressLog(1, "y"), 0);
    ProgressEnd();
    EXPECT_EQ(first.calls.size(), 2u);  // two Begins, no End for the dropped log
    EXPECT_TRUE(second.calls.empty());
}

TEST(Prompt, DefaultAnswerWithoutHostAndScriptedAnswersWithOne) {
    {
        ScopedPromptHost none(nullptr);
        ShowMessageBox("Error!", "nothing to show it");
        EXPECT_FALSE(AskOkCancel("Gadzooks!", "Delete?"));
        bool previous = SetDefaultPromptAnswer(true);
        EXPECT_TRUE(AskOkCancel("Gadzooks!", "Delete?"));
        SetDefaultPromptAnswer(previous);
    }
    RecordingPromptHost host;
    host.answers = {true, false};
    ScopedPromptHost scoped(&host);
    ShowMessageBox("Error Importing", "bad", MessageKind::Error);
    EXPECT_TRUE(AskOkCancel("Q", "1", MessageKind::Warning));
    EXPECT_FALSE(AskOkCancel("Q", "2"));
    EXPECT_FALSE(AskOkCancel("Q", "3"));  // script used up: the default answer
    EXPECT_EQ(host.CountMessages(), 1u);
    EXPECT_EQ(host.CountQuestions(), 3u);
    EXPECT_EQ(host.calls[0].kind, MessageKind::Error);
    EXPECT_EQ(host.calls[1].kind, MessageKind::Warning);
}

}  // namespace
