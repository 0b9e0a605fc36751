#include "basic_board.h"
#include "core/basic/program_lines.h"
#include "core/basic/sine_table.h"
#include "core/sim/sim_engine.h"

#include <gtest/gtest.h>

namespace kelto {
namespace {

using testing::TBasicBoard;

// Evaluates an expression as written in a program: rewritten, then read from 0.
int16_t Evaluate(TBasicBoard& b, std::string_view written)
{
    b.Basic().FStatement.Load(RewriteStatement(written));
    b.Basic().FExprCursor = 0;
    return b.Basic().EvaluateExpression();
}

struct TCase {
    std::string_view Text;
    int16_t Value;
};

void ExpectValues(TBasicBoard& b, std::initializer_list<TCase> cases)
{
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(Evaluate(b, c.Text), c.Value);
    }
}

TEST(Expressions, EveryBinaryLevelIsRightAssociative)
{
    TBasicBoard b;
    ExpectValues(b, {
                        {"10-3-2", 9},
                        {"10-3+2", 5},
                        {"100/10/2", 20},
                        {"2*3 OR 4", 14},
                        {"1<2<3", 0},
                        {"2+3*4", 14},
                        {"2*3+4", 10},
                        {"12 AND 10 OR 1", 8}, // 12 AND (10 OR 1)
                        {"5=5=0", 0},          // 5 = (5 = 0)
                        {"1-2*3", -5},
                        {"-2*-3", 6},
                    });
}

TEST(Expressions, ComparisonsGiveMinusOneOrZeroSigned)
{
    TBasicBoard b;
    ExpectValues(b, {
                        {"5=5", -1},
                        {"5<>6", -1},
                        {"5<>5", 0},
                        {"5<=5", -1},
                        {"6>=7", 0},
                        {"-1<0", -1},
                        {"1>-1", -1},
                        {"-32768<32767", -1},
                        {"3>2", -1},
                        {"2>3", 0},
                        {"NOT 0", -1},
                    });
}

TEST(Expressions, AndOrBindTighterThanComparisons)
{
    TBasicBoard b;
    b.Basic().FVariables[0] = 0; // A
    b.Basic().FVariables[1] = 2; // B
    // A = ((1 AND B) = 2): 1 AND 2 is 0, 0 = 2 is false, A (0) = 0 is true.
    EXPECT_EQ(Evaluate(b, "A=1 AND B=2"), -1);
    EXPECT_EQ(Evaluate(b, "(A=1) AND (B=2)"), 0);
    b.Basic().FVariables[0] = 1;
    EXPECT_EQ(Evaluate(b, "(A=1) AND (B=2)"), -1);
}

TEST(Expressions, ArithmeticWrapsAtSixteenBits)
{
    TBasicBoard b;
    ExpectValues(b, {
                        {"32767+1", -32768},
                        {"-32768-1", 32767},
                        {"300*300", 24464},
                        {"-32768/-1", -32768},
                        {"-7/2", -3},
                        {"7/-2", -3},
                        {"~0", -1},
                        {"-~0", 1},
                        {"--5", 5},
                        {"-(-32768)", -32768},
                        {"70000", 4464},
                        {"40000", -25536},
                        {"99999999999", -6145}, // accumulated in 32 bits, then taken modulo 65536
                    });
}

TEST(Expressions, DivisionByZeroGivesZero)
{
    TBasicBoard b;
    ExpectValues(b, {{"7/0", 0}, {"-32768/0", 0}, {"0/0", 0}, {"1+5/(2-2)", 1}});
}

TEST(Expressions, NumbersChooseTheirBaseByTheirPrefix)
{
    TBasicBoard b;
    ExpectValues(b, {
                        {"0x1F", 31},
                        {"0xff", 255},
                        {"0X1F", 0},
                        {"017", 15},
                        {"018", 1},
                        {"09", 0},
                        {"0", 0},
                        {"0x", 0},
                        {"0xG", 0},
                        {"0xFFFF", -1},
                        {"0x10000", 0},
                        {"0777777", -1},
                    });
}

TEST(Expressions, UnusableTextCountsAsZero)
{
    TBasicBoard b;
    b.Basic().FVariables[12] = 5; // M
    ExpectValues(b, {
                        {"(2+3", 5},
                        {"a", 0},
                        {"@5", 0},
                        {"", 0},
                        {"M+1", 6}, // M not followed by IC or IN is the variable
                        {"3+", 3},
                        {"(1+2)*2", 6},
                        {"(1+2]*2", 6}, // the closing character is not checked
                        {"LPR", 0},
                        {"REM", 0},
                        {"COLORX", 0},
                        {"COMMENT+1", 1},
                        {"RA5", 5},
                        {"RAX", 0},
                        {"RA/", 255},
                        {"RA", 208}, // the missing character reads as 0
                        {"SIN(90)+1", 256},
                    });
}

TEST(Expressions, SineByteFollowsItsTable)
{
    const std::pair<int16_t, int16_t> anchors[] =
        {
            {0, 128},  {30, 192}, {90, 255},   {150, 192},   {180, 128},
            {210, 64}, {270, 1},  {330, 64},   {360, 128},   {390, 192},
            {-30, 64}, {-90, 1},  {-360, 128}, {32767, 143}, {-32768, 110}, // 7 and 352 degrees
        };
    for (const auto& [degrees, value] : anchors) {
        SCOPED_TRACE(degrees);
        EXPECT_EQ(SineByte(degrees), value);
    }
    for (int d = 0; d < 360; ++d) {
        EXPECT_GE(SineByte(static_cast<int16_t>(d)), 1);
        EXPECT_LE(SineByte(static_cast<int16_t>(d)), 255);
    }
    TBasicBoard b;
    ExpectValues(b, {{"SIN(30)", 192},
                     {"SIN(-30)", 64},
                     {"SIN(390)", 192},
                     {"COS(0)", 255},
                     {"COS(90)", 128},
                     {"COS(-32768)", 254}}); // 90 + 32768 wraps to -32678, which is 82 degrees
}

TEST(Expressions, TimeFunctionsReadTheLocalClock)
{
    TBasicBoard b;
    b.LocalClock.FTime = {14, 5, 33};
    ExpectValues(b, {{"HOUR*100+MINUTE", 1405}, {"SECOND", 33}, {"HO", 14}, {"MINUTE+1", 6}});
}

TEST(Expressions, RandomAsksTheGeneratorOnlyForPositiveBounds)
{
    TBasicBoard b;
    b.Random.FValue = 4;
    EXPECT_EQ(Evaluate(b, "RANDOM(6)"), 4);
    EXPECT_EQ(Evaluate(b, "RANDOM(1)"), 0);
    EXPECT_EQ(Evaluate(b, "RANDOM(0)"), 0);
    EXPECT_EQ(Evaluate(b, "RANDOM(-3)"), 0);
    EXPECT_EQ(Evaluate(b, "RANDOM(2+1)*10"), 10);
    EXPECT_EQ(b.Random.FBounds, (std::vector<int32_t>{6, 1, 3}));
}

TEST(Expressions, PortFunctionsReadAnUnconnectedMicrocontroller)
{
    TBasicBoard b;
    ExpectValues(b, {
                        {"PINB", 255},
                        {"PINC", 127},
                        {"PIND", 255},
                        {"PINX", 0},
                        {"PORTB", 0},
                        {"PC0", 1},
                        {"PC3", 8},
                        {"PC5", 32},
                        {"PC6", 0},
                        {"PCX", 31},
                        {"JK2", 4},
                        {"JKX", 31},
                        {"MIC", 32},
                        {"ADC0", 0},
                        {"ADC9", 0},
                    });
}

TEST(Expressions, PinReadsTurnThePinIntoAnInputAtOnce)
{
    TBasicBoard b;
    ASSERT_TRUE(b.RunStatements({"DDRC 255", "PORTC 255", "WAIT 100"}));
    b.Tick(3);
    const TSimuPortInfo& pc0 = b.PortBit(kPortCBase);
    ASSERT_EQ(pc0.FKind, DIGITAL_OUT);
    EXPECT_EQ(Evaluate(b, "PORTC"), 127); // the output latch, PC7 has no pin

    EXPECT_EQ(Evaluate(b, "PC0"), 1);
    EXPECT_EQ(pc0.FKind, DIGITAL_IN);
    EXPECT_EQ(b.PortBit(kPortCBase + 1).FKind, DIGITAL_OUT);

    EXPECT_EQ(Evaluate(b, "ADC1"), 0); // an analogue read of an undriven pin
    EXPECT_EQ(b.PortBit(kPortCBase + 1).FKind, ANALOG_IN);

    EXPECT_EQ(Evaluate(b, "PCX"), 31);
    for (int bit = 0; bit < 5; ++bit)
        EXPECT_EQ(b.PortBit(kPortCBase + bit).FKind, DIGITAL_IN) << bit;
    EXPECT_EQ(b.PortBit(kPortCBase + 5).FKind, DIGITAL_OUT);
}

TEST(Expressions, PortInputsSeeTheNetWhileOutputsSeeTheLatch)
{
    TBasicBoard b;
    TSimuPart* ground = b.Board.PlaceItem(13);
    TSimuPart* supply = b.Board.PlaceItem(12);
    b.Board.Canvas().CreateConnection(b.Mcu->Pin(McuPortPinMap[kPortBBase]), ground->Pin(0));
    b.Board.Canvas().CreateConnection(b.Mcu->Pin(McuPortPinMap[2]), supply->Pin(0));
    b.Board.Canvas().CreateConnection(b.Mcu->Pin(McuPortPinMap[3]), ground->Pin(0));
    ASSERT_TRUE(b.RunStatements({"DDRB 1", "PORTB 1", "WAIT 100"}));
    b.Tick(3);
    ExpectValues(b, {{"PINB", 254}, {"PORTB", 1}, {"PC2", 4}, {"PC3", 0}, {"ADC2", 1023}, {"ADC3", 0}});
}

TEST(Expressions, OutputLatchReadsIncludeBitSeven)
{
    struct TCase {
        const char* Statement;
        std::string_view Read;
        int16_t Value;
    };
    // "POUTB" is spelled by the recognised letters only, like any P O . . p word.
    const TCase cases[] = {
        {"PORTB 255", "POUTB", 255}, {"PORTB 255", "PORTB", 255}, {"PORTB 128", "PORTB", 128},
        {"PORTD 255", "PORTD", 255}, {"PORTD 128", "PORTD", 128}, {"PORTC 255", "PORTC", 127},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Statement);
        TBasicBoard b;
        ASSERT_TRUE(b.RunStatements({c.Statement, "WAIT 100"}));
        b.Tick(2);
        ExpectValues(b, {{c.Read, c.Value}});
    }
}

TEST(Expressions, AnalogReadsOutsideChannelsZeroToFiveGiveZeroAndLeaveThePin)
{
    TBasicBoard b;
    TSimuPart* supply = b.Board.PlaceItem(12);
    // PC6 and the port B pins that follow it in the pin map, all driven high.
    for (int entry : {5, 6, kPortBBase, kPortBBase + 1, kPortBBase + 2})
        b.Board.Canvas().CreateConnection(b.Mcu->Pin(McuPortPinMap[static_cast<size_t>(entry)]),
                                          supply->Pin(0));
    const TPortKind pc6Kind = b.PortBit(6).FKind;
    const TPortKind pb0Kind = b.PortBit(kPortBBase).FKind;
    ExpectValues(b, {{"ADC5", 1023}, {"ADC6", 0}, {"ADC7", 0}, {"ADC8", 0}, {"ADC9", 0}, {"ADC/", 0}});
    EXPECT_EQ(b.PortBit(6).FKind, pc6Kind);
    EXPECT_EQ(b.PortBit(kPortBBase).FKind, pb0Kind);
}

} // namespace
} // namespace kelto
