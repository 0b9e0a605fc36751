#include "gui/editor/flow_chart_view.h"

#include "gui/editor/strings.h"
#include "gui/render/painter_surface.h"
#include "gui/render/refresh_interval.h"

#include "core/look/board_drawing.h"
#include "core/look/colours.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <limits>

namespace kelto::gui {

namespace {

// Selection marks stand out of their item by this much; invalidated
// rectangles grow by it so marks are erased with their item.
constexpr int kMarkSize = 5;
constexpr int kMarkReach = kMarkSize / 2 + 1;
using look::kDrawReach;
constexpr int kWiringMarkRadius = 5;
const QColor kEmptyHintColour(0x60, 0x60, 0x60);
constexpr int kEmptyHintPixels = 16;
const QColor kZoomLabelColour(0x60, 0x60, 0x60);
constexpr int kZoomLabelMargin = 4;
constexpr int kWheelNotch = 120;

TMouseButton ButtonOf(Qt::MouseButton button, bool& known)
{
    known = true;
    switch (button) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: known = false; return TMouseButton::mbLeft;
    }
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    return shift;
}

// The classic raised edge: light and white above and left, dark grey and
// grey below and right.
const QPalette& RaisedEdgePalette()
{
    static const QPalette palette = [] {
        QPalette p;
        p.setColor(QPalette::Light, QColor(255, 255, 255));
        p.setColor(QPalette::Midlight, QColor(227, 227, 227));
        p.setColor(QPalette::Dark, QColor(160, 160, 160));
        p.setColor(QPalette::Shadow, QColor(105, 105, 105));
        return p;
    }();
    return palette;
}

QRect Grown(const QRect& r, int by)
{
    return r.adjusted(-by, -by, by, by);
}

TRect Moved(const TRect& r, TPoint by)
{
    return {SaturatingAdd(r.Left, by.X), SaturatingAdd(r.Top, by.Y), SaturatingAdd(r.Right, by.X),
            SaturatingAdd(r.Bottom, by.Y)};
}

// The units a route's points lie in.
TRect Covering(const std::vector<TPoint>& points)
{
    TRect r{points.front().X, points.front().Y, points.front().X + 1, points.front().Y + 1};
    for (const TPoint p : points)
        r = {std::min(r.Left, p.X), std::min(r.Top, p.Y), std::max(r.Right, p.X + 1), std::max(r.Bottom, p.Y + 1)};
    return r;
}

// As a QRect counts: the last pixel inside, not the first outside.
QRect InclusiveRect(const TRect& r)
{
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

} // namespace

TdxFlowChartView::TdxFlowChartView(TdxFlowChart& canvas, TCanvasMouse& mouse, QWidget* parent)
    : QAbstractScrollArea(parent), FCanvas(canvas), FMouse(mouse)
{
    setObjectName(QStringLiteral("dxFlowChart1"));
    setFocusPolicy(Qt::ClickFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    FScrollRangeTimer.setSingleShot(true);
    FScrollRangeTimer.setInterval(0);
    connect(&FScrollRangeTimer, &QTimer::timeout, this, &TdxFlowChartView::UpdateScrollRange);
    FRepaintTimer.setSingleShot(true);
    FRepaintTimer.setTimerType(Qt::PreciseTimer);
    connect(&FRepaintTimer, &QTimer::timeout, this, &TdxFlowChartView::FlushRepaints);
    FCanvas.SetListener(this);
    AddZoomShortcuts();
    UpdateScrollRange();
}

TdxFlowChartView::~TdxFlowChartView()
{
    FCanvas.SetListener(nullptr);
}

void TdxFlowChartView::SetObjectTextStyle(const TdxFcObject* object, const QFont& font, const QColor& colour)
{
    ForgetObject(object);
    FTextStyles.push_back({object, font, colour});
}

void TdxFlowChartView::ForgetObject(const TdxFcObject* object)
{
    std::erase_if(FTextStyles, [object](const TTextStyle& style) { return style.Object == object; });
}

QRect TdxFlowChartView::ClientRect(const TRect& chartRect) const
{
    return InclusiveRect(FView.ToPixels(chartRect));
}

QSize TdxFlowChartView::ShownCanvasSize() const
{
    return {FView.UnitsNear(viewport()->width()), FView.UnitsNear(viewport()->height())};
}

QPoint TdxFlowChartView::PixelOf(TPoint chartPoint) const
{
    const TRect r = FView.ToPixels({chartPoint.X, chartPoint.Y, chartPoint.X, chartPoint.Y});
    return {r.Left, r.Top};
}

QPoint TdxFlowChartView::ToClient(QPoint pixel) const
{
    const TPoint client = FView.ToClient({pixel.x(), pixel.y()});
    return {client.X, client.Y};
}

// Steps in and out where a keyboard has them: Ctrl and the + key, or the = key
// under it, for those who do not reach for Shift.
void TdxFlowChartView::AddZoomShortcuts()
{
    const auto add = [this](const QKeySequence& keys, int steps) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, steps] {
            const int percent = steps == 0 ? kActualSize : ZoomStep(FView.Percent(), steps);
            ZoomAround(percent, viewport()->rect().center());
        });
    };
    add(QKeySequence(QKeySequence::ZoomIn), 1);
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), 1);
    add(QKeySequence(QKeySequence::ZoomOut), -1);
    add(QKeySequence(Qt::CTRL | Qt::Key_0), 0);
}

void TdxFlowChartView::SetZoomPercent(int percent)
{
    ZoomAround(percent, {});
}

void TdxFlowChartView::ZoomAround(int percent, QPoint pivot)
{
    if (!FView.ZoomAround(percent, {pivot.x(), pivot.y()}))
        return;
    const TPoint offset = FView.Offset();
    UpdateScrollRange();
    horizontalScrollBar()->setValue(offset.X);
    verticalScrollBar()->setValue(offset.Y);
    FView.ScrollTo(offset);
    FollowView();
    if (FOnZoomChanged)
        FOnZoomChanged(FView.Percent());
}

void TdxFlowChartView::FollowView()
{
    const TPoint scroll = FView.ClientScroll();
    FCanvas.SetScroll(scroll.X, scroll.Y);
    const QPoint last = ToClient({viewport()->width() - 1, viewport()->height() - 1});
    FMouse.SetClientSize(last.x() + 1, last.y() + 1);
    FMouse.SetDragThreshold(FView.UnitsNear(TCanvasMouse::kDragThreshold));
    Repaint(viewport()->rect());
}

void TdxFlowChartView::ShowObject(const TdxFcObject* object)
{
    if (object == nullptr)
        return;
    const QRect r = ClientRect(object->Bounds());
    if (viewport()->rect().contains(r))
        return;
    UpdateScrollRange();
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + r.left() - kDrawReach);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + r.top() - kDrawReach);
}

void TdxFlowChartView::CanvasInvalidated(const TRect& chartRect)
{
    Repaint(Grown(ClientRect(chartRect), std::max(kMarkReach, FView.PixelsCovering(kDrawReach))) &
            viewport()->rect());
    ScheduleScrollRangeUpdate();
}

void TdxFlowChartView::CanvasChanged()
{
    Repaint(viewport()->rect());
    ScheduleScrollRangeUpdate();
}

// The frame clock may tick a thousand times a second and change a display
// on every tick; the screen shows only so many frames.
void TdxFlowChartView::Repaint(const QRegion& area)
{
    if (area.isEmpty())
        return;
    FDirty += area;
    if (FRepaintTimer.isActive())
        return;
    const qint64 since = FSinceFlush.isValid() ? FSinceFlush.elapsed() : std::numeric_limits<qint64>::max();
    // Measured from the last paint, so a flush never comes sooner than one
    // refresh interval after it.
    FRepaintTimer.start(static_cast<int>(std::max<qint64>(0, RefreshIntervalMilliseconds(screen()) - since)));
}

void TdxFlowChartView::FlushRepaints()
{
    viewport()->update(FDirty);
    FDirty = QRegion();
}

// Many invalidations arrive per tick; the extent is worked out once after them.
void TdxFlowChartView::ScheduleScrollRangeUpdate()
{
    if (!FScrollRangeTimer.isActive())
        FScrollRangeTimer.start();
}

// The scrollable area covers the chart origin and every visible object. The
// empty canvas's hint comes and goes with the first object and the last.
void TdxFlowChartView::UpdateScrollRange()
{
    if (const bool empty = FCanvas.ObjectCount() == 0; empty != FWasEmpty && !FEmptyHint.isEmpty()) {
        FWasEmpty = empty;
        Repaint(viewport()->rect());
    }
    TRect extent{0, 0, 0, 0};
    const auto include = [&extent](const TRect& r) {
        extent.Left = std::min(extent.Left, r.Left);
        extent.Top = std::min(extent.Top, r.Top);
        extent.Right = std::max(extent.Right, r.Right);
        extent.Bottom = std::max(extent.Bottom, r.Bottom);
    };
    for (int32_t i = 0; i < FCanvas.ObjectCount(); ++i)
        if (const TdxFcObject* object = FCanvas.Objects(i); object->Visible())
            include(object->Bounds());
    const QSize view = viewport()->size();
    const auto setRange = [](QScrollBar* bar, int32_t low, int32_t high, int page, int32_t current) {
        const int maximum = std::max<int64_t>(int64_t{high} - page, std::max(low, current));
        bar->setRange(std::min(low, current), maximum);
        bar->setPageStep(page);
        bar->setSingleStep(20);
    };
    const TRect content = FView.ToContent(extent);
    const TPoint offset = FView.Offset();
    setRange(horizontalScrollBar(), content.Left, content.Right, view.width(), offset.X);
    setRange(verticalScrollBar(), content.Top, content.Bottom, view.height(), offset.Y);
}

void TdxFlowChartView::scrollContentsBy(int, int)
{
    FView.ScrollTo({horizontalScrollBar()->value(), verticalScrollBar()->value()});
    FollowView();
}

void TdxFlowChartView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    FollowView();
    UpdateScrollRange();
}

// Wires are drawn a canvas unit wide, so a zoomed wire is as thick as the
// lines of the parts it joins.
void TdxFlowChartView::PaintConnections(QPainter& painter, const QRegion& clip, bool drawnBehind)
{
    FWires.Operations.clear();
    for (int32_t i = 0; i < FCanvas.ConnectionCount(); ++i) {
        const TdxFcConnection& connection = *FCanvas.Connections(i);
        if (!connection.Visible() || connection.DrawnBehind() != drawnBehind)
            continue;
        connection.RoutePoints(FChartRoute);
        if (FChartRoute.size() < 2 ||
            !clip.intersects(Grown(ClientRect(Covering(FChartRoute)), FView.PixelsCovering(1))))
            continue;
        look::DrawConnection(FWires, connection, 1);
    }
    Replay(painter, FKit, FWires);
}

void TdxFlowChartView::DrawObjectText(QPainter& painter, const TdxFcObject& object, const QRect& r) const
{
    if (object.Text().empty())
        return;
    painter.save();
    const auto style = std::find_if(FTextStyles.begin(), FTextStyles.end(),
                                    [&object](const TTextStyle& s) { return s.Object == &object; });
    painter.setFont(style != FTextStyles.end() ? style->Font : font());
    painter.setPen(style != FTextStyles.end() ? style->Colour : QColor(Qt::black));
    painter.drawText(r, Qt::AlignCenter, QString::fromStdString(object.Text()));
    painter.restore();
}

void TdxFlowChartView::PaintObject(QPainter& painter, const TdxFcObject& object, const QRect& r)
{
    if (object.ShapeKind() == 1) {
        painter.fillRect(r, QColor::fromRgba(object.Color));
        if (object.RaisedEdge)
            qDrawWinPanel(&painter, r, RaisedEdgePalette(), false, nullptr);
    }
    if (FOnDrawObject)
        FOnDrawObject(painter, object, r);
    else
        DrawObjectText(painter, object, r);
}

void TdxFlowChartView::PaintSelectionMarks(QPainter& painter, const QRegion& clip)
{
    const auto mark = [&painter](QPoint centre) {
        painter.fillRect(QRect(centre.x() - kMarkSize / 2, centre.y() - kMarkSize / 2, kMarkSize, kMarkSize),
                         Qt::black);
    };
    for (int32_t i = 0; i < FCanvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *FCanvas.Objects(i);
        if (!object.Selected() || !object.Visible())
            continue;
        const QRect r = ClientRect(object.Bounds());
        if (!clip.intersects(Grown(r, kMarkReach)))
            continue;
        for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            mark(corner);
    }
    for (int32_t i = 0; i < FCanvas.ConnectionCount(); ++i) {
        const TdxFcConnection& connection = *FCanvas.Connections(i);
        if (!connection.Selected() || !connection.Visible())
            continue;
        connection.RoutePoints(FChartRoute);
        for (const TPoint point : FChartRoute)
            mark(PixelOf(point));
    }
}

QRect TdxFlowChartView::DragOutlineRect() const
{
    if (!FMouse.Dragging())
        return {};
    QRect outline;
    for (const TdxFcObject* object : FMouse.DragObjects())
        if (object->Visible())
            outline |= ClientRect(Moved(object->Bounds(), FMouse.DragOffset()));
    return outline;
}

void TdxFlowChartView::PaintDragOutline(QPainter& painter)
{
    if (!FMouse.Dragging())
        return;
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    for (const TdxFcObject* object : FMouse.DragObjects())
        if (object->Visible())
            painter.drawRect(ClientRect(Moved(object->Bounds(), FMouse.DragOffset())));
}

void TdxFlowChartView::paintEvent(QPaintEvent* event)
{
    // Whatever this paint covers, for whatever reason, need not wait for a
    // later one.
    FDirty -= event->region();
    if (FDirty.isEmpty())
        FRepaintTimer.stop();
    FSinceFlush.start();
    // Many small changes far apart (a busy board's displays) make a region
    // whose bounding box is most of the canvas: only what meets the region
    // itself is drawn.
    const QRegion& clip = event->region();
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& r : clip)
        painter.fillRect(r, Qt::white);
    // The canvas is drawn in its own units; marks, outlines and hints stay
    // the screen's size at every zoom.
    painter.save();
    const TPoint offset = FView.Offset();
    painter.translate(-offset.X, -offset.Y);
    if (FView.Percent() != kActualSize)
        painter.scale(FView.Scale(), FView.Scale());
    PaintConnections(painter, clip, true);
    const int reach = FView.PixelsCovering(kDrawReach);
    for (int32_t i = 0; i < FCanvas.ObjectCount(); ++i) {
        const TdxFcObject& object = *FCanvas.Objects(i);
        if (!object.Visible())
            continue;
        if (clip.intersects(Grown(ClientRect(object.Bounds()), reach)))
            PaintObject(painter, object, InclusiveRect(object.Bounds()));
    }
    PaintConnections(painter, clip, false);
    painter.restore();
    PaintSelectionMarks(painter, clip);
    PaintDragOutline(painter);
    PaintWiring(painter, clip);
    PaintEmptyHint(painter);
    PaintZoomLabel(painter);
    if (FOnRepaint)
        FOnRepaint();
}

void TdxFlowChartView::PaintWiring(QPainter& painter, const QRegion& clip)
{
    const QRect mark = WiringMarkRect();
    if (!mark.isValid())
        return;
    painter.setBrush(Qt::NoBrush);
    if (clip.intersects(mark)) {
        painter.setPen(QPen(QColor::fromRgba(look::ClrWiring), 2));
        painter.drawEllipse(mark.adjusted(1, 1, -1, -1));
    }
    const QLine line = RubberBand();
    FWires.Operations.clear();
    look::DrawWiringLine(FWires, {line.x1(), line.y1()}, {line.x2(), line.y2()});
    Replay(painter, FKit, FWires);
}

void TdxFlowChartView::PaintEmptyHint(QPainter& painter)
{
    if (FCanvas.ObjectCount() != 0 || FEmptyHint.isEmpty())
        return;
    QFont hintFont = font();
    hintFont.setPixelSize(kEmptyHintPixels);
    painter.setPen(kEmptyHintColour);
    painter.setFont(hintFont);
    painter.drawText(viewport()->rect(), Qt::AlignCenter, FEmptyHint);
}

// While the view is zoomed its zoom shows in the bottom right corner, so a
// view left at 80% is not taken for the canvas itself.
void TdxFlowChartView::PaintZoomLabel(QPainter& painter)
{
    if (FView.Percent() == kActualSize)
        return;
    const QString text = editor_strings::kZoomPercent.arg(FView.Percent());
    painter.setFont(font());
    const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-3, -1, 3, 1);
    const QRect r = box.translated(viewport()->rect().bottomRight() - box.bottomRight() -
                                   QPoint(kZoomLabelMargin, kZoomLabelMargin));
    painter.setPen(kZoomLabelColour);
    painter.setBrush(Qt::white);
    painter.drawRect(r);
    painter.drawText(r, Qt::AlignCenter, text);
}

QRect TdxFlowChartView::WiringMarkRect() const
{
    const TdxFcObject* pin = FWiringStart ? FWiringStart() : nullptr;
    if (pin == nullptr)
        return {};
    const QPoint centre = ClientRect(pin->Bounds()).topLeft();
    return {centre.x() - kWiringMarkRadius, centre.y() - kWiringMarkRadius, 2 * kWiringMarkRadius + 1,
            2 * kWiringMarkRadius + 1};
}

QLine TdxFlowChartView::RubberBand() const
{
    const TdxFcObject* pin = FWiringStart ? FWiringStart() : nullptr;
    if (pin == nullptr)
        return {};
    return {ClientRect(pin->Bounds()).topLeft(), FPointer};
}

QRect TdxFlowChartView::RubberBandRect() const
{
    const QLine line = RubberBand();
    return line.isNull() ? QRect() : Grown(QRect(line.p1(), line.p2()).normalized(), 1);
}

// Wiring starts and ends on mouse releases and Escape, and ends whenever a
// click misses a pin, so the mark is brought up to date after each of them;
// the pointer is followed only while a wire is begun.
void TdxFlowChartView::UpdateWiringMark()
{
    const QRect mark = WiringMarkRect();
    const QRect band = RubberBandRect();
    viewport()->setMouseTracking(mark.isValid());
    if (mark == FWiringMark && band == FRubberBand)
        return;
    Repaint(QRegion(FWiringMark) + mark + FRubberBand + band);
    FWiringMark = mark;
    FRubberBand = band;
}

bool TdxFlowChartView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && FHintAt) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = FHintAt(ToClient(help->pos()));
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), hint, viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void TdxFlowChartView::UpdateDragOutline()
{
    const QRect outline = DragOutlineRect();
    if (outline == FOutline)
        return;
    Repaint(Grown(FOutline | outline, 1));
    FOutline = outline;
}

void TdxFlowChartView::mousePressEvent(QMouseEvent* event)
{
    bool known = false;
    const TMouseButton button = ButtonOf(event->button(), known);
    if (!known)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint p = ToClient(event->position().toPoint());
    FMouse.MouseDown(button, ShiftOf(event->modifiers()), p.x(), p.y());
}

void TdxFlowChartView::mouseMoveEvent(QMouseEvent* event)
{
    FPointer = event->position().toPoint();
    const QPoint p = ToClient(FPointer);
    FMouse.MouseMove((event->buttons() & Qt::LeftButton) != 0, p.x(), p.y());
    UpdateDragOutline();
    UpdateWiringMark();
}

void TdxFlowChartView::mouseReleaseEvent(QMouseEvent* event)
{
    bool known = false;
    const TMouseButton button = ButtonOf(event->button(), known);
    if (!known)
        return;
    ++FReleaseCount;
    FPointer = event->position().toPoint();
    const QPoint p = ToClient(FPointer);
    FMouse.MouseUp(button, ShiftOf(event->modifiers()), p.x(), p.y());
    UpdateDragOutline();
    UpdateWiringMark();
}

// The double-click may open a modal dialog; a release made while it is up
// never reaches the blocked window, so it is handled here once the dialog is
// gone, where the pointer then is.
void TdxFlowChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    bool known = false;
    const TMouseButton button = ButtonOf(event->button(), known);
    if (!known)
        return;
    const bool heldBefore = (QGuiApplication::mouseButtons() & event->button()) != 0;
    const int releasesBefore = FReleaseCount;
    const QPoint p = ToClient(event->position().toPoint());
    FMouse.DoubleClick(button, ShiftOf(event->modifiers()), p.x(), p.y());
    const bool heldAfter = (QGuiApplication::mouseButtons() & event->button()) != 0;
    if (heldBefore && !heldAfter && FReleaseCount == releasesBefore) {
        const QPoint at = ToClient(viewport()->mapFromGlobal(QCursor::pos()));
        FMouse.MouseUp(button, ShiftOf(QGuiApplication::keyboardModifiers()), at.x(), at.y());
        UpdateDragOutline();
    }
    UpdateWiringMark();
}

void TdxFlowChartView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete && FOnDelete)
        FOnDelete();
    else if (event->key() == Qt::Key_Escape && FOnEscape)
        FOnEscape();
    else
        return QAbstractScrollArea::keyPressEvent(event);
    UpdateWiringMark();
}

// Ctrl and the wheel zoom around the pointer, a step a notch; the wheel
// alone scrolls.
void TdxFlowChartView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return QAbstractScrollArea::wheelEvent(event);
    event->accept();
    FWheelAngle += event->angleDelta().y();
    const int steps = FWheelAngle / kWheelNotch;
    FWheelAngle -= steps * kWheelNotch;
    if (steps != 0)
        ZoomAround(ZoomStep(FView.Percent(), steps), event->position().toPoint());
}

} // namespace kelto::gui
