// The canvas's draw handler: finds the component behind a painted object and
// runs the drawing operation of its class.
#pragma once

#include "gui/render/render_kit.h"

#include <QPainter>
#include <QRect>

namespace kelto {
class TSimuPart;
class TdxFcObject;
} // namespace kelto

namespace kelto::gui {

// Draws a component into r, its body's rectangle in the painter's coordinates.
// A component of no drawn class draws nothing.
void DrawPart(QPainter& painter, const TRenderKit& kit, const TSimuPart& part, const QRect& r);

// The canvas calls this after its own drawing of each visible object, with
// the part whose body it is: objects of no part (the banner, the resistor's
// slider) get nothing more. After a variable resistor is drawn its wiper
// takes the slider position.
void dxFlowChart1DrawObject(QPainter& painter, const TRenderKit& kit, TSimuPart* part, const QRect& r);

} // namespace kelto::gui
