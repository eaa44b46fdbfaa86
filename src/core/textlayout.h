#pragma once

class QPaintDevice;
class QTextDocument;

// Text on a label is measured against one fixed resolution, whatever the
// screen's font resolution or the printer's: a 20 pt word then takes the same
// share of the label on every machine and in every output, and documents
// made on a standard 96-dpi screen keep their look.
namespace textlayout {

constexpr int ReferenceDpi = 96;

// A paint device of ReferenceDpi for text layouts (QAbstractTextDocumentLayout::
// setPaintDevice) and for fonts drawn straight into the scene (QFont(font, device)).
QPaintDevice *referenceDevice();

// Lays the document out on the reference device, with Qt's default document
// margin of 4 reference pixels. (Qt scales frame margins by the device's
// resolution over the screen's, so the margin is given in screen terms.)
void useReference(QTextDocument *document);

} // namespace textlayout
