#include "themefile/DocumentWriter.h"

#include <string>

#include "model/InfoText.h"
#include "text/Cp1252.h"
#include "text/Texts.h"

namespace tintora {

void AppendDocumentLine(MemberRecord& record, std::string_view line) {
    if (!IsBufferAllocated(record.data)) record.data.emplace();
    const std::string bytes = Utf8ToCp1252(line);
    record.data->insert(record.data->end(), bytes.begin(), bytes.end());
    record.data->push_back('\r');
    record.data->push_back('\n');
}

bool bSaveFile(Theme& theme) {
    MemberRecord& doc = theme.Document();
    doc.data.reset();
    const ThemeInfo& info = theme.info;
    AppendDocumentLine(doc, R"(<?xml version="1.0"?>)");
    AppendDocumentLine(doc, std::string("<!--Created with Tintora by ") + std::string(kMakerAddress));
    AppendDocumentLine(doc, "<Theme_name Value=\"" + SafeInfoText(info.name) + "\"/>");
    AppendDocumentLine(doc, "<Theme_modified_by Value=\"" + SafeInfoText(info.modifiedBy) + "\"/>");
    AppendDocumentLine(doc, "<Theme_created Value=\"" + SafeInfoText(info.created) + "\"/>");
    AppendDocumentLine(doc, "<Theme_creator Value=\"" + SafeInfoText(info.creator) + "\"/>-->");
    AppendDocumentLine(doc, "<Ericsson_theme>");
    for (const SlotDef& slot : kSlots)
        if (theme.SlotOn(slot.index))
            AppendDocumentLine(doc, "<" + std::string(slot.element) + " Source=\"" +
                                        std::string(slot.member) + "\"/>");
    for (int index : kDocumentOrder)
        AppendDocumentLine(doc, "<" + std::string(kElements[index].tag) + " Color=\"0x" +
                                    theme.colours[index] + "\"/>");
    AppendDocumentLine(doc, "</Ericsson_theme>");
    return true;
}

}  // namespace tintora
