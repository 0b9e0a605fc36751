// The page's JavaScript functions the engine calls back (its dialogs, its
// timers, its caption), on the object the page handed over; a function the
// page does not have answers undefined.
#pragma once

#include <emscripten/val.h>

#include <utility>

namespace kelto::web {

class TPageCalls {
public:
    void SetPage(emscripten::val page) { FPage = std::move(page); }

    template <class... TArgs> emscripten::val Call(const char* name, TArgs&&... args) const
    {
        if (FPage.isUndefined() || FPage[name].isUndefined())
            return emscripten::val::undefined();
        return FPage.call<emscripten::val>(name, std::forward<TArgs>(args)...);
    }

    // The answer as text; empty when the page gave none.
    template <class... TArgs> std::string Answer(const char* name, TArgs&&... args) const
    {
        const emscripten::val answer = Call(name, std::forward<TArgs>(args)...);
        return answer.isString() ? answer.as<std::string>() : std::string();
    }

private:
    emscripten::val FPage = emscripten::val::undefined();
};

} // namespace kelto::web
