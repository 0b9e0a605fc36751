// The canvas and the palette name things under the pointer, and the pin a
// wire starts from is marked while wiring (offscreen platform).
#include "gui/editor/flow_chart_view.h"
#include "gui/editor/nav_bar.h"

#include "core/board/board.h"
#include "core/board/pointer_hints.h"
#include "core/circuit/parts.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QTest>
#include <QToolTip>

using namespace kelto;
using namespace kelto::gui;

namespace {

class TNoEvents final : public ICanvasMouseEvents {
public:
    void OnMouseDown(TMouseButton, TShiftState, int32_t, int32_t) override {}
    void OnMouseUp(TMouseButton, TShiftState, int32_t, int32_t) override {}
    void OnObjectClick(TdxFcObject*, int32_t, int32_t) override {}
    void OnDragHandlerOn() override {}
    void OnDragHandlerOff() override {}
    void OnDblClick() override {}
};

constexpr int kLcdItem = 23;

// The bottom right corner of the viewport, checked to lie clear of the part.
QPoint EmptyPoint(const TdxFlowChartView& view, const TSimuPart& part)
{
    const QPoint corner = view.viewport()->rect().bottomRight() - QPoint(10, 10);
    return view.ClientRect(part.FBody->Bounds()).adjusted(-20, -20, 20, 20).contains(corner) ? QPoint()
                                                                                             : corner;
}

QString TipAt(QWidget* widget, QPoint at)
{
    // A hidden tip stays up for a moment, still showing its old text.
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(the previous tip did not go)");
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QCoreApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

int RedPixelsAround(const QImage& image, QPoint centre, int reach)
{
    int red = 0;
    for (int y = centre.y() - reach; y <= centre.y() + reach; ++y)
        for (int x = centre.x() - reach; x <= centre.x() + reach; ++x)
            if (image.valid(x, y) && QColor(image.pixel(x, y)).red() > 200 &&
                QColor(image.pixel(x, y)).green() < 60)
                ++red;
    return red;
}

// A shown canvas on its own board with the microcontroller, naming what HintAtPoint names and marking
// the pin `Start` points at.
struct TCanvasRig {
    TSimuBoard Board;
    TNoEvents Events;
    TCanvasMouse Mouse{Board.Canvas(), Events};
    TdxFlowChartView View{Board.Canvas(), Mouse};
    const TdxFcObject* Start = nullptr;
    TSimuPart* Mcu = Board.PlaceItem(kMcuItem);

    TCanvasRig()
    {
        View.SetHintAt([this](QPoint p) { return QString::fromStdString(HintAtPoint(Board, p.x(), p.y())); });
        View.SetWiringStart([this] { return Start; });
        View.resize(500, 400);
        View.show();
    }
};

} // namespace

class CanvasHintsTest : public QObject {
    Q_OBJECT
private slots:
    void canvasNamesPinsWithTheirNetAndPartsWithTheirCaption()
    {
        TCanvasRig rig;
        TSimuBoard& board = rig.Board;
        TdxFlowChartView& view = rig.View;
        TSimuPart* mcu = rig.Mcu;
        QVERIFY(mcu != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QPoint pb0 = view.ClientRect(mcu->Pin(13)->Bounds()).topLeft();
        QCOMPARE(TipAt(view.viewport(), pb0), QStringLiteral("PB0（第 14 脚）：未驱动（悬空）"));
        const QPoint middle = view.ClientRect(mcu->FBody->Bounds()).center();
        QCOMPARE(TipAt(view.viewport(), middle), QString::fromStdString(BodyHint(board, mcu->FBody)));
        QVERIFY(!TipAt(view.viewport(), middle).isEmpty());
        const QPoint empty = EmptyPoint(view, *mcu);
        QVERIFY(!empty.isNull());
        QCOMPARE(TipAt(view.viewport(), empty), QString());

        TSimuPart* lcd = board.PlaceItem(kLcdItem);
        QVERIFY(lcd != nullptr);
        board.MovePartTo(lcd->FBody, 220, 0);
        QCoreApplication::processEvents();
        QCOMPARE(TipAt(view.viewport(), view.ClientRect(lcd->Pin(1)->Bounds()).topLeft()),
                 QStringLiteral("R/W：未驱动（悬空）"));
    }

    // The mark appears on the button's release and goes when wiring ends.
    void firstWiringPinIsMarkedUntilWiringEnds()
    {
        TCanvasRig rig;
        TdxFlowChartView& view = rig.View;
        TSimuPart* mcu = rig.Mcu;
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QPoint pin = view.ClientRect(mcu->Pin(3)->Bounds()).topLeft();
        const QPoint empty = EmptyPoint(view, *mcu);
        QVERIFY(!empty.isNull());
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, empty);
        QCOMPARE(RedPixelsAround(view.viewport()->grab().toImage(), pin, 7), 0);

        rig.Start = mcu->Pin(3);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, empty);
        QTRY_VERIFY(RedPixelsAround(view.viewport()->grab().toImage(), pin, 7) > 8);
        rig.Start = nullptr;
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, empty);
        QTRY_COMPARE(RedPixelsAround(view.viewport()->grab().toImage(), pin, 7), 0);
    }

    void paletteItemsListTheirPins()
    {
        TdxNavBar bar;
        QListWidget* list = bar.ListOfItem(kLcdItem);
        QVERIFY(list != nullptr);
        QListWidgetItem* entry = nullptr;
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text() == bar.ItemCaption(kLcdItem))
                entry = list->item(row);
        QVERIFY(entry != nullptr);
        QVERIFY(entry->toolTip().startsWith(bar.ItemCaption(kLcdItem)));
        QVERIFY(entry->toolTip().contains(QStringLiteral("RS、R/W、E、D0")));
    }
};

QTEST_MAIN(CanvasHintsTest)
#include "canvas_hints_test.moc"
