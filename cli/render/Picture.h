#pragma once
// tintora-cli picture and set-picture: any image made into a slot's GIF exactly as the editor's
// import dialog makes it, written to a file or loaded into a theme. They decode with Qt, so they
// come with render.

#include "commands/Commands.h"

namespace tintora::cli {

int RunPicture(const Args& args, std::ostream& out, std::ostream& err);
int RunSetPicture(const Args& args, std::ostream& out, std::ostream& err);

inline constexpr ExtraCommand kPictureCommand{
    "picture", RunPicture,
    "  tintora-cli picture IMAGE --slot K OUT.gif [--mode crop|fit|stretch] [--no-dither]\n"
    "                      [--bar RRGGBB] [--convert]\n"
    "      Make the GIF for picture slot K (0-5) from any image (PNG, JPEG, BMP, GIF, ...):\n"
    "      fitted to the slot's size (crop, the default, keeps the centre), in the phone's 256\n"
    "      colours, dithered unless --no-dither. --bar sets the colour of the bars and of\n"
    "      transparent parts (default: the default theme's colour behind the slot). A GIF that\n"
    "      already has the slot's size is copied as it is unless --convert. Exit 1 when the\n"
    "      image cannot be read or the GIF cannot be written.\n"};

inline constexpr ExtraCommand kSetPictureCommand{
    "set-picture", RunSetPicture,
    "  tintora-cli set-picture THEME.thm K IMAGE OUT.thm [the options of picture]\n"
    "      Open THEME, load the picture made from IMAGE into slot K (switched on) and save the\n"
    "      theme as OUT. The default bar colour is the theme's colour behind the slot.\n"};

}  // namespace tintora::cli
