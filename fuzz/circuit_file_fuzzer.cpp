// Any .dps text: reading either refuses it or builds a circuit that saves to
// a text that reads back to the same circuit, and that circuit can tick.
#include "core/board/board.h"
#include "core/board/board_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kelto;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TSimuBoard board;
    if (!ReadCircuitDocument(board, std::string_view(reinterpret_cast<const char*>(data), size)).Ok)
        return 0;
    const std::string saved = WriteCircuitDocument(board);
    TSimuBoard reread;
    if (!ReadCircuitDocument(reread, saved).Ok || WriteCircuitDocument(reread) != saved)
        std::abort();
    for (int tick = 1; tick <= 5; ++tick)
        board.RunTick(0.001, tick * 0.001);
    return 0;
}
