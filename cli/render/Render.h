#pragma once
// tintora-cli render: the thirteen phone screens of a theme, painted by the editor's own preview
// painter into a PNG image, without a window or a display.

#include "commands/Commands.h"

namespace tintora::cli {

int RunRender(const Args& args, std::ostream& out, std::ostream& err);

inline constexpr ExtraCommand kRenderCommand{
    "render", RunRender,
    "  tintora-cli render [--mark-contrast] [--phone-colours] FILE.thm OUT.png\n"
    "  tintora-cli render [--mark-contrast] [--phone-colours] --default OUT.png\n"
    "      Paint the thirteen phone screens of the theme (or of the default theme) at twice\n"
    "      the phone's size, as the editor's preview shows them, into a PNG image; the room\n"
    "      between the screens is transparent. Needs no display. Exit 1 when the theme\n"
    "      cannot be read or the image cannot be written.\n"
    "      --mark-contrast outlines in magenta the texts that are hard to read on the phone\n"
    "      (the pairs under 3:1 of check --contrast). --phone-colours paints every colour and\n"
    "      picture as the phone's 256-colour display shows it.\n"};

}  // namespace tintora::cli
