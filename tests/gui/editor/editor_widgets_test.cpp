// The canvas widget, the palette and the two canvas dialogs on the offscreen
// platform: their texts and shape, what their clicks answer, and what the
// canvas paints and repaints.
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/form_shan_chu.h"
#include "gui/editor/form_xian.h"
#include "gui/editor/nav_bar.h"
#include "gui/render/render_kit.h"

#include "core/board/palette.h"

#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace kelto;
using namespace kelto::gui;

namespace {

class TEventCounter final : public ICanvasMouseEvents {
public:
    void OnMouseDown(TMouseButton, TShiftState, int32_t, int32_t) override { ++Downs; }
    void OnMouseUp(TMouseButton, TShiftState, int32_t, int32_t) override { ++Ups; }
    void OnObjectClick(TdxFcObject*, int32_t, int32_t) override { ++Clicks; }
    void OnDragHandlerOn() override { ++Drags; }
    void OnDragHandlerOff() override {}
    void OnDblClick() override { ++DoubleClicks; }
    int Downs = 0;
    int Ups = 0;
    int Clicks = 0;
    int Drags = 0;
    int DoubleClicks = 0;
};

// A canvas model in a shown view of 300 x 200 pixels.
struct TViewRig {
    TViewRig()
    {
        View.resize(300, 200);
        View.show();
        QVERIFY(QTest::qWaitForWindowExposed(&View));
    }
    QWidget* Client() { return View.viewport(); }

    TdxFlowChart Canvas;
    TEventCounter Events;
    TCanvasMouse Mouse{Canvas, Events};
    TdxFlowChartView View{Canvas, Mouse};
};

bool IsSongFace(const QFont& font)
{
    return QFontInfo(font).family().startsWith(QStringLiteral("AR PL UMing"));
}

} // namespace

class EditorWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { InstallFontSubstitutions(); }

    void wireDialogOffersTheThreeStylesAndAnswersByButton()
    {
        TFormXian dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("连接线"));
        const QStringList labels{QStringLiteral("直线"), QStringLiteral("肘形水平"),
                                 QStringLiteral("肘形垂直")};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(dialog.Labels[i]->text(), labels[i]);
            QCOMPARE(dialog.Icons[i]->pixmap().size(), QSize(11, 11));
        }
        QCOMPARE(dialog.Button1->text(), QStringLiteral("确定"));
        QCOMPARE(dialog.Button2->text(), QStringLiteral("取消"));
        QCOMPARE(dialog.Button3->text(), QStringLiteral("删除"));

        // Modal, as the double-click shows it: elbow vertical checked, then OK.
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(dialog.Button1, Qt::LeftButton); });
        const TWireDialogAnswer ok = dialog.Execute(TLineStyle::lsElbowVertical);
        QCOMPARE(ok.Result, TModalResult::mrOk);
        QVERIFY(ok.Style == TLineStyle::lsElbowVertical);

        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(dialog.Button3, Qt::LeftButton); });
        QCOMPARE(dialog.Execute(TLineStyle::lsStraight).Result, TModalResult::mrNo);
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(&dialog, Qt::Key_Escape); });
        QCOMPARE(dialog.Execute(TLineStyle::lsStraight).Result, TModalResult::mrCancel);
    }

    void wireDialogLabelsAndIconsCheckTheirRadioButton()
    {
        TFormXian dialog;
        dialog.CheckStyle(TLineStyle::lsStraight);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.Labels[1], Qt::LeftButton);
        QVERIFY(dialog.RadioButtons[1]->isChecked());
        QTest::mouseClick(dialog.Icons[2], Qt::LeftButton);
        QVERIFY(dialog.RadioButtons[2]->isChecked());
        QVERIFY(!dialog.RadioButtons[0]->isChecked());
        QVERIFY(dialog.Answer().Style == TLineStyle::lsElbowVertical);
    }

    void deleteDialogAnswersNoOnlyForDelete()
    {
        TFormShanChu dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("删除元件"));
        QCOMPARE(dialog.Button2->text(), QStringLiteral("取消"));
        QCOMPARE(dialog.Button3->text(), QStringLiteral("删除"));
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(dialog.Button3, Qt::LeftButton); });
        QCOMPARE(dialog.ShowModal(), TModalResult::mrNo);
        QTimer::singleShot(0, &dialog, [&dialog] { QTest::mouseClick(dialog.Button2, Qt::LeftButton); });
        QCOMPARE(dialog.ShowModal(), TModalResult::mrCancel);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); });
        QCOMPARE(dialog.ShowModal(), TModalResult::mrCancel);
    }

    void dialogsAreFixedSizeCentredInTheSongTypeface()
    {
        TFormXian xian;
        TFormShanChu shanChu;
        for (QDialog* dialog : std::initializer_list<QDialog*>{&xian, &shanChu}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            QCOMPARE(dialog->font().family(), QStringLiteral("宋体"));
            QCOMPARE(dialog->font().pixelSize(), 16);
            QVERIFY(IsSongFace(dialog->font()));
            QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
            const QPoint offCentre =
                dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center();
            QVERIFY2(offCentre.manhattanLength() <= 2,
                     qPrintable(QString::number(offCentre.manhattanLength())));
            dialog->hide();
        }
    }

    void paletteHasFourGroupsOfItsFortySixItems()
    {
        TdxNavBar bar;
        QCOMPARE(bar.objectName(), QStringLiteral("dxNavBar1"));
        QCOMPARE(bar.count(), 4);
        const QStringList groups{QStringLiteral("输入元件"), QStringLiteral("输出元件"),
                                 QStringLiteral("逻辑电路"), QStringLiteral("其它元件")};
        for (int g = 0; g < 4; ++g)
            QCOMPARE(bar.itemText(g), groups[g]);
        QCOMPARE(bar.currentIndex(), 0);
        QCOMPARE(bar.font().pixelSize(), 16);
        int items = 0;
        for (const TPaletteItem& item : PaletteItems()) {
            const QString caption =
                QString::fromUtf8(item.Caption.data(), static_cast<qsizetype>(item.Caption.size()));
            QCOMPARE(bar.ItemCaption(item.Item), caption);
            QListWidget* list = bar.ListOfItem(item.Item);
            QVERIFY(list != nullptr);
            QCOMPARE(list->iconSize(), QSize(38, 38));
            ++items;
        }
        QCOMPARE(items, 46);
        QCOMPARE(bar.ListOfItem(27), bar.widget(2)); // logic gates are the third group shown
        bar.SetItemCaption(26, QStringLiteral("单通道示波器"));
        QCOMPARE(bar.ItemCaption(26), QStringLiteral("单通道示波器"));
    }

    void paletteSingleClickAsksForItsItem()
    {
        TdxNavBar bar;
        bar.resize(145, 500);
        bar.setCurrentIndex(3);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        QSignalSpy spy(&bar, &TdxNavBar::ItemClicked);
        QListWidget* list = bar.ListOfItem(14);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bar.ItemRect(14).center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 14);
    }

    void canvasTellsClickFromDragAtFourPixels_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("drags");
        QTest::newRow("4 right") << 4 << 0 << false;
        QTest::newRow("2 right 2 down") << 2 << 2 << false;
        QTest::newRow("5 right") << 5 << 0 << true;
        QTest::newRow("3 left 2 up") << -3 << -2 << true;
    }

    void canvasTellsClickFromDragAtFourPixels()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, drags);
        TViewRig rig;
        TdxFcObject* body = rig.Canvas.CreateObject(50, 50, 60, 40, 0);
        const QPoint press(70, 70);
        QTest::mousePress(rig.Client(), Qt::LeftButton, {}, press);
        QTest::mouseMove(rig.Client(), press + QPoint(dx, dy));
        QTest::mouseRelease(rig.Client(), Qt::LeftButton, {}, press + QPoint(dx, dy));
        QCOMPARE(rig.Events.Clicks, drags ? 0 : 1);
        QCOMPARE(rig.Events.Drags, drags ? 1 : 0);
        QCOMPARE(body->Left(), drags ? 50 + dx : 50);
        QCOMPARE(body->Top(), drags ? 50 + dy : 50);
        QVERIFY(body->Selected());
        QCOMPARE(rig.Events.Downs, 1);
        QCOMPARE(rig.Events.Ups, 1);
    }

    void canvasDoubleClickIsTheSecondPress()
    {
        TViewRig rig;
        rig.Canvas.CreateObject(50, 50, 60, 40, 0);
        const QPoint at(70, 70);
        QTest::mouseClick(rig.Client(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(rig.Client(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(rig.Client(), Qt::LeftButton, {}, at);
        QCOMPARE(rig.Events.DoubleClicks, 1);
        QCOMPARE(rig.Events.Downs, 2);
        QCOMPARE(rig.Events.Clicks, 2);
    }

    void canvasPaintsWiresBehindObjectsWiresOnTopAndSelectionMarks()
    {
        TViewRig rig;
        TdxFcObject* block = rig.Canvas.CreateObject(100, 50, 100, 100, 1);
        block->Color = 0xFF0000FFu;
        TdxFcObject* a = rig.Canvas.CreateObject(20, 80, 0, 0, 0);
        TdxFcObject* b = rig.Canvas.CreateObject(280, 80, 0, 0, 0);
        TdxFcObject* c = rig.Canvas.CreateObject(20, 120, 0, 0, 0);
        TdxFcObject* d = rig.Canvas.CreateObject(280, 120, 0, 0, 0);
        rig.Canvas.CreateConnection(a, b)->SetDrawnBehind(true);
        TdxFcConnection* elbow = rig.Canvas.CreateConnection(c, d);
        elbow->AddPoint({150, 170});
        elbow->SetLineStyle(TLineStyle::lsElbowVertical); // down at x = 20, across at y = 170, up at x = 150
        rig.Canvas.Select(block);
        const QImage shot = rig.View.viewport()->grab().toImage();
        QCOMPARE(shot.pixelColor(60, 80), QColor(Qt::black));   // the behind wire outside the block
        QCOMPARE(shot.pixelColor(150, 80), QColor(Qt::blue));   // the block covers the behind wire
        QCOMPARE(shot.pixelColor(20, 150), QColor(Qt::black));  // first elbow leg goes down
        QCOMPARE(shot.pixelColor(100, 170), QColor(Qt::black)); // then across to the bend
        QCOMPARE(shot.pixelColor(150, 140), QColor(Qt::black)); // the top wire crosses the block
        QCOMPARE(shot.pixelColor(100, 50), QColor(Qt::black));  // selection mark at the corner
        QCOMPARE(shot.pixelColor(40, 40), QColor(Qt::white));
    }

    void canvasRepaintsOnlyWhatWasInvalidated()
    {
        TViewRig rig;
        TdxFcObject* near = rig.Canvas.CreateObject(10, 10, 40, 40, 0);
        TdxFcObject* far = rig.Canvas.CreateObject(200, 120, 40, 40, 0);
        QList<const TdxFcObject*> drawn;
        rig.View.SetOnDrawObject(
            [&drawn](QPainter&, const TdxFcObject& object, const QRect&) { drawn.push_back(&object); });
        rig.View.viewport()->repaint();
        QVERIFY(drawn.contains(near) && drawn.contains(far));
        drawn.clear();
        near->Invalidate();
        QTRY_VERIFY(drawn.contains(near));
        QVERIFY(!drawn.contains(far));
    }

    // Invalidations gather until a screen refresh interval has passed since
    // the last paint; none is lost.
    void canvasPaintsABurstOfInvalidationsOncePerRefreshInterval()
    {
        TViewRig rig;
        TdxFcObject* near = rig.Canvas.CreateObject(10, 10, 40, 40, 0);
        TdxFcObject* far = rig.Canvas.CreateObject(200, 120, 40, 40, 0);
        QList<const TdxFcObject*> drawn;
        int paints = 0;
        rig.View.SetOnDrawObject(
            [&drawn](QPainter&, const TdxFcObject& object, const QRect&) { drawn.push_back(&object); });
        rig.View.SetOnRepaint([&paints] { ++paints; });
        QTest::qWait(100);
        const double interval = 1000.0 / rig.View.screen()->refreshRate();
        paints = 0;
        QElapsedTimer burst;
        burst.start();
        for (int i = 0; i < 300; ++i) {
            (i % 2 == 0 ? near : far)->Invalidate();
            QCoreApplication::processEvents();
        }
        const double elapsed = static_cast<double>(burst.elapsed());
        QVERIFY2(paints <= 2 + static_cast<int>(elapsed / interval),
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(paints).arg(elapsed)));
        QVERIFY(paints > 0);
        // Right after a paint, an invalidation waits for the interval but is painted.
        QTest::qWait(100);
        drawn.clear();
        far->Invalidate();
        QTRY_VERIFY(drawn.contains(far));
        drawn.clear();
        near->Invalidate();
        QTRY_VERIFY(drawn.contains(near));
        QVERIFY(!drawn.contains(far));
    }

    void canvasOutOfViewOrUnchangedPaintsNothing()
    {
        TViewRig rig;
        TdxFcObject* hidden = rig.Canvas.CreateObject(900, 700, 40, 40, 0);
        int paints = 0;
        rig.View.SetOnRepaint([&paints] { ++paints; });
        QTest::qWait(100);
        paints = 0;
        for (int i = 0; i < 50; ++i) {
            hidden->Invalidate();
            QCoreApplication::processEvents();
        }
        QTest::qWait(100);
        QCOMPARE(paints, 0);
    }

    void canvasScrollsOverAChartLargerThanTheView()
    {
        TViewRig rig;
        TdxFcObject* far = rig.Canvas.CreateObject(900, 700, 50, 50, 0);
        QTRY_VERIFY(rig.View.horizontalScrollBar()->maximum() > 0);
        QVERIFY(rig.View.verticalScrollBar()->maximum() > 0);
        rig.View.horizontalScrollBar()->setValue(rig.View.horizontalScrollBar()->maximum());
        rig.View.verticalScrollBar()->setValue(rig.View.verticalScrollBar()->maximum());
        const TPoint client = rig.Canvas.ChartToClient(910, 710);
        QVERIFY(client.X >= 0 && client.X < rig.View.viewport()->width());
        QTest::mouseClick(rig.Client(), Qt::LeftButton, {}, QPoint(client.X, client.Y));
        QVERIFY(far->Selected());
    }
};

QTEST_MAIN(EditorWidgetsTest)
#include "editor_widgets_test.moc"
