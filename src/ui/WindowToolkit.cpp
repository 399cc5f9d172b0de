#include "ui/WindowToolkit.h"

#include "ui/InfoDialog.h"

namespace tintora {

void WindowToolkit::RunInfoDialog(InfoDialogModel& dialog) {
    InfoDialog window(dialog, ParentWindow());
    window.exec();
}

}  // namespace tintora
