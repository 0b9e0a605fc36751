// Any .dps text: reading either refuses it or builds a circuit that saves to
// a text that reads back to the same circuit, and that circuit can tick.
#include "core/board/board.h"
#include "core/board/board_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kelto;

namespace {

// Saves the circuit, reads the text into a new board and saves that.
std::string SaveAndReload(const TSimuBoard& board, TSimuBoard& reread)
{
    const std::string saved = WriteCircuitDocument(board);
    if (!ReadCircuitDocument(reread, saved).Ok)
        std::abort();
    return WriteCircuitDocument(reread);
}

bool EveryPartHoldsItsSlot(const TSimuBoard& board)
{
    for (int32_t i = 0; i < board.PartCount(); ++i)
        if (board.SlotItemOf(board.Part(i)) == 0)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TSimuBoard board;
    if (!ReadCircuitDocument(board, std::string_view(reinterpret_cast<const char*>(data), size)).Ok)
        return 0;
    TSimuBoard reread;
    const std::string resaved = SaveAndReload(board, reread);
    // A file may list one palette item twice; the earlier part then holds no
    // slot, is saved without its model and is dropped by the next read. After
    // that one loss the text must be stable.
    if (resaved != WriteCircuitDocument(board) && EveryPartHoldsItsSlot(board))
        std::abort();
    TSimuBoard third;
    if (SaveAndReload(reread, third) != resaved)
        std::abort();
    for (int tick = 1; tick <= 5; ++tick)
        board.RunTick(0.001, tick * 0.001);
    return 0;
}
