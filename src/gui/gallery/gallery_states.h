// The parts the gallery shows and the states each is shown in: every
// class, placed from its palette item, then put into each interesting state.
#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace kelto {
class TSimuBoard;
class TSimuPart;
} // namespace kelto

namespace kelto::gui {

struct TGalleryState {
    QString Caption;
    // Puts a freshly placed part into the state; may be empty for the placed state.
    std::function<void(TSimuBoard&, TSimuPart&)> Apply;
    // Some classes have two palette kinds (the normally closed button): 0 means the part's own item.
    int Item = 0;
};

struct TGalleryPart {
    int Item; // the palette item that places it
    std::vector<TGalleryState> States;
};

std::vector<TGalleryPart> GalleryParts();

} // namespace kelto::gui
