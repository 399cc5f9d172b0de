// Feeds arbitrary bytes to the in-memory theme document reader. Besides the sanitizers' findings
// it stops on a step naming an element, slot or text that does not exist, a value longer than the
// reader may produce, or a failure on a line the document does not have.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/Theme.h"
#include "themefile/DocumentReader.h"

using namespace tintora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const DocumentContents read = ReadDocument(std::span<const std::uint8_t>(data, size));
    for (const DocumentStep& step : read.steps) {
        switch (step.kind) {
        case DocumentStep::Kind::Log:
            if (step.text.find_first_of("\r\n") != std::string::npos) std::abort();
            break;
        case DocumentStep::Kind::Colour:
            // At most six characters, each up to 3 UTF-8 bytes.
            if (step.index < 0 || step.index >= kElementCount || step.text.size() > 6 * 3) std::abort();
            break;
        case DocumentStep::Kind::Picture:
            if (step.index < 0 || step.index >= kSlotCount || step.text.find(' ') != std::string::npos)
                std::abort();
            break;
        case DocumentStep::Kind::Info:
            if (step.index < 0 || step.index >= static_cast<int>(kInfoFields.size()) ||
                step.text.find_first_of("\r\n") != std::string::npos)
                std::abort();
            break;
        }
    }
    // A failure names a line that is there: one that ends the count of line ends at least.
    if (read.failure &&
        read.failure->line > static_cast<std::size_t>(std::count_if(data, data + size, [](std::uint8_t b) {
            return b == '\r' || b == '\n';
        })))
        std::abort();
    return 0;
}
