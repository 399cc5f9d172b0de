#include "themefile/DocumentWriter.h"

#include <string>

#include "model/InfoText.h"
#include "text/Cp1252.h"
#include "text/Texts.h"

namespace tintora {

namespace {

// Appends one UTF-8 line, stored in Windows-1252, and its CR LF.
void AppendDocumentLine(Bytes& doc, std::string_view line) {
    const std::string bytes = Utf8ToCp1252(line);
    doc.insert(doc.end(), bytes.begin(), bytes.end());
    doc.push_back('\r');
    doc.push_back('\n');
}

}  // namespace

Bytes DocumentBytes(const Theme& theme) {
    Bytes doc;
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
    return doc;
}

void PutDocument(Theme& theme) {
    theme.Document().data = DocumentBytes(theme);
    theme.Document().active = true;
}

}  // namespace tintora
