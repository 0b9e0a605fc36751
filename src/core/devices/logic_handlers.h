// Tick handlers of the gates, the two flip-flops and the output expander.
// Inputs count as high unless driven low; outputs follow one tick later.
#pragma once

namespace kelto {

class TSimEngine;
class TSimuGate;
class TSimuDFlipFlop;
class TSimuJKFlipFlop;
class TSimuOutExpander;

void UpdateNOTGate(TSimEngine& engine, TSimuGate& gate);
void UpdateANDGate(TSimEngine& engine, TSimuGate& gate);
void UpdateORGate(TSimEngine& engine, TSimuGate& gate);
void UpdateANDNGate(TSimEngine& engine, TSimuGate& gate);
void UpdateORNGate(TSimEngine& engine, TSimuGate& gate);
void UpdateDFlipFlop(TSimEngine& engine, TSimuDFlipFlop& flipFlop);
void UpdateJKFlipFlop(TSimEngine& engine, TSimuJKFlipFlop& flipFlop);
void UpdateOutExpander(TSimEngine& engine, TSimuOutExpander& expander);

} // namespace kelto
