// Tick handlers of the LEDs, the segment and bar displays and the matrices:
// pin levels in, lit flags out, a repaint only when a flag changed.
#pragma once

namespace kelto {

class TSimEngine;
class TSimuLEDA;
class TSimuLEDB;
class TSimuSegDispTwo;
class TSimuSegDispSix;
class TSimuBitDisp;
class TSimuDotMat1616;
class TSimuDotMat3232;

void UpdateLEDA(TSimEngine& engine, TSimuLEDA& led);
void UpdateLEDB(TSimEngine& engine, TSimuLEDB& led);
void UpdateSegDispTwo(TSimEngine& engine, TSimuSegDispTwo& display);
void UpdateSegDispSix(TSimEngine& engine, TSimuSegDispSix& display);
void UpdateBitDisp(TSimEngine& engine, TSimuBitDisp& display);
void UpdateDotMat1616(TSimEngine& engine, TSimuDotMat1616& matrix);
void UpdateDotMat3232(TSimEngine& engine, TSimuDotMat3232& matrix);

} // namespace kelto
