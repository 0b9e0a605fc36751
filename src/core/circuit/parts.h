// The 31 component classes: shared shape, class-specific state, creation.
#pragma once

#include "core/canvas/geometry.h"
#include "core/circuit/port_info.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelto {

class TdxFlowChart;
class TdxFcObject;
class TdxFcConnection;

// The shape every component shares: body, pins with their records, name.
// Behaviour lives in free functions dispatched on FOwnerType, not here.
class TSimuPart {
public:
    virtual ~TSimuPart();
    TSimuPart(const TSimuPart&) = delete;
    TSimuPart& operator=(const TSimuPart&) = delete;

    int32_t PinCount() const { return FPinCount; }
    // The pin's canvas object, made on first use (a wire needs one): at the
    // body plus the catalogue offset, invisible, in the body's group.
    // nullptr for an index outside the pin list.
    TdxFcObject* Pin(int32_t index);
    // The same without making one: nullptr while the pin has none. Found
    // among the body's group, which holds the few pins that have one.
    TdxFcObject* MadePin(int32_t index) const;
    // Where the pin is, whether or not it has an object.
    TPoint PinPoint(int32_t index) const;
    // Checked: nullptr for an index outside the pin list. Inline: every
    // read of every tick goes through here.
    TSimuPortInfo* Port(int32_t index) const
    {
        return index < 0 || index >= PinCount() ? nullptr : &FPortInfos[static_cast<size_t>(index)];
    }

    const TOwnerType FOwnerType;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TdxFlowChart* FCanvas = nullptr;
    TdxFcObject* FBody = nullptr;
    std::string FName;
    // Where the net cache numbers this part's pins, for the numbering it
    // made in round FNetRound; its business only.
    int32_t FNetBase = 0;
    uint32_t FNetRound = ~0u;

protected:
    TSimuPart(TdxFlowChart& canvas, TOwnerType type);
    // Creates body and records from the class's catalogue entry.
    void Build();
    void CreateBody();
    void AttachPortRecords();

private:
    // One block, one per pin, made when the part is built.
    std::unique_ptr<TSimuPortInfo[]> FPortInfos;
    int32_t FPinCount = 0;
};

// The pin a toggle switch's or keypad's pin is joined to through link slot k
// (0 for a toggle, 0..3 for a keypad) when the switch is closed or the key
// pressed; nullptr for any other pin or slot.
const TSimuPortInfo* LinkedPin(const TSimuPortInfo& record, int k);

// Each class keeps its own fields in a state struct it derives from, so that
// a snapshot copies the struct whole (core/circuit/component_snapshot.h) and a field
// added later cannot be left out of it.
struct TMotorState {
    float FAngle = 0.0f;
    float FDuty = 0.0f;
    uint8_t FDirection = 1;
    bool operator==(const TMotorState&) const = default;
};

class TSimuMotor final : public TSimuPart, public TMotorState {
public:
    explicit TSimuMotor(TdxFlowChart& canvas) : TSimuPart(canvas, otMotor) { Build(); }
};

class TSimuResistance final : public TSimuPart {
public:
    explicit TSimuResistance(TdxFlowChart& canvas);
    ~TSimuResistance() override;
    TdxFcConnection* FTrack = nullptr;
    TdxFcObject* FTrackStart = nullptr;
    TdxFcObject* FTrackEnd = nullptr;
    TdxFcObject* FSlider = nullptr;
};

struct TLedState {
    uint8_t FLit = 0;
    bool operator==(const TLedState&) const = default;
};

class TSimuLEDA final : public TSimuPart, public TLedState {
public:
    explicit TSimuLEDA(TdxFlowChart& canvas) : TSimuPart(canvas, otLEDA) { Build(); }
};

class TSimuLEDB final : public TSimuPart, public TLedState {
public:
    explicit TSimuLEDB(TdxFlowChart& canvas) : TSimuPart(canvas, otLEDB) { Build(); }
};

struct TButtonState {
    uint8_t FClosed = 0;
    uint8_t FNormallyClosed = 0;
    bool operator==(const TButtonState&) const = default;
};

class TSimuAnNiuSwitch final : public TSimuPart, public TButtonState {
public:
    explicit TSimuAnNiuSwitch(TdxFlowChart& canvas) : TSimuPart(canvas, otAnNiuSwitch) { Build(); }
    // The creator of a normally closed button: closed contact, pin low.
    void MakeNormallyClosed();
};

struct TToggleState {
    uint8_t FClosed = 0;
    bool operator==(const TToggleState&) const = default;
};

class TSimuZhaDaoSwitch final : public TSimuPart, public TToggleState {
public:
    explicit TSimuZhaDaoSwitch(TdxFlowChart& canvas);
};

class TSimuMCU final : public TSimuPart {
public:
    explicit TSimuMCU(TdxFlowChart& canvas) : TSimuPart(canvas, otMCU) { Build(); }
};

class TSimuVCC final : public TSimuPart {
public:
    explicit TSimuVCC(TdxFlowChart& canvas) : TSimuPart(canvas, otVCC) { Build(); }
};

class TSimuGND final : public TSimuPart {
public:
    explicit TSimuGND(TdxFlowChart& canvas) : TSimuPart(canvas, otGND) { Build(); }
};

class TSimuSpeaker final : public TSimuPart {
public:
    explicit TSimuSpeaker(TdxFlowChart& canvas) : TSimuPart(canvas, otSpeaker) { Build(); }
};

struct TKeypadState {
    std::array<uint8_t, 16> FKeys{};
    bool operator==(const TKeypadState&) const = default;
};

class TSimuKeypad final : public TSimuPart, public TKeypadState {
public:
    explicit TSimuKeypad(TdxFlowChart& canvas);
    // Bounds-checked view of FKeys (column, row); out of range reads 0.
    uint8_t Key(int column, int row) const;
    void SetKey(int column, int row, uint8_t pressed);
};

class TSimuMicphone final : public TSimuPart {
public:
    explicit TSimuMicphone(TdxFlowChart& canvas) : TSimuPart(canvas, otMicphone) { Build(); }
};

struct TServoState {
    float FAngle = 0.0f;
    float FPosition = 0.5f;
    bool operator==(const TServoState&) const = default;
};

class TSimuServo final : public TSimuPart, public TServoState {
public:
    explicit TSimuServo(TdxFlowChart& canvas) : TSimuPart(canvas, otServo) { Build(); }
};

template <int Digits> struct TSegmentState {
    std::array<uint8_t, Digits * 8> FSegments{};
    bool operator==(const TSegmentState&) const = default;
};

class TSimuSegDispTwo final : public TSimuPart, public TSegmentState<2> {
public:
    explicit TSimuSegDispTwo(TdxFlowChart& canvas) : TSimuPart(canvas, otSegDispTwo) { Build(); }
};

class TSimuSegDispSix final : public TSimuPart, public TSegmentState<6> {
public:
    explicit TSimuSegDispSix(TdxFlowChart& canvas) : TSimuPart(canvas, otSegDispSix) { Build(); }
};

// The LCD controller's state; its operations live in core/devices/lcd1602.h.
constexpr int kLcdDdramSize = 104;
constexpr int kLcdCgramSize = 64;
constexpr int kLcdPositions = 32;
constexpr int kLcdGlyphRows = 8;
constexpr int kLcdGlyphColumns = 5;
constexpr int kLcdGlyphDots = kLcdGlyphRows * kLcdGlyphColumns;
constexpr int kLcdFontBytes = 256 * kLcdGlyphDots;

enum class TLcdAddressMode : uint8_t { DDRAM, CGRAM };

struct TLcdState {
    std::array<uint8_t, kLcdDdramSize> FDDRAM{};
    std::array<uint8_t, kLcdCgramSize> FCGRAM{};
    std::array<uint8_t, kLcdPositions> FShownChars{};
    std::array<uint8_t, kLcdPositions> FPosAddress{};
    // Per position, row, column: 0 dark dot, 1 lit dot, 2 position not in use.
    std::array<uint8_t, kLcdPositions * kLcdGlyphDots> FCellDots{};
    std::array<uint8_t, kLcdFontBytes> FFont{};
    int16_t FDisplayShift = 0;
    TLcdAddressMode FAddressMode = TLcdAddressMode::DDRAM;
    int16_t FAddress = 0;
    int16_t FVisibleCount = 0;
    int16_t FEightBit = 0;
    int16_t FTwoLine = 0;
    int16_t FFontSelect = 0;
    int16_t FDisplayOn = 0;
    int16_t FCursorOn = 0;
    int16_t FBlinkOn = 0;
    int16_t FIncrement = 0;
    int16_t FShiftOnWrite = 0;
    int16_t FShiftDirection = 1;
    int16_t FBlanked = 0;
    int16_t FHighNibble = 0;
    int16_t FLowNibble = 0;
    int16_t FNibblePending = 0;
    int16_t FCursorAddress = 0;
    int16_t FCursorPosition = 0;
    int16_t FCursorHidden = 0;
    int16_t FBlinkPhase = 0;
    int16_t FCursorChar = 32;
    int16_t FLastRW = 0;
    int16_t FLastRS = 0;
    int16_t FLastE = 0;
    uint8_t FBlinkTimerOn = 0;
    int16_t FBlinkCountdown = 0;
    uint8_t FDrivingBus = 0;
    bool operator==(const TLcdState&) const = default;
};

class TSimuLCD1602 final : public TSimuPart, public TLcdState {
public:
    explicit TSimuLCD1602(TdxFlowChart& canvas) : TSimuPart(canvas, otLCD1602) { Build(); }
};

class TSimuOScopes final : public TSimuPart {
public:
    explicit TSimuOScopes(TdxFlowChart& canvas) : TSimuPart(canvas, otOScopes) { Build(); }
};

class TSimuAudioas final : public TSimuPart {
public:
    explicit TSimuAudioas(TdxFlowChart& canvas) : TSimuPart(canvas, otAudioas) { Build(); }
};

class TSimuDAC8Bit final : public TSimuPart {
public:
    explicit TSimuDAC8Bit(TdxFlowChart& canvas) : TSimuPart(canvas, otDAC8Bit) { Build(); }
};

struct TBitDispState {
    std::array<uint8_t, 8> FLit{};
    bool operator==(const TBitDispState&) const = default;
};

class TSimuBitDisp final : public TSimuPart, public TBitDispState {
public:
    explicit TSimuBitDisp(TdxFlowChart& canvas) : TSimuPart(canvas, otBitDisp) { Build(); }
};

// The five two-input-or-one gates share one layout and differ only in type.
class TSimuGate final : public TSimuPart {
public:
    TSimuGate(TdxFlowChart& canvas, TOwnerType type) : TSimuPart(canvas, type) { Build(); }
};
using TSimuNOTGate = TSimuGate;
using TSimuANDGate = TSimuGate;
using TSimuORGate = TSimuGate;
using TSimuANDNGate = TSimuGate;
using TSimuORNGate = TSimuGate;

struct TClockedFlipFlopState {
    uint8_t FLastClock = 1;
    uint8_t FQ = 0;
    uint8_t FQBar = 1;
    bool operator==(const TClockedFlipFlopState&) const = default;
};

class TSimuDFlipFlop final : public TSimuPart, public TClockedFlipFlopState {
public:
    explicit TSimuDFlipFlop(TdxFlowChart& canvas) : TSimuPart(canvas, otDFlipFlop) { Build(); }
};

class TSimuJKFlipFlop final : public TSimuPart, public TClockedFlipFlopState {
public:
    explicit TSimuJKFlipFlop(TdxFlowChart& canvas) : TSimuPart(canvas, otJKFlipFlop) { Build(); }
};

struct TOutExpanderState {
    uint8_t FLastClock = 1;
    std::array<uint8_t, 64> FLatches{};
    bool operator==(const TOutExpanderState&) const = default;
};

class TSimuOutExpander final : public TSimuPart, public TOutExpanderState {
public:
    explicit TSimuOutExpander(TdxFlowChart& canvas) : TSimuPart(canvas, otOutExpander) { Build(); }
};

template <int Side> struct TDotMatrixState {
    std::array<uint8_t, Side * Side> FDots{};
    bool operator==(const TDotMatrixState&) const = default;
};

class TSimuDotMat1616 final : public TSimuPart, public TDotMatrixState<16> {
public:
    explicit TSimuDotMat1616(TdxFlowChart& canvas) : TSimuPart(canvas, otDotMat1616) { Build(); }
};

class TSimuDotMat3232 final : public TSimuPart, public TDotMatrixState<32> {
public:
    explicit TSimuDotMat3232(TdxFlowChart& canvas) : TSimuPart(canvas, otDotMat3232) { Build(); }
};

struct TVoMeterState {
    std::string FReading = "0.00000";
    // The probe value FReading was formatted from, bit for bit; none while
    // the probe showed no value.
    std::optional<uint64_t> FReadingValue;
    bool operator==(const TVoMeterState&) const = default;
};

class TSimuVoMeter final : public TSimuPart, public TVoMeterState {
public:
    explicit TSimuVoMeter(TdxFlowChart& canvas) : TSimuPart(canvas, otVoMeter) { Build(); }
};

// Constructs a component of the given class on the canvas, body at (0, 0)
// (the class's catalogue row names its constructor).
std::unique_ptr<TSimuPart> CreatePart(TOwnerType type, TdxFlowChart& canvas);

} // namespace kelto
