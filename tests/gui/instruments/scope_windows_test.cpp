// The oscilloscope windows on the offscreen platform: their shape and
// buttons, the close box, the scroll bar, the plot's pixels and the export.
#include "gui/instruments/form_oscopes.h"
#include "gui/instruments/scope_plot.h"

#include "core/instruments/scope_recorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <deque>
#include <functional>
#include <random>

using namespace kelto;
using namespace kelto::gui;

namespace {

// Answers the export's save dialog from a list and keeps the error boxes' texts.
class TScriptedScopeDialogs final : public IScopeDialogs {
public:
    TChosenFile SaveDataDialog(QWidget*, const QString&, std::span<const TFileType>) override
    {
        if (Answers.empty())
            return {};
        const TChosenFile answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    QString SavePictureDialog(QWidget* parent, const QString&, look::TPictureChoice& choice) override
    {
        return Picture ? Picture(parent, choice) : QString();
    }
    void ShowFileError(QWidget*, const QString& message) override { Errors.push_back(message); }

    std::deque<TChosenFile> Answers;
    std::function<QString(QWidget*, look::TPictureChoice&)> Picture;
    QStringList Errors;
};

TScriptedScopeDialogs gNoAnswers;

const QRgb kLime = qRgb(0, 255, 0);
const QRgb kGridGreen = qRgb(0, 128, 0);
const QRgb kBlack = qRgb(0, 0, 0);

// One tick: channel c reads value(c), or nothing when value(c) is negative.
void Record(TScopeRecorder& scope, int samples, const std::function<double(int channel, int sample)>& value)
{
    for (int i = 0; i < samples; ++i) {
        std::array<TProbeReading, kMaxScopeChannels> readings{};
        for (int c = 0; c < scope.ChannelCount(); ++c) {
            const double v = value(c, static_cast<int>(scope.Samples().Count()));
            readings[static_cast<size_t>(c)] = v < 0 ? TProbeReading{4, 0.0} : TProbeReading{0, v};
        }
        scope.AppendReadings(std::span(readings).first(static_cast<size_t>(scope.ChannelCount())));
    }
}

QImage Render(TScopePlot& plot)
{
    plot.ShowRecording();
    QImage image(plot.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    plot.render(&image);
    return image;
}

int CountColour(const QImage& image, const QRect& area, QRgb colour)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

// What the window shows of its plot, from the screen.
QImage ShownPlot(TScopeForm& form)
{
    const QPoint at = form.Chart1->mapTo(&form, QPoint(0, 0));
    const QSize size = form.Chart1->size();
    return form.screen()
        ->grabWindow(form.winId(), at.x(), at.y(), size.width(), size.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage FullPlot(TScopeForm& form)
{
    return form.Chart1->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TScopeWindowsTest final : public QObject {
    Q_OBJECT
private slots:
    void WindowsHaveTheirCaptionSizeAndButtons();
    void ButtonsFollowTheRecordingState();
    void CloseBoxHidesAndRecordingGoesOn();
    void ScrollBarSpansTheRecordingAndPansTheAxis();
    void StackedChannelsAreNamedAndKeepTheirLevelsApart();
    void FastPageTurnsWaitOnScreen();
    void NullPointsBreakTheTrace();
    void HundredAndFirstSampleIsAtTheLeftEdge();
    void SingleChannelPlotUsesTheWholeHeight();
    void RepaintsAtMostOncePerScreenFrame();
    void RepaintingOnlyNewSamplesShowsWhatAFullRepaintDraws();
    void SamplesHeldBackForTheFrameShowWhenTicksStop();
    void ExportWritesTheChosenTypeAndReportsAFailure();
    void ExportPictureWritesThePlotAsShownOrReportsWhyNot();
};

void TScopeWindowsTest::WindowsHaveTheirCaptionSizeAndButtons()
{
    TScopeRecorder eight(8);
    TScopeRecorder one(1);
    TFormOScopes oscopes(eight, gNoAnswers);
    TFormAudioas audioas(one, gNoAnswers);
    for (TScopeForm* form : {static_cast<TScopeForm*>(&oscopes), static_cast<TScopeForm*>(&audioas)}) {
        QCOMPARE(form->size(), QSize(696, 480));
        QVERIFY(form->isWindow());
        QVERIFY(!form->isVisible());
        QCOMPARE(form->ButtonRun->text(), QStringLiteral("运行"));
        QCOMPARE(form->ButtonStop->text(), QStringLiteral("停止"));
        QCOMPARE(form->ButtonClear->text(), QStringLiteral("清除"));
        QCOMPARE(form->ButtonRun->geometry(), QRect(24, 16, 75, 25));
        QCOMPARE(form->ButtonStop->geometry(), QRect(24, 48, 75, 25));
        QCOMPARE(form->ButtonClear->geometry(), QRect(24, 80, 75, 25));
        QCOMPARE(form->ButtonExport->text(), QStringLiteral("导出数据"));
        QCOMPARE(form->ButtonExport->geometry(), QRect(24, 112, 75, 25));
        QCOMPARE(form->ButtonExportPicture->geometry(), QRect(24, 144, 75, 25));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QCOMPARE(form->Chart1->width(), 560);
        QCOMPARE(form->ChartScrollBar1->width(), 560);
        QCOMPARE(form->ChartScrollBar1->height(), 16);
        QCOMPARE(form->ChartScrollBar1->geometry().bottom(), form->Chart1->parentWidget()->height() - 1);
    }
    QCOMPARE(oscopes.windowTitle(), QStringLiteral("示波器"));
    QCOMPARE(audioas.windowTitle(), QStringLiteral("单通道示波器"));
}

void TScopeWindowsTest::ButtonsFollowTheRecordingState()
{
    TScopeRecorder scope(8);
    TFormOScopes form(scope, gNoAnswers);
    const auto enabled = [&form] {
        return std::array<bool, 3>{form.ButtonRun->isEnabled(), form.ButtonStop->isEnabled(),
                                   form.ButtonClear->isEnabled()};
    };
    QCOMPARE(enabled(), (std::array<bool, 3>{true, false, false}));
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    QVERIFY(scope.Sampling());
    QCOMPARE(enabled(), (std::array<bool, 3>{false, true, false}));
    Record(scope, 5, [](int, int) { return 1.0; });
    QTest::mouseClick(form.ButtonStop, Qt::LeftButton);
    QVERIFY(!scope.Sampling());
    QCOMPARE(enabled(), (std::array<bool, 3>{true, false, true}));
    QTest::mouseClick(form.ButtonClear, Qt::LeftButton);
    QCOMPARE(scope.Samples().Count(), int64_t{0});
    QCOMPARE(enabled(), (std::array<bool, 3>{true, false, true}));
}

void TScopeWindowsTest::CloseBoxHidesAndRecordingGoesOn()
{
    TScopeRecorder scope(1);
    QPointer<TFormAudioas> form = new TFormAudioas(scope, gNoAnswers);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QTest::mouseClick(form->ButtonRun, Qt::LeftButton);
    QVERIFY(form->close());
    QCoreApplication::processEvents();
    QVERIFY(!form.isNull());
    QVERIFY(!form->isVisible());
    Record(scope, 3, [](int, int) { return 0.5; });
    QCOMPARE(scope.Samples().Count(), int64_t{3});
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QVERIFY(!form->ButtonRun->isEnabled());
    delete form;
}

void TScopeWindowsTest::ScrollBarSpansTheRecordingAndPansTheAxis()
{
    TScopeRecorder scope(8);
    TFormOScopes form(scope, gNoAnswers);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    Record(scope, 250, [](int, int) { return 1.0; });
    QTest::mouseClick(form.ButtonStop, Qt::LeftButton);
    QScrollBar& bar = *form.ChartScrollBar1;
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), 200);
    QCOMPARE(bar.value(), 200);
    QCOMPARE(bar.pageStep(), 100);
    bar.setValue(40);
    QCOMPARE(scope.AxisMinimum(), int64_t{40});
    QCOMPARE(scope.AxisMaximum(), int64_t{140});
    // Run goes back to the page of the next sample.
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    QCOMPARE(bar.value(), 200);
}

// The rendered-image test: channel C wired to a supply.
void TScopeWindowsTest::StackedChannelsAreNamedAndKeepTheirLevelsApart()
{
    TScopeRecorder scope(8);
    TScopePlot plot(scope);
    plot.resize(560, 464);
    scope.ButtonRunClick();
    // Channel B low, channel C high right under it, the rest undriven.
    Record(scope, 60, [](int channel, int) { return channel == 1 ? 0.0 : channel == 2 ? 1.0 : -1.0; });
    const QImage image = Render(plot);
    const QRect plotArea = plot.PlotRect();
    const auto limeRows = [&](const QRect& area) {
        QList<int> rows;
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (CountColour(image, QRect(area.left(), y, area.width(), 1), kLime) > 0)
                rows.append(y);
        return rows;
    };
    for (int c = 0; c < 8; ++c) {
        const QRect band = plot.BandRect(c);
        QVERIFY(band.height() >= 50);
        QCOMPARE(band.top(), plotArea.top() + plotArea.height() * c / 8);
        QCOMPARE(limeRows(band).size(), c == 1 || c == 2 ? 1 : 0);
        const QRect name(0, band.top(), plotArea.left(), band.height());
        QVERIFY2(CountColour(image, name, kLime) > 0, "channel name");
    }
    const int low = limeRows(plot.BandRect(1)).front();
    const int high = limeRows(plot.BandRect(2)).front();
    QVERIFY2(high - low >= plot.BandRect(2).height() / 5,
             qPrintable(QStringLiteral("%1 %2").arg(low).arg(high)));
    QVERIFY(high - plot.BandRect(2).top() < plot.BandRect(2).height() / 4);
    // Black behind, dark green grid, lime labels and their unit under the bands.
    QCOMPARE(image.pixel(plotArea.left() + 3, plot.BandRect(0).center().y() + 3), kBlack);
    QVERIFY(CountColour(image, plotArea, kGridGreen) > 0);
    const int labelTop = plotArea.bottom() + 1;
    const QRect labels(plotArea.left(), labelTop, plot.width(), plot.height() - labelTop);
    QVERIFY(CountColour(image, labels, kLime) > 0);
    QVERIFY2(CountColour(image, QRect(0, labelTop, plotArea.left(), labels.height()), kLime) > 0, "unit");
}

void TScopeWindowsTest::FastPageTurnsWaitOnScreen()
{
    TScopeRecorder scope(1);
    TScopePlot plot(scope);
    plot.resize(560, 464);
    scope.ButtonRunClick();
    plot.ShowRecording();
    Record(scope, 250, [](int, int) { return 1.0; });
    plot.ShowRecording();
    QCOMPARE(scope.AxisMinimum(), int64_t{200});
    QCOMPARE(plot.ShownAxisMinimum(), int64_t{0});
    scope.ButtonStopClick();
    plot.ShowRecording();
    QCOMPARE(plot.ShownAxisMinimum(), int64_t{200});
}

void TScopeWindowsTest::NullPointsBreakTheTrace()
{
    TScopeRecorder scope(8);
    TScopePlot plot(scope);
    plot.resize(560, 464);
    scope.ButtonRunClick();
    // Samples 0..29 high, 30..59 without a value, 60..89 high again.
    Record(scope, 90, [](int channel, int sample) {
        return channel == 0 && (sample < 30 || sample >= 60) ? 1.0 : -1.0;
    });
    const QImage image = Render(plot);
    const QRect band = plot.BandRect(0);
    const int perSample = band.width() / 100;
    const auto columns = [&](int fromSample, int toSample) {
        return QRect(band.left() + fromSample * band.width() / 100 + perSample, band.top(),
                     (toSample - fromSample) * band.width() / 100 - 2 * perSample, band.height());
    };
    QVERIFY(CountColour(image, columns(0, 29), kLime) > 0);
    QCOMPARE(CountColour(image, columns(30, 60), kLime), 0);
    QVERIFY(CountColour(image, columns(60, 89), kLime) > 0);
}

void TScopeWindowsTest::HundredAndFirstSampleIsAtTheLeftEdge()
{
    TScopeRecorder scope(8);
    TScopePlot plot(scope);
    plot.resize(560, 464);
    scope.ButtonRunClick();
    Record(scope, 100, [](int, int) { return 1.0; });
    QCOMPARE(scope.AxisMinimum(), int64_t{100});
    const QRect band = plot.BandRect(0);
    QCOMPARE(CountColour(Render(plot), band, kLime), 0);
    Record(scope, 1, [](int, int) { return 1.0; });
    const QImage image = Render(plot);
    QVERIFY(CountColour(image, QRect(band.left(), band.top(), 2, band.height()), kLime) > 0);
    QCOMPARE(CountColour(image, band.adjusted(2, 0, 0, 0), kLime), 0);
}

void TScopeWindowsTest::SingleChannelPlotUsesTheWholeHeight()
{
    TScopeRecorder scope(1);
    TScopePlot plot(scope);
    plot.resize(560, 464);
    scope.ButtonRunClick();
    Record(scope, 50, [](int, int sample) { return sample < 25 ? 0.0 : 1.0; });
    const QImage image = Render(plot);
    const QRect band = plot.BandRect(0);
    QCOMPARE(band, plot.PlotRect());
    const QRect top(band.left(), band.top(), band.width(), 3);
    const QRect bottom(band.left(), band.bottom() - 2, band.width(), 3);
    QVERIFY(CountColour(image, top, kLime) > band.width() / 5);
    QVERIFY(CountColour(image, bottom, kLime) > band.width() / 5);
}

// However fast samples come, the plot paints once per frame of the screen at most.
void TScopeWindowsTest::RepaintsAtMostOncePerScreenFrame()
{
    struct TPaintCounter final : QObject {
        int Paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            Paints += event->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    TScopeRecorder scope(8);
    TFormOScopes form(scope, gNoAnswers);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    form.Chart1->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    int samples = 0;
    while (clock.elapsed() < 300) {
        Record(scope, 1, [](int, int sample) { return sample % 2; });
        ++samples;
        form.RefreshWhenDue(); // as the main window does after every tick
        QCoreApplication::processEvents();
    }
    const double frameMs = 1000.0 / form.screen()->refreshRate();
    QVERIFY(counter.Paints >= 1);
    QVERIFY2(counter.Paints <= clock.elapsed() / frameMs + 2,
             qPrintable(QString("%1 paints for %2 samples").arg(counter.Paints).arg(samples)));
    QVERIFY(samples > 4 * counter.Paints);
}

// While recording, the plot repaints only the columns of new samples; what
// the window shows must still equal drawing the whole plot, through page
// turns, nulls, a pan away and back, and a clear.
void TScopeWindowsTest::RepaintingOnlyNewSamplesShowsWhatAFullRepaintDraws()
{
    TScopeRecorder scope(8);
    TFormOScopes form(scope, gNoAnswers);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto shownIsFull = [&] {
        form.Refresh();
        QCoreApplication::processEvents();
        return ShownPlot(form) == FullPlot(form);
    };
    const auto where = [&](int step) {
        return QString("step %1, %2 samples").arg(step).arg(scope.Samples().Count()).toUtf8();
    };
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    std::mt19937 random(11);
    std::uniform_int_distribution<int> level(-1, 3);
    for (int step = 0; step < 60; ++step) {
        // Bursts of 1..7 samples: levels 0, 1/3, 2/3, 1 or none.
        Record(scope, step % 7 + 1, [&](int, int) {
            const int l = level(random);
            return l < 0 ? -1.0 : l / 3.0;
        });
        QVERIFY2(shownIsFull(), where(step).constData());
        if (step == 30) {
            form.ChartScrollBar1->setValue(0);
            QVERIFY2(shownIsFull(), where(step).constData());
            QTest::mouseClick(form.ButtonStop, Qt::LeftButton);
            QTest::mouseClick(form.ButtonClear, Qt::LeftButton);
            QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
            QVERIFY2(shownIsFull(), where(step).constData());
        }
    }
}

// A refresh asked for too soon after the last waits for a later tick; when
// no tick comes, the window still shows the samples a little later.
void TScopeWindowsTest::SamplesHeldBackForTheFrameShowWhenTicksStop()
{
    TScopeRecorder scope(8);
    TFormOScopes form(scope, gNoAnswers);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.ButtonRun, Qt::LeftButton);
    QCoreApplication::processEvents();
    Record(scope, 20, [](int, int sample) { return sample % 2; });
    form.RefreshWhenDue();
    QCoreApplication::processEvents();
    QVERIFY(ShownPlot(form) != FullPlot(form));
    QTRY_VERIFY_WITH_TIMEOUT(ShownPlot(form) == FullPlot(form), 500);
}

// The type chosen in the dialog decides a name without an extension; a
// folder that does not exist gives the error box and leaves nothing behind.
void TScopeWindowsTest::ExportWritesTheChosenTypeAndReportsAFailure()
{
    TScopeRecorder scope(8);
    scope.ButtonRunClick();
    Record(scope, 3, [](int channel, int sample) {
        return channel == 0 ? 0.25 * sample : channel == 1 ? -1 : 1;
    });
    TScriptedScopeDialogs dialogs;
    TFormOScopes form(scope, dialogs);
    const QTemporaryDir dir;
    dialogs.Answers = {{dir.filePath(QStringLiteral("table.csv")), 1},
                       {dir.filePath(QStringLiteral("wave")), 1},
                       {dir.filePath(QStringLiteral("absent/table.csv")), 0}};
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(form.ButtonExport, Qt::LeftButton);

    QFile table(dir.filePath(QStringLiteral("table.csv")));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(),
             QByteArray("\xEF\xBB\xBF"
                        "采样,通道A,通道B,通道C,通道D,通道E,通道F,通道G,通道H\r\n"
                        "0,0,,1,1,1,1,1,1\r\n1,0.25,,1,1,1,1,1,1\r\n2,0.5,,1,1,1,1,1,1\r\n"));
    QFile wave(dir.filePath(QStringLiteral("wave")));
    QVERIFY(wave.open(QIODevice::ReadOnly));
    const QByteArray vcd = wave.readAll();
    QVERIFY(vcd.contains("$timescale 1 ms $end\n$scope module scope $end\n$var real 64 ! A $end\n"));
    QVERIFY(vcd.endsWith("#3\n"));
    QCOMPARE(dialogs.Errors.size(), 1);
    QVERIFY2(dialogs.Errors[0].startsWith(QStringLiteral("无法保存文件 ")) &&
                 dialogs.Errors[0].endsWith(QStringLiteral("没有那个文件或目录")),
             qPrintable(dialogs.Errors[0]));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(), 2);
}

// PNG pixel for pixel as the window shows the plot; SVG as vectors; a name
// in a missing folder gets the error and no file.
void TScopeWindowsTest::ExportPictureWritesThePlotAsShownOrReportsWhyNot()
{
    TScopeRecorder scope(2);
    TScriptedScopeDialogs dialogs;
    TFormOScopes form(scope, dialogs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Record(scope, 60, [](int c, int i) { return (i / 7 + c) % 2; });
    form.Refresh();
    QCOMPARE(form.ButtonExportPicture->text(), QStringLiteral("导出图片"));
    const QTemporaryDir dir;
    const std::array<std::pair<QString, look::TPictureFormat>, 3> files{
        {{dir.filePath(QStringLiteral("plot.png")), look::TPictureFormat::Png},
         {dir.filePath(QStringLiteral("plot.svg")), look::TPictureFormat::Svg},
         {dir.filePath(QStringLiteral("missing/plot.png")), look::TPictureFormat::Png}}};
    size_t next = 0;
    dialogs.Picture = [&](QWidget*, look::TPictureChoice& choice) {
        choice = {files[next].second, 1, false};
        return files[next++].first;
    };
    const QStringList& errors = dialogs.Errors;
    for (size_t i = 0; i < files.size(); ++i)
        form.ButtonExportPicture->click();
    QCOMPARE(QImage(files[0].first).convertToFormat(QImage::Format_RGB32), FullPlot(form));
    // The SVG comes from the same drawing: drawn by an SVG renderer, the
    // plot's grid and traces land on the picture's pixels.
    QSvgRenderer svg(files[1].first);
    QVERIFY(svg.isValid());
    QImage drawn(form.Chart1->size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        svg.render(&painter);
    }
    const QImage png = QImage(files[0].first).convertToFormat(QImage::Format_RGB32);
    const QRect plot = form.Chart1->PlotRect();
    int inked = 0;
    int same = 0;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.left(); x <= plot.right(); ++x)
            if (png.pixel(x, y) == kLime || png.pixel(x, y) == kGridGreen) {
                ++inked;
                same += drawn.pixel(x, y) == png.pixel(x, y) ? 1 : 0;
            }
    QVERIFY(inked > 1000);
    QVERIFY2(same * 100 >= inked * 98, qPrintable(QStringLiteral("%1 of %2").arg(same).arg(inked)));
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.front().startsWith(QStringLiteral("无法保存文件 ")));
    QVERIFY(!QFile::exists(files[2].first));
}

QTEST_MAIN(TScopeWindowsTest)
#include "scope_windows_test.moc"
