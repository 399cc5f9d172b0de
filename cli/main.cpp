#include <iostream>

#include "commands/Commands.h"
#ifdef TINTORA_HAVE_RENDER
#include "render/Picture.h"
#include "render/Render.h"
#endif

int main(int argc, char** argv) {
    using namespace tintora::cli;
#ifdef TINTORA_HAVE_RENDER
    const ExtraCommand extra[] = {kRenderCommand, kPictureCommand, kSetPictureCommand};
#else
    const std::span<const ExtraCommand> extra;
#endif
    return RunCli(Args(argv + 1, argv + argc), std::cout, std::cerr, extra);
}
