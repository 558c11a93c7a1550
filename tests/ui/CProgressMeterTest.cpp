// The progress window behind the core's log operations: styles and colours, the bar, the OK button taking the
// bar's place, auto-scroll, and a window closed before the end of its operation.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "QtPrinters.h"
#include "app/Progress.h"
#include "app/ui/CProgressMeter.h"
#include "app/ui/QtProgressHost.h"

namespace {

struct TextRun {
    QString text;
    QString family;
    bool bold;
    QColor colour;
};

// The log's text runs with their formats, in order.
std::vector<TextRun> Runs(QTextEdit* log) {
    std::vector<TextRun> runs;
    for (QTextBlock block = log->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            const QStringList families = format.fontFamilies().toStringList();
            runs.push_back({f.text(), families.isEmpty() ? QString() : families.first(),
                            format.fontWeight() >= QFont::Bold, format.foreground().color()});
        }
    }
    return runs;
}

class ProgressWindow : public ::testing::Test {
protected:
    QWidget mainWindow;
    QtProgressHost host{&mainWindow};
    ScopedProgressHost installed{&host};

    void TearDown() override {
        ProgressEnd();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<CProgressMeter*>(w)) delete w;
    }
};

TEST_F(ProgressWindow, LinesTakeTheFaceWeightAndColourOfTheirStyle) {
    ProgressBegin("Cloning chair", 10, 0);
    CProgressMeter* meter = host.CurrentWindow();
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->objectName(), "9055");
    EXPECT_EQ(meter->windowTitle(), "Cloning chair");
    EXPECT_TRUE(meter->isVisible());
    EXPECT_EQ(meter->findChild<QTextEdit*>("1045"), meter->Log());
    EXPECT_EQ(meter->findChild<QProgressBar*>("1043"), meter->Bar());

    ProgressLog(0, "plain\r\n", 0, 0, 0, 0);
    ProgressLog(0, "done\r\n", 3, 0, 128, 0);
    ProgressLog(0, "failed\r\n", 2, 255, 0, 0);
    ProgressLog(0, "code\r\n", 4, 0, 0, 255);
    ProgressLog(0, "tinted", 9, 10, 20, 30);  // another style: the colour only

    const std::vector<TextRun> runs = Runs(meter->Log());
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, "plain");
    EXPECT_EQ(runs[0].family, "Helvetica");
    EXPECT_FALSE(runs[0].bold);
    EXPECT_EQ(runs[0].colour, QColor(0, 0, 0));
    EXPECT_EQ(runs[1].text, "done");
    EXPECT_EQ(runs[1].family, "Helvetica");
    EXPECT_TRUE(runs[1].bold);
    EXPECT_EQ(runs[1].colour, QColor(0, 128, 0));
    EXPECT_TRUE(runs[2].bold);
    EXPECT_EQ(runs[2].colour, QColor(255, 0, 0));
    EXPECT_EQ(runs[3].family, "Courier");
    EXPECT_TRUE(runs[3].bold);
    // Face and weight stay those of the text before it.
    EXPECT_EQ(runs[4].text, "tinted");
    EXPECT_EQ(runs[4].family, "Courier");
    EXPECT_TRUE(runs[4].bold);
    EXPECT_EQ(runs[4].colour, QColor(10, 20, 30));
    // The window adds no line ends of its own.
    EXPECT_EQ(meter->Log()->toPlainText(), "plain\ndone\nfailed\ncode\ntinted");
}

TEST_F(ProgressWindow, TheBarMovesByPositiveStepsAndOkTakesItsPlaceAtTheEnd) {
    ProgressBegin("Export", 100, 5);
    CProgressMeter* meter = host.CurrentWindow();
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->Bar()->maximum(), 100);
    EXPECT_EQ(meter->Bar()->value(), 5);
    EXPECT_TRUE(meter->Bar()->isVisible());
    EXPECT_FALSE(meter->OkButton()->isVisible());
    ProgressLog(10, nullptr);
    ProgressLog(0, nullptr);
    ProgressLog(-3, nullptr);
    EXPECT_EQ(meter->Bar()->value(), 15);
    EXPECT_TRUE(meter->Log()->toPlainText().isEmpty());
    ProgressSetRange(40, 30);
    EXPECT_EQ(meter->Bar()->maximum(), 40);
    EXPECT_EQ(meter->Bar()->value(), 30);

    ProgressEnd();
    EXPECT_EQ(host.CurrentWindow(), nullptr);
    EXPECT_TRUE(meter->isVisible()) << "a finished window stays until dismissed";
    EXPECT_FALSE(meter->Bar()->isVisible());
    EXPECT_TRUE(meter->OkButton()->isVisible());
    EXPECT_EQ(meter->OkButton()->geometry(), meter->Bar()->geometry());
    EXPECT_EQ(ProgressLog(0, "late\r\n"), 0);

    // A second log leaves the first window on screen, finished.
    ProgressBegin("First", 1, 0);
    CProgressMeter* first = host.CurrentWindow();
    ProgressBegin("Second", 1, 0);
    EXPECT_NE(host.CurrentWindow(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->OkButton()->isVisible());
    EXPECT_FALSE(first->Bar()->isVisible());

    // OK dismisses a finished window.
    QPointer<CProgressMeter> guard(first);
    QTest::mouseClick(first->OkButton(), Qt::LeftButton);
    QTRY_VERIFY(guard.isNull());
}

TEST_F(ProgressWindow, ManyLinesKeepTheLastOneInView) {
    ProgressBegin("Import", 0, 0);
    CProgressMeter* meter = host.CurrentWindow();
    for (int i = 0; i < 300; ++i) ProgressLog(1, ("line " + std::to_string(i) + "\r\n").c_str());
    QScrollBar* bar = meter->Log()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ProgressWindow, ClosingTheCurrentWindowStopsTheLog) {
    ProgressBegin("Garbage", 5, 0);
    QPointer<CProgressMeter> meter(host.CurrentWindow());
    ASSERT_FALSE(meter.isNull());
    ProgressLog(0, "before\r\n");
    meter->close();
    EXPECT_EQ(host.CurrentWindow(), nullptr);
    EXPECT_FALSE(IsProgressActive());
    // The operation goes on; nothing reaches the closed window, and it goes away.
    EXPECT_EQ(ProgressLog(1, "after\r\n"), 0);
    ProgressSetRange(10, 3);
    ProgressEnd();
    QTRY_VERIFY(meter.isNull());
    // The next operation gets a new window.
    ProgressBegin("Next", 1, 0);
    ASSERT_NE(host.CurrentWindow(), nullptr);
    EXPECT_EQ(ProgressLog(0, "fresh\r\n"), 1);
    EXPECT_EQ(host.CurrentWindow()->Log()->toPlainText(), "fresh\n");
}

}  // namespace
