#include "web/palette_json.h"

#include "cli/json_writer.h"
#include "core/board/palette.h"
#include "core/board/pointer_hints.h"

namespace kelto::web {

std::string PaletteJson()
{
    cli::TJsonWriter json;
    json.BeginObject().Key("groups").BeginArray();
    for (const TPaletteGroup& group : PaletteGroups()) {
        json.BeginObject().Key("name").String(group.Name).Key("caption").String(group.Caption);
        json.Key("items").BeginArray();
        // Groups are numbered by their names ("dxNavBar1Group3").
        const int number = group.Name.back() - '0';
        for (const TPaletteItem& item : PaletteItems())
            if (item.Group == number)
                json.BeginObject()
                    .Key("item")
                    .Int(item.Item)
                    .Key("caption")
                    .String(item.Caption)
                    .Key("icon")
                    .Int(item.Icon)
                    .Key("hint")
                    .String(PaletteItemHint(item))
                    .EndObject();
        json.EndArray().EndObject();
    }
    json.EndArray().EndObject();
    return json.Text();
}

} // namespace kelto::web
