// The diagram canvas model: objects and connections in creation order, groups,
// wired objects, selection, the slider, hit tests and coordinate conversion.
#pragma once

#include "core/canvas/geometry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kelto {

struct TSimuPortInfo;
class TdxFlowChart;
class TdxFcConnection;

enum class TLineStyle : uint8_t { lsStraight, lsElbowHorizontal, lsElbowVertical };

enum THitFlag : uint32_t {
    NearObjectFlag = 1u << 0,
    OnObjectFlag = 1u << 1,
    OnWireFlag = 1u << 2,
    OnSliderFlag = 1u << 3,
};

// Told what to repaint; the canvas widget listens, the runner need not.
class ICanvasListener {
public:
    virtual ~ICanvasListener() = default;
    virtual void CanvasInvalidated(const TRect& chartRect) = 0;
    virtual void CanvasChanged() = 0;
};

class TdxFcItem {
public:
    explicit TdxFcItem(TdxFlowChart& owner) : FOwner(owner) {}
    virtual ~TdxFcItem() = default;
    TdxFcItem(const TdxFcItem&) = delete;
    TdxFcItem& operator=(const TdxFcItem&) = delete;

    TdxFlowChart& Owner() const { return FOwner; }
    bool Selected() const { return FSelected; }
    virtual void Invalidate() = 0;

protected:
    friend class TdxFlowChart;
    TdxFlowChart& FOwner;
    bool FSelected = false;
};

class TdxFcObject final : public TdxFcItem {
public:
    TdxFcObject(TdxFlowChart& owner, int32_t left, int32_t top, uint16_t width, uint16_t height,
                uint8_t shapeKind);
    ~TdxFcObject() override;

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    uint16_t Width() const { return FWidth; }
    uint16_t Height() const { return FHeight; }
    TRect Bounds() const;
    uint8_t ShapeKind() const { return FShapeKind; }
    bool Visible() const { return FVisible; }

    // Moves or resizes this object only (never its group members); the
    // attached connections follow because they are routed from their ends.
    void SetBounds(int32_t left, int32_t top, uint16_t width, uint16_t height);
    void SetLeft(int32_t left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int32_t top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetVisible(bool visible);

    // Ignored for none, for this object, and for an object already in this
    // object's group tree; also refused when it would close a cycle.
    void AddGroupMember(TdxFcObject* member);
    // The same for each in turn, the list grown once.
    void AddGroupMembers(const std::vector<TdxFcObject*>& members);
    const std::vector<TdxFcObject*>& GroupMembers() const { return Extras().GroupMembers; }
    const std::vector<TdxFcObject*>& WiredObjects() const { return Extras().WiredObjects; }
    const std::vector<TdxFcConnection*>& Connections() const { return Extras().Connections; }
    bool InGroupTree(const TdxFcObject* object) const;

    // Slider: mode 0 none, 1 continuous along the track, 2 snapping to its points.
    uint8_t SliderMode() const { return Extras().SliderMode; }
    TdxFcObject* SliderContainer() const { return Extras().SliderContainer; }
    TdxFcConnection* SliderTrack() const { return Extras().SliderTrack; }
    double SliderPosition() const { return Extras().SliderPosition; }

    // The text drawn centred (the banner's).
    const std::string& Text() const { return Extras().Text; }
    void SetText(std::string text) { MadeExtras().Text = std::move(text); }

    void Invalidate() override;

private:
    friend class TdxFlowChart;
    // What most objects never use (a part has dozens of pins and one body):
    // made on first use, so that an unwired pin stays a few dozen bytes.
    struct TExtras {
        std::vector<TdxFcObject*> GroupMembers;
        std::vector<TdxFcObject*> GroupOwners; // all of them, once the extras exist
        std::vector<TdxFcObject*> WiredObjects;
        std::vector<TdxFcConnection*> Connections;
        std::vector<TdxFcObject*> ContainedSliders;
        TdxFcObject* SliderContainer = nullptr;
        TdxFcConnection* SliderTrack = nullptr;
        double SliderPosition = 0.0;
        uint8_t SliderMode = 0;
        std::string Text;
    };
    static const TExtras kNoExtras;
    TExtras* ExtrasIfMade() const { return FHasExtras ? FSide.Extras : nullptr; }
    const TExtras& Extras() const { return FHasExtras ? *FSide.Extras : kNoExtras; }
    TExtras& MadeExtras();
    // The one owner kept without extras; nullptr once they are made.
    TdxFcObject* InlineGroupOwner() const { return FHasExtras ? nullptr : FSide.GroupOwner; }
    void DropGroupOwner(const TdxFcObject* owner);

    // Declared smallest first with the public decoration fields between, so
    // that they fill the gaps: the object takes 56 bytes (a 64-byte block
    // from the allocator, where 64 would take 80).
    bool FVisible : 1 = true;
    bool FHasExtras : 1 = false;

public:
    // Banner decoration (rectangle shape only).
    bool RaisedEdge : 1 = false;

private:
    uint8_t FShapeKind;
    int32_t FIndex = -1;
    int32_t FLeft;
    int32_t FTop;
    uint16_t FWidth;
    uint16_t FHeight;

public:
    uint32_t Color = 0xFFFFFFFFu;

private:
    // Nearly every grouped object has one owner (a pin, its part's body)
    // and nothing else: the owner shares its place with the extras.
    union {
        TdxFcObject* GroupOwner = nullptr;
        TExtras* Extras; // owned, while FHasExtras
    } FSide;

public:
    TSimuPortInfo* UserData = nullptr;
};

class TdxFcConnection final : public TdxFcItem {
public:
    TdxFcConnection(TdxFlowChart& owner, TdxFcObject* source, TdxFcObject* target);

    TdxFcObject* SourceObject() const { return FSource; }
    TdxFcObject* TargetObject() const { return FTarget; }
    TLineStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TLineStyle style);
    const std::vector<TPoint>& BendPoints() const { return FBendPoints; }
    void AddPoint(TPoint point);
    // Replaces every bend point (taking a move back).
    void SetBendPoints(const std::vector<TPoint>& points);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    bool DrawnBehind() const { return FDrawnBehind; }
    void SetDrawnBehind(bool behind);

    // Source point, bend points, target point: the points the user placed.
    std::vector<TPoint> ControlPoints() const;
    // The drawn polyline, with the corners of the elbow styles inserted.
    std::vector<TPoint> RoutePoints() const;
    // The same into a buffer the caller reuses (painting allocates nothing).
    void RoutePoints(std::vector<TPoint>& route) const;
    TRect BoundingRect() const;

    void Invalidate() override;

private:
    friend class TdxFlowChart;
    int32_t FIndex = -1;
    TdxFcObject* FSource;
    TdxFcObject* FTarget;
    TLineStyle FLineStyle = TLineStyle::lsStraight;
    std::vector<TPoint> FBendPoints;
    bool FVisible = true;
    bool FDrawnBehind = false;
    std::vector<TdxFcObject*> FSliders;
};

struct THitResult {
    TdxFcObject* Object = nullptr;
    TdxFcConnection* Connection = nullptr;
    uint32_t Flags = 0;
    bool operator==(const THitResult&) const = default;
};

class TdxFlowChart {
public:
    TdxFlowChart() = default;
    ~TdxFlowChart();
    TdxFlowChart(const TdxFlowChart&) = delete;
    TdxFlowChart& operator=(const TdxFlowChart&) = delete;

    void SetListener(ICanvasListener* listener) { FListener = listener; }

    TdxFcObject* CreateObject(int32_t left, int32_t top, uint16_t width, uint16_t height,
                              uint8_t shapeKind);
    TdxFcConnection* CreateConnection(TdxFcObject* source, TdxFcObject* target);
    void DeleteObject(TdxFcObject* object);
    void DeleteConnection(TdxFcConnection* connection);
    // For taking a deletion back: the objects [first, first + count) move
    // to start at index `to`; a connection moves to `index`, its place in
    // each end's lists following the new order. Meant for items just
    // created, so whoever watches the wiring has already been told.
    void MoveObjectBlock(int32_t first, int32_t count, int32_t to);
    void MoveConnection(TdxFcConnection* connection, int32_t index);

    int32_t ObjectCount() const { return static_cast<int32_t>(FObjects.size()); }
    TdxFcObject* Objects(int32_t index) const;
    int32_t ConnectionCount() const { return static_cast<int32_t>(FConnections.size()); }
    TdxFcConnection* Connections(int32_t index) const;
    // O(1): each object knows its position; -1 for none or a stranger.
    int32_t IndexOfObject(const TdxFcObject* object) const
    {
        return object == nullptr || &object->FOwner != this ? -1 : object->FIndex;
    }
    int32_t IndexOfConnection(const TdxFcConnection* connection) const;
    // Changes whenever an object or a connection is created or deleted, so
    // whoever keeps what is joined to what knows to look again.
    uint64_t WiringVersion() const { return FWiringVersion; }

    // Single select: selecting an item deselects every other one.
    void Select(TdxFcItem* item);
    void ClearSelection();
    int32_t SelectedObjectCount() const;
    int32_t SelectedConnectionCount() const;
    TdxFcObject* SelectedObject() const;
    TdxFcConnection* SelectedConnection() const;

    THitResult HitTest(int32_t clientX, int32_t clientY) const;
    TdxFcObject* ItemAt(int32_t clientX, int32_t clientY) const { return HitTest(clientX, clientY).Object; }
    uint32_t HitTestAt(int32_t clientX, int32_t clientY) const { return HitTest(clientX, clientY).Flags; }

    TPoint ClientToChart(int32_t x, int32_t y) const;
    TPoint ChartToClient(int32_t x, int32_t y) const;
    void SetScroll(int32_t x, int32_t y);
    int32_t ScrollX() const { return FScrollX; }
    int32_t ScrollY() const { return FScrollY; }
    int32_t Zoom() const { return kZoom; }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    bool Updating() const { return FUpdateCount > 0; }

    void MakeSlider(TdxFcObject* slider, uint8_t mode, TdxFcObject* container, TdxFcConnection* track);
    // A pointer position during a slider drag, in chart units.
    void DragSliderTo(TdxFcObject* slider, double chartX, double chartY);
    // Places the slider at a fraction 0..1 of its track's length.
    void SetSliderPosition(TdxFcObject* slider, double fraction);

    // The end of a move drag: every listed object moves by (dx, dy); bend
    // points of a connection move only when both of its ends moved.
    void MoveObjects(const std::vector<TdxFcObject*>& objects, int32_t dx, int32_t dy);

    void InvalidateChartRect(const TRect& rect);
    // Whether an invalidated rect reaches anyone now (not during an update).
    bool RectsWatched() const { return FUpdateCount == 0 && FListener != nullptr; }

private:
    static constexpr int32_t kZoom = 100;
    void Changed();
    void DetachConnection(TdxFcConnection* connection);
    void PlaceSliderCentre(TdxFcObject* slider, double x, double y);
    THitResult HitObjects(int32_t x, int32_t y) const;
    TdxFcConnection* HitConnections(int32_t x, int32_t y) const;

    std::vector<std::unique_ptr<TdxFcObject>> FObjects;
    std::vector<std::unique_ptr<TdxFcConnection>> FConnections;
    ICanvasListener* FListener = nullptr;
    int32_t FScrollX = 0;
    int32_t FScrollY = 0;
    int32_t FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
    uint64_t FWiringVersion = 0;
};

} // namespace kelto
