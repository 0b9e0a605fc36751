// dxFlowChart1, the canvas widget: paints the canvas model (wires behind,
// objects with their draw handler, wires, selection marks, the drag outline),
// repaints what the model invalidates at most once per screen refresh,
// scrolls, zooms the view, and feeds the mouse into the canvas's mouse machine.
#pragma once

#include "gui/render/render_kit.h"

#include "core/canvas/canvas_mouse.h"
#include "core/canvas/view_transform.h"
#include "core/look/display_list.h"

#include <QAbstractScrollArea>
#include <QColor>
#include <QElapsedTimer>
#include <QFont>
#include <QRegion>
#include <QTimer>

#include <functional>
#include <vector>

namespace kelto::gui {

class TdxFlowChartView final : public QAbstractScrollArea, private ICanvasListener {
    Q_OBJECT
public:
    // OnDrawObject: called for each visible object after its shape; r is its
    // rectangle in canvas units, which the painter's transform shows zoomed.
    using TDrawObject = std::function<void(QPainter& painter, const TdxFcObject& object, const QRect& r)>;

    TdxFlowChartView(TdxFlowChart& canvas, TCanvasMouse& mouse, QWidget* parent = nullptr);
    ~TdxFlowChartView() override;

    void SetOnDrawObject(TDrawObject handler) { FOnDrawObject = std::move(handler); }
    // Told after every paint of the canvas.
    void SetOnRepaint(std::function<void()> handler) { FOnRepaint = std::move(handler); }
    // The font and colour an object's text is drawn in (the start-up banner).
    void SetObjectTextStyle(const TdxFcObject* object, const QFont& font, const QColor& colour);
    void ForgetObject(const TdxFcObject* object);
    // The default drawing of an object's text: centred both ways.
    void DrawObjectText(QPainter& painter, const TdxFcObject& object, const QRect& r) const;

    // Where a rectangle of the canvas shows in the view, in pixels.
    QRect ClientRect(const TRect& chartRect) const;
    // How much of the canvas the view shows, in canvas units.
    QSize ShownCanvasSize() const;
    // Scrolls an object into view, if it is out of it.
    void ShowObject(const TdxFcObject* object);

    // What the pointer names at a client point (a pin and its net, a part's
    // caption); empty for nothing.
    void SetHintAt(std::function<QString(QPoint client)> hintAt) { FHintAt = std::move(hintAt); }
    // The pin a wire starts from while wiring, or nullptr; drawn marked, with
    // a line from it to the pointer.
    void SetWiringStart(std::function<const TdxFcObject*()> wiringStart)
    {
        FWiringStart = std::move(wiringStart);
    }
    // The Delete key, and Escape, which gives up a wire begun.
    void SetKeyHandlers(std::function<void()> onDelete, std::function<void()> onEscape)
    {
        FOnDelete = std::move(onDelete);
        FOnEscape = std::move(onEscape);
    }
    // Shown in the middle while the canvas holds nothing.
    void SetEmptyHint(const QString& hint) { FEmptyHint = hint; }

    // The view's zoom in percent, one of kZoomSteps; every change is told.
    int ZoomPercent() const { return FView.Percent(); }
    void SetZoomPercent(int percent);
    void SetOnZoomChanged(std::function<void(int percent)> handler) { FOnZoomChanged = std::move(handler); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct TTextStyle {
        const TdxFcObject* Object;
        QFont Font;
        QColor Colour;
    };

    void AddZoomShortcuts();
    // Zooms to the step keeping the canvas point under view pixel pivot.
    void ZoomAround(int percent, QPoint pivot);
    // The canvas model's scroll and the mouse's client area follow the view's.
    void FollowView();
    QPoint ToClient(QPoint pixel) const;
    void CanvasInvalidated(const TRect& chartRect) override;
    void CanvasChanged() override;
    void ScheduleScrollRangeUpdate();
    void UpdateScrollRange();
    void UpdateDragOutline();
    // Invalidated areas wait here and are painted together once a screen
    // refresh interval has passed since the last paint.
    void Repaint(const QRegion& area);
    void FlushRepaints();
    void PaintConnections(QPainter& painter, const QRegion& clip, bool drawnBehind);
    void PaintObject(QPainter& painter, const TdxFcObject& object, const QRect& r);
    void PaintSelectionMarks(QPainter& painter, const QRegion& clip);
    void PaintDragOutline(QPainter& painter);
    // Where a canvas point shows in the view, in pixels.
    QPoint PixelOf(TPoint chartPoint) const;
    QRect DragOutlineRect() const;
    QRect WiringMarkRect() const;
    // The line from the first pin to the pointer, and the area it covers.
    QLine RubberBand() const;
    QRect RubberBandRect() const;
    void UpdateWiringMark();
    void PaintWiring(QPainter& painter, const QRegion& clip);
    void PaintEmptyHint(QPainter& painter);
    void PaintZoomLabel(QPainter& painter);

    TdxFlowChart& FCanvas;
    TCanvasMouse& FMouse;
    TDrawObject FOnDrawObject;
    std::function<void()> FOnRepaint;
    std::vector<TTextStyle> FTextStyles;
    TViewTransform FView;
    std::function<void(int)> FOnZoomChanged;
    // Wheel turns short of a notch, from fine-grained wheels and touchpads.
    int FWheelAngle = 0;
    std::vector<TPoint> FChartRoute;
    // The wires' drawing, reused by every paint; wires need no pictures or dots.
    look::TDisplayList FWires;
    TRenderKit FKit{false};
    QRect FOutline;
    QTimer FScrollRangeTimer;
    QRegion FDirty;
    QTimer FRepaintTimer;
    QElapsedTimer FSinceFlush;
    // Releases delivered so far; tells a release lost to a modal dialog.
    int FReleaseCount = 0;
    std::function<QString(QPoint)> FHintAt;
    std::function<const TdxFcObject*()> FWiringStart;
    QRect FWiringMark;
    QPoint FPointer;
    QRect FRubberBand;
    std::function<void()> FOnDelete;
    std::function<void()> FOnEscape;
    QString FEmptyHint;
    bool FWasEmpty = false;
};

} // namespace kelto::gui
