// Terminal host: log lines with and without colour escapes, the progress bar, messages and the answers to
// questions (--yes, a typed answer, no terminal).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "app/TerminalProgressHost.h"

namespace {

// A temporary stream whose contents can be read back.
struct Stream {
    Stream() : f(std::tmpfile()) {}
    ~Stream() {
        if (f) std::fclose(f);
    }
    std::string Contents() {
        std::fflush(f);
        std::rewind(f);
        std::string s;
        char b[4096];
        size_t n;
        while ((n = std::fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
        return s;
    }
    void Feed(const std::string& text) {
        std::fputs(text.c_str(), f);
        std::rewind(f);
    }
    FILE* f;
};

TerminalHostOptions Options(Stream& out, Stream& err, Stream& in, int colours, int bar, int interactive) {
    TerminalHostOptions o;
    o.out = out.f;
    o.err = err.f;
    o.in = in.f;
    o.colours = colours;
    o.progressBar = bar;
    o.interactive = interactive;
    return o;
}

TEST(TerminalProgressHost, PlainOutputWithoutTerminal) {
    Stream out, err, in;
    {
        TerminalProgressHost host(Options(out, err, in, 0, 0, 0));
        ScopedProgressHost scoped(&host);
        ProgressBegin("Cloning Object", 3, 0);
        ProgressLog(1, "Copying \x1b[2Jchair\r\n", kProgressStyleSuccess, 0, 128, 0);
        ProgressLog(1, "partial");
        ProgressEnd();
    }
    EXPECT_EQ(out.Contents(), "Cloning Object\nCopying ?[2Jchair\npartial\n");
    EXPECT_EQ(err.Contents(), "");
}

TEST(TerminalProgressHost, ColoursAndBoldOnATerminal) {
    Stream out, err, in;
    {
        TerminalProgressHost host(Options(out, err, in, 1, 0, 0));
        ScopedProgressHost scoped(&host);
        ProgressBegin("T", 1, 0);
        ProgressLog(0, "plain\r\n");
        ProgressLog(0, "red\r\n", kProgressStyleError, 255, 0, 0);
        ProgressLog(0, "green\r\n", kProgressStylePlain, 0, 128, 0);
        ProgressLog(0, "white\r\n", kProgressStyleFixed, 255, 255, 255);
        ProgressEnd();
    }
    EXPECT_EQ(out.Contents(),
              "\x1b[1mT\x1b[0m\nplain\n\x1b[1m\x1b[31mred\x1b[0m\n\x1b[32mgreen\x1b[0m\n\x1b[1mwhite\x1b[0m\n");
}

TEST(TerminalProgressHost, BarAdvancesAndIsClearedAroundText) {
    Stream out, err, in;
    {
        TerminalProgressHost host(Options(out, err, in, 0, 1, 0));
        ScopedProgressHost scoped(&host);
        ProgressBegin("Exporting", 4, 0);
        ProgressLog(2, nullptr);
        ProgressSetRange(2, 2);
        ProgressEnd();
    }
    std::string e = err.Contents();
    EXPECT_NE(e.find("Exporting [..............................] 0%"), std::string::npos) << e;
    EXPECT_NE(e.find("[###############...............] 50%"), std::string::npos) << e;
    EXPECT_NE(e.find("[##############################] 100%"), std::string::npos) << e;
    EXPECT_EQ(e.substr(e.size() - 4), "\r\x1b[K");  // cleared at the end
}

TEST(TerminalProgressHost, QuestionsAndMessages) {
    Stream out, err, in;
    {
        TerminalHostOptions o = Options(out, err, in, 0, 0, 0);
        o.assumeYes = true;
        TerminalProgressHost host(o);
        EXPECT_TRUE(host.AskOkCancel("Gadzooks!", "Delete it?", MessageKind::Warning));
        host.ShowMessage("Error!", "Could not write\r\n", MessageKind::Error);
    }
    EXPECT_EQ(err.Contents(), "Gadzooks!: Delete it? [y/N] y (--yes)\nError!: Could not write\n");

    Stream err2, in2;
    TerminalProgressHost notInteractive(Options(out, err2, in2, 0, 0, 0));
    EXPECT_FALSE(notInteractive.AskOkCancel("Q", "Sure?", MessageKind::Question));
    EXPECT_NE(err2.Contents().find("[y/N] n (no terminal"), std::string::npos);

    Stream err3, in3;
    in3.Feed(" YES\n" + std::string(100, 'y') + "\nno\n");
    TerminalProgressHost typed(Options(out, err3, in3, 0, 0, 1));
    EXPECT_TRUE(typed.AskOkCancel("Q", "1", MessageKind::Question));
    EXPECT_FALSE(typed.AskOkCancel("Q", "2", MessageKind::Question));  // an overlong answer is no answer
    EXPECT_FALSE(typed.AskOkCancel("Q", "3", MessageKind::Question));
    EXPECT_FALSE(typed.AskOkCancel("Q", "4", MessageKind::Question));  // end of input
}

}  // namespace
