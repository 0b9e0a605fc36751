// A bench for part behaviours: any number of parts of any class on one
// canvas, signal sources the test sets directly, ticks, and a count of the
// repaints each part asked for.
#pragma once

#include "core/canvas/flow_chart.h"
#include "core/circuit/parts.h"
#include "core/devices/device_table.h"
#include "core/sim/sim_engine.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace kelto::testing {

// A pin whose current signal the test writes between ticks, the way a push
// button's level is written by the user.
struct TSource {
    TdxFcObject* Pin = nullptr;
    TSimuPortInfo* Record = nullptr;

    void Level(int level) { Set(DIGITAL_OUT, level, 0.0); }
    void Analog(double value) { Set(ANALOG_OUT, 0, value); }
    void MotorDuty(double duty) { Set(MOTOR_PWM_OUT, 0, duty); }
    void ServoPosition(double position) { Set(SERVO_PWM_OUT, 0, position); }
    void Release() { Set(DIGITAL_IN, 0, 0.0); }

private:
    void Set(TPortKind kind, int level, double value)
    {
        Record->FKind = Record->FNextKind = kind;
        Record->FLevel = Record->FNextLevel = level;
        Record->FValue = Record->FNextValue = value;
    }
};

class TDeviceRig : private ICanvasListener {
public:
    TDeviceRig() : Engine(Canvas)
    {
        InstallDeviceHandlers(Engine);
        Canvas.SetListener(this);
        // The speaker has no behaviour of its own; as the last part of every
        // tick it sees what the others queued before the commit.
        FQueueProbe = CreatePart(otSpeaker, Canvas);
        Engine.SetHandler(otSpeaker,
                          [this](TSimuPart&, double, double) { FQueued = Engine.PendingPorts().size(); });
    }
    ~TDeviceRig() override { Canvas.SetListener(nullptr); }

    template <typename TPart = TSimuPart> TPart& Add(TOwnerType type)
    {
        FOwned.push_back(CreateDevice(type, Canvas));
        TSimuPart* part = FOwned.back().get();
        // Apart from each other, so a repaint names exactly one body.
        part->FBody->SetLeft(static_cast<int32_t>(FOwned.size()) * 1000);
        FTickParts.push_back(part);
        return static_cast<TPart&>(*part);
    }

    TSource Source()
    {
        TSimuPart& holder = Add(otVCC);
        TSource source{holder.Pin(0), holder.Port(0)};
        source.Release();
        return source;
    }

    void Wire(TdxFcObject* a, TdxFcObject* b) { Canvas.CreateConnection(a, b); }
    void Wire(const TSource& source, TdxFcObject* pin) { Wire(source.Pin, pin); }

    void Tick(double deltaTime = 0.001)
    {
        FRepaints.clear();
        FTickParts.push_back(FQueueProbe.get());
        Engine.RunTick(FTickParts, deltaTime, 0.0);
        FTickParts.pop_back();
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            Tick();
    }

    // Repaints of the part's body asked for during the last tick.
    int Repaints(const TSimuPart& part) const
    {
        return static_cast<int>(std::count(FRepaints.begin(), FRepaints.end(), part.FBody->Bounds()));
    }

    // Pin records queued during the last tick.
    size_t Queued() const { return FQueued; }

    TdxFlowChart Canvas;
    TSimEngine Engine;

private:
    void CanvasInvalidated(const TRect& rect) override { FRepaints.push_back(rect); }
    void CanvasChanged() override {}

    std::vector<std::unique_ptr<TSimuPart>> FOwned;
    std::unique_ptr<TSimuPart> FQueueProbe;
    size_t FQueued = 0;
    std::vector<TSimuPart*> FTickParts;
    std::vector<TRect> FRepaints;
};

} // namespace kelto::testing
