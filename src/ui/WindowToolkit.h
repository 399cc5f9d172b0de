#pragma once
// The toolkit of the editor window: Qt's dialogs, plus the window's own information dialog.

#include "platform/QtToolkit.h"

namespace tintora {

class WindowToolkit : public QtToolkit {
public:
    using QtToolkit::QtToolkit;

    // frmInfo, modal over the parent window, until the user closes it.
    void RunInfoDialog(InfoDialogModel& dialog) override;
};

}  // namespace tintora
