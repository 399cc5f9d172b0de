#pragma once
// The one way the program asks the user for a file name: the Read and Save As commands and the
// picture Select buttons all come through here.

#include <optional>
#include <string>

namespace tintora {

class Toolkit;

// Shows the platform's open (save = false) or save dialog with a one-extension type list
// ("thm", without the dot), a title and a starting folder (empty lets the platform choose).
// Returns the chosen path without surrounding blanks, or nullopt when the user did not confirm.
// A chosen file that exists is returned as it is (so "PHOTO.GIF" opens); any other name gets
// "." + extension appended unless it already holds that text in exactly that letter case.
std::optional<std::string> ShowFileDialog(Toolkit& toolkit, const std::string& folder,
                                          const std::string& extension, const std::string& title,
                                          bool save);

}  // namespace tintora
