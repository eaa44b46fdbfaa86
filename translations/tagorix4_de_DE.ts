<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>BarcodeDialog</name>
    <message>
        <source>Edit barcode</source>
        <translation>Barcode bearbeiten</translation>
    </message>
    <message>
        <source>Constant data</source>
        <translation>Konstante Daten</translation>
    </message>
    <message>
        <source>Data string:</source>
        <translation>Datenzeichenfolge:</translation>
    </message>
    <message>
        <source>Variable data source</source>
        <translation>Variable Datenquelle</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Show human-readable text</source>
        <translation>Klarschrift anzeigen</translation>
    </message>
    <message>
        <source>Keep aspect ratio</source>
        <translation>Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Symbology:</source>
        <translation>Symbologie:</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>The scanner check does not know this symbology.</source>
        <translation>Die Scanprüfung kennt diese Symbologie nicht.</translation>
    </message>
    <message>
        <source>Scans when printed at %1 dpi.</source>
        <translation>Ist bei einem Druck mit %1 dpi scanbar.</translation>
    </message>
    <message>
        <source>Printed at %1 dpi, it scans as &quot;%2&quot;.</source>
        <translation>Mit %1 dpi gedruckt, wird er als &quot;%2&quot; gelesen.</translation>
    </message>
    <message>
        <source>Does not scan when printed at %1 dpi: make the item larger.</source>
        <translation>Ist bei einem Druck mit %1 dpi nicht scanbar: Vergrößern Sie das Element.</translation>
    </message>
    <message>
        <source>Printed module: %1 mm (%2 dots at %3 dpi).</source>
        <translation>Gedrucktes Modul: %1 mm (%2 Punkte bei %3 dpi).</translation>
    </message>
</context>
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Edit barcode...</source>
        <translation>Barcode bearbeiten...</translation>
    </message>
</context>
<context>
    <name>BaseItem</name>
    <message>
        <source>Position and size...</source>
        <translation>Position und Größe...</translation>
    </message>
</context>
<context>
    <name>DataItem</name>
    <message>
        <source>Edit data source...</source>
        <translation>Datenquelle bearbeiten...</translation>
    </message>
</context>
<context>
    <name>DataItemDialog</name>
    <message>
        <source>Edit data item</source>
        <translation>Datenelement bearbeiten</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Quelle:</translation>
    </message>
</context>
<context>
    <name>DataSourceManager</name>
    <message>
        <source>The data file %1 is not UTF-8 text; it was read as Windows-1252.</source>
        <translation>Die Datendatei %1 ist kein UTF-8-Text; sie wurde als Windows-1252 gelesen.</translation>
    </message>
    <message>
        <source>Table %1</source>
        <translation>Tabelle %1</translation>
    </message>
    <message>
        <source>The table is no longer there.</source>
        <translation>Die Tabelle ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>A data file&apos;s table is named by its file.</source>
        <translation>Die Tabelle einer Datendatei trägt den Namen ihrer Datei.</translation>
    </message>
    <message>
        <source>A table needs a name.</source>
        <translation>Eine Tabelle braucht einen Namen.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is taken by another data source.</source>
        <translation>Der Name „%1“ gehört schon einer anderen Datenquelle.</translation>
    </message>
    <message>
        <source>The data file %1 changed on disk and was read again (%2 rows).</source>
        <translation>Die Datendatei %1 wurde auf dem Datenträger geändert und neu gelesen (%2 Zeilen).</translation>
    </message>
    <message>
        <source>The file %1 is not a CSV text file; it was not added.</source>
        <translation>Die Datei %1 ist keine CSV-Textdatei; sie wurde nicht hinzugefügt.</translation>
    </message>
</context>
<context>
    <name>DataSourcesWidget</name>
    <message>
        <source>Data sources</source>
        <translation>Datenquellen</translation>
    </message>
    <message>
        <source>Add from file</source>
        <translation>Aus Datei hinzufügen</translation>
    </message>
    <message>
        <source>Add table</source>
        <translation>Tabelle hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Data files (*.csv *.xlsx *.txt);;All files (*.*)</source>
        <translation>Datendateien (*.csv *.xlsx *.txt);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a CSV, TXT or XLSX file.</source>
        <translation>&apos;%1&apos; ist keine CSV-, TXT- oder XLSX-Datei.</translation>
    </message>
    <message>
        <source>Add sequence...</source>
        <translation>Sequenz hinzufügen...</translation>
    </message>
    <message>
        <source>%1 (items: %2)</source>
        <translation>%1 (Elemente: %2)</translation>
    </message>
    <message>
        <source>Delete the data source &quot;%1&quot;?</source>
        <translation>Die Datenquelle „%1“ löschen?</translation>
    </message>
    <message>
        <source>No item of an open label uses it.</source>
        <translation>Kein Element eines geöffneten Etiketts verwendet sie.</translation>
    </message>
    <message>
        <source>It is used by items on: %1.</source>
        <translation>Sie wird von Elementen verwendet auf: %1.</translation>
    </message>
    <message>
        <source>Those items keep their binding and are bound again when a source of this name is added; until then their labels cannot be printed.</source>
        <translation>Diese Elemente behalten ihre Verknüpfung und werden wieder verknüpft, sobald eine Quelle dieses Namens hinzugefügt wird; bis dahin können ihre Etiketten nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The values of the table are lost unless a saved label still holds them.</source>
        <translation>Die Werte der Tabelle gehen verloren, wenn kein gespeichertes Etikett sie noch enthält.</translation>
    </message>
    <message>
        <source>Delete data source</source>
        <translation>Datenquelle löschen</translation>
    </message>
</context>
<context>
    <name>DateTimeDialog</name>
    <message>
        <source>Date and Time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Use system&apos;s current date and time.</source>
        <translation>Aktuelles Datum und aktuelle Uhrzeit des Systems verwenden.</translation>
    </message>
    <message>
        <source>Set date and time manually.</source>
        <translation>Datum und Uhrzeit manuell festlegen.</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format string:</source>
        <translation>Formatzeichenfolge:</translation>
    </message>
</context>
<context>
    <name>DateTimeItem</name>
    <message>
        <source>Edit date and time format...</source>
        <translation>Datums- und Uhrzeitformat bearbeiten...</translation>
    </message>
</context>
<context>
    <name>DocPropertiesDialog</name>
    <message>
        <source>Document properties</source>
        <translation>Dokumenteigenschaften</translation>
    </message>
</context>
<context>
    <name>DocPropertiesWidget</name>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Size template</source>
        <translation>Größenvorlage</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Liner width</source>
        <translation>Trägerbandbreite</translation>
    </message>
    <message>
        <source>Label width</source>
        <translation>Etikettenbreite</translation>
    </message>
    <message>
        <source>Label height</source>
        <translation>Etikettenhöhe</translation>
    </message>
    <message>
        <source>Margin left</source>
        <translation>Rand links</translation>
    </message>
    <message>
        <source>Margin right</source>
        <translation>Rand rechts</translation>
    </message>
    <message>
        <source>Row spacing</source>
        <translation>Reihenabstand</translation>
    </message>
    <message>
        <source>Column spacing</source>
        <translation>Spaltenabstand</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>The labels do not fit on the liner: they need %1 mm, the liner is %2 mm wide.</source>
        <translation>Die Etiketten passen nicht auf das Trägerband: Sie brauchen %1 mm, das Trägerband ist %2 mm breit.</translation>
    </message>
    <message>
        <source>Address labels</source>
        <translation>Adressetiketten</translation>
    </message>
    <message>
        <source>Multi-across rolls</source>
        <translation>Mehrbahnige Rollen</translation>
    </message>
    <message>
        <source>Product and price labels</source>
        <translation>Produkt- und Preisetiketten</translation>
    </message>
    <message>
        <source>Shipping labels</source>
        <translation>Versandetiketten</translation>
    </message>
    <message>
        <source>Small labels</source>
        <translation>Kleine Etiketten</translation>
    </message>
    <message>
        <source>Square and round-cornered labels</source>
        <translation>Quadratische Etiketten und Etiketten mit runden Ecken</translation>
    </message>
    <message>
        <source>Wide industrial labels</source>
        <translation>Breite Industrieetiketten</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>An item is bound to the data source &quot;%1&quot;, which is not open. Add the data file (or the table) again, or bind the item to another source.</source>
        <translation>Ein Element ist mit der Datenquelle „%1“ verknüpft, die nicht geöffnet ist. Fügen Sie die Datendatei (oder die Tabelle) wieder hinzu oder verknüpfen Sie das Element mit einer anderen Quelle.</translation>
    </message>
    <message>
        <source>The data file %1 is no longer there.</source>
        <translation>Die Datendatei %1 ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows; it had %3 when the label was saved.</source>
        <translation>Die Datendatei %1 hat %2 Zeilen; beim Speichern des Etiketts waren es %3.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows, fewer than the label uses.</source>
        <translation>Die Datendatei %1 hat %2 Zeilen, weniger als das Etikett verwendet.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schrift</translation>
    </message>
    <message>
        <source>Insert label</source>
        <translation>Etikett einfügen</translation>
    </message>
    <message>
        <source>Text alignment</source>
        <translation>Textausrichtung</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Eingabe</translation>
    </message>
</context>
<context>
    <name>DriverPropertiesDialog</name>
    <message>
        <source>%1 Document Properties</source>
        <translation>Dokumenteigenschaften für %1</translation>
    </message>
    <message>
        <source>The driver of this printer has no options.</source>
        <translation>Der Treiber dieses Druckers hat keine Optionen.</translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Localization</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Menu language: </source>
        <translation>Menüsprache: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etiketteneigenschaften</translation>
    </message>
    <message>
        <source>Lock layout</source>
        <translation>Layout sperren</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Als &amp;PDF exportieren...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy...</source>
        <translation>&amp;Kopieren...</translation>
    </message>
    <message>
        <source>&amp;Paste...</source>
        <translation>E&amp;infügen...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Label</source>
        <translation>&amp;Etikett</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Label %1 of %2</source>
        <translation>Etikett %1 von %2</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Raster anzeigen</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Am Raster ausrichten</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>75%</source>
        <translation>75%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>125%</source>
        <translation>125%</translation>
    </message>
    <message>
        <source>150%</source>
        <translation>150%</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Veltrux Tagorix
Version %1.%2.%3%4 (%5)

Design labels, lay them out on roll stock and print runs of different labels.

This software uses Qt version %6 under the terms of the GNU Lesser General Public License (LGPL) version 2.1.
</source>
        <translation>Veltrux Tagorix
Version %1.%2.%3%4 (%5)

Etiketten gestalten, auf Rollenmaterial anordnen und Serien verschiedener Etiketten drucken.

Diese Software verwendet Qt Version %6 gemäß den Bedingungen der GNU Lesser General Public License (LGPL) Version 2.1.
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Unbenannt)</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Datei öffnen...</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Insert image</source>
        <translation>Bild einfügen</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an image that can be read; nothing was inserted.</source>
        <translation>&apos;%1&apos; ist kein lesbares Bild; es wurde nichts eingefügt.</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l);;All files (*.*)</source>
        <translation>Tagorix-4-Etikettendateien (*.tx4l);;Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>Bad file type</source>
        <translation>Ungültiger Dateityp</translation>
    </message>
    <message>
        <source>Unable to open the selected file.</source>
        <translation>Die ausgewählte Datei kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Data files not found</source>
        <translation>Datendateien nicht gefunden</translation>
    </message>
    <message>
        <source>Printer not found</source>
        <translation>Drucker nicht gefunden</translation>
    </message>
    <message>
        <source>The printer %1 was not found. Set up printer in &apos;Label properties&apos;</source>
        <translation>Der Drucker %1 wurde nicht gefunden. Richten Sie einen Drucker unter &apos;Etiketteneigenschaften&apos; ein</translation>
    </message>
    <message>
        <source>Write error</source>
        <translation>Schreibfehler</translation>
    </message>
    <message>
        <source>Unable open &apos;%1&apos; for writing</source>
        <translation>&apos;%1&apos; kann nicht zum Schreiben geöffnet werden</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l)</source>
        <translation>Tagorix-4-Etikettendateien (*.tx4l)</translation>
    </message>
    <message>
        <source>Label modified</source>
        <translation>Etikett geändert</translation>
    </message>
    <message>
        <source>The label &apos;%1&apos; has been modified.
Do you want to save your changes?</source>
        <translation>Das Etikett &apos;%1&apos; wurde geändert.
Möchten Sie die Änderungen speichern?</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>Als PDF exportieren...</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Label exported to file</source>
        <translation>Etikett in Datei exportiert</translation>
    </message>
    <message>
        <source>Export labels as PDF...</source>
        <translation>Etiketten als PDF exportieren...</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Druckerkalibrierung...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written.</source>
        <translation>&quot;%1&quot; konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>an unsaved label</source>
        <translation>ein ungespeichertes Etikett</translation>
    </message>
    <message>
        <source>The label uses data files that were not found:
%1

Its items keep their bindings and are bound again as soon as the files are added in the data sources dock. Until then the labels cannot be printed.</source>
        <translation>Das Etikett verwendet Datendateien, die nicht gefunden wurden:
%1

Seine Elemente behalten ihre Verknüpfungen und werden wieder verknüpft, sobald die Dateien im Fenster „Datenquellen“ hinzugefügt werden. Bis dahin können die Etiketten nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>Data files changed</source>
        <translation>Datendateien geändert</translation>
    </message>
    <message>
        <source>The layout is locked: items cannot be moved or resized</source>
        <translation>Das Layout ist gesperrt: Elemente können nicht verschoben oder in der Größe geändert werden</translation>
    </message>
    <message>
        <source>The layout is unlocked</source>
        <translation>Das Layout ist entsperrt</translation>
    </message>
    <message numerus="yes">
        <source>%n labels exported to %1</source>
        <translation>
            <numerusform>%n Etikett nach %1 exportiert</numerusform>
            <numerusform>%n Etiketten nach %1 exportiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n labels sent to %1</source>
        <translation>
            <numerusform>%n Etikett an %1 gesendet</numerusform>
            <numerusform>%n Etiketten an %1 gesendet</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no longer there; it is taken off the list.</source>
        <translation>„%1“ ist nicht mehr vorhanden und wird aus der Liste entfernt.</translation>
    </message>
    <message>
        <source>Fit label</source>
        <translation>Etikett einpassen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>One label exported to %1</source>
        <translation>Ein Etikett nach %1 exportiert</translation>
    </message>
    <message>
        <source>One label sent to %1</source>
        <translation>Ein Etikett an %1 gesendet</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Restart now</source>
        <translation>Jetzt neu starten</translation>
    </message>
    <message>
        <source>The new language applies when Tagorix starts again.</source>
        <translation>Die neue Sprache gilt ab dem nächsten Start von Tagorix.</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
</context>
<context>
    <name>NewDocumentDialog</name>
    <message>
        <source>New label</source>
        <translation>Neues Etikett</translation>
    </message>
</context>
<context>
    <name>PositionSizeDialog</name>
    <message>
        <source>Position and size</source>
        <translation>Position und Größe</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>Position X:</source>
        <translation>Position X:</translation>
    </message>
    <message>
        <source>Position Y:</source>
        <translation>Position Y:</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Oberfläche</translation>
    </message>
</context>
<context>
    <name>PreviewWidget</name>
    <message>
        <source>Labels</source>
        <translation>Etiketten</translation>
    </message>
    <message>
        <source>New Label</source>
        <translation>Neues Etikett</translation>
    </message>
</context>
<context>
    <name>PrintHandler</name>
    <message>
        <source>The label stock has no columns. Give it at least one column in the label properties.</source>
        <translation>Das Etikettenmaterial hat keine Spalten. Legen Sie in den Etiketteneigenschaften mindestens eine Spalte fest.</translation>
    </message>
    <message>
        <source>The label stock has a margin or spacing that is not a length of zero or more.</source>
        <translation>Das Etikettenmaterial hat einen Rand oder Abstand, der keine Länge von null oder mehr ist.</translation>
    </message>
    <message>
        <source>The margins of the label stock (left %1 mm, right %2 mm) leave no printable width on its %3 mm liner.</source>
        <translation>Die Ränder des Etikettenmaterials (links %1 mm, rechts %2 mm) lassen auf dem %3 mm breiten Trägerband keine bedruckbare Breite übrig.</translation>
    </message>
    <message>
        <source>The column spacing of the label stock (%1 mm) leaves no room for %2 columns on its %3 mm liner.</source>
        <translation>Der Spaltenabstand des Etikettenmaterials (%1 mm) lässt auf dem %3 mm breiten Trägerband keinen Platz für %2 Spalten.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Give one range of labels from 1 to %1, for example 2-5.</source>
        <translation>Geben Sie einen Etikettenbereich von 1 bis %1 an, zum Beispiel 2-5.</translation>
    </message>
    <message>
        <source>Printing label %1 of %2</source>
        <translation>Drucke Etikett %1 von %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Quantities</source>
        <translation>Stückzahlen</translation>
    </message>
    <message>
        <source>Take each label&apos;s number of copies from the column</source>
        <translation>Anzahl der Kopien jedes Etiketts aus der Spalte übernehmen</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Druckerkalibrierung...</translation>
    </message>
    <message>
        <source>%1 labels will be printed in all.</source>
        <translation>Insgesamt werden %1 Etiketten gedruckt.</translation>
    </message>
    <message>
        <source>No printer is chosen.</source>
        <translation>Es ist kein Drucker ausgewählt.</translation>
    </message>
    <message>
        <source>The print system is not running: no print scheduler answers at %1.</source>
        <translation>Das Drucksystem läuft nicht: Unter %1 antwortet kein Druckdienst.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not exist (any more).</source>
        <translation>Der Drucker &quot;%1&quot; existiert nicht (mehr).</translation>
    </message>
    <message>
        <source>The print system did not answer for &quot;%1&quot;: %2</source>
        <translation>Das Drucksystem hat für &quot;%1&quot; nicht geantwortet: %2</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not accept jobs; nothing was sent.</source>
        <translation>Der Drucker &quot;%1&quot; nimmt keine Aufträge an; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; is stopped; nothing was sent. Start it, then print again.</source>
        <translation>Der Drucker &quot;%1&quot; ist angehalten; es wurde nichts gesendet. Starten Sie ihn und drucken Sie dann erneut.</translation>
    </message>
    <message>
        <source>Copies from a column need a data item bound to a data source.</source>
        <translation>Kopien aus einer Spalte erfordern ein Datenelement, das an eine Datenquelle gebunden ist.</translation>
    </message>
    <message>
        <source>Row %1 of &quot;%2&quot;: &quot;%3&quot; in the column &quot;%4&quot; is not a number of copies from 0 to 9999; nothing was printed.</source>
        <translation>Zeile %1 von &quot;%2&quot;: &quot;%3&quot; in der Spalte &quot;%4&quot; ist keine Kopienanzahl von 0 bis 9999; es wurde nichts gedruckt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: the folder does not exist or is not writable.</source>
        <translation>&quot;%1&quot; kann nicht geschrieben werden: Der Ordner existiert nicht oder ist nicht beschreibbar.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one label or one range of labels. Give one range of labels from 1 to %2, for example 2-5.</source>
        <translation>&quot;%1&quot; ist weder ein Etikett noch ein Etikettenbereich. Geben Sie einen Etikettenbereich von 1 bis %2 an, zum Beispiel 2-5.</translation>
    </message>
    <message>
        <source>The %1 columns of the label stock leave less than %2 mm for each label on its %3 mm liner.</source>
        <translation>Die %1 Spalten des Etikettenmaterials lassen auf dem %3 mm breiten Trägerband weniger als %2 mm für jedes Etikett.</translation>
    </message>
    <message>
        <source>Nothing was printed.</source>
        <translation>Es wurde nichts gedruckt.</translation>
    </message>
    <message>
        <source>None of the document&apos;s data sources has a column &quot;%1&quot;.</source>
        <translation>Keine Datenquelle des Dokuments hat eine Spalte „%1“.</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>und %1 weitere.</translation>
    </message>
    <message>
        <source>Barcodes of these labels cannot be encoded; nothing was printed:</source>
        <translation>Die Barcodes dieser Etiketten lassen sich nicht codieren; es wurde nichts gedruckt:</translation>
    </message>
    <message>
        <source>The labels could not be drawn for &quot;%1&quot;; nothing was sent.</source>
        <translation>Die Etiketten für &quot;%1&quot; konnten nicht gezeichnet werden; es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The job for &quot;%1&quot; was not taken: %2</source>
        <translation>Der Auftrag für &quot;%1&quot; wurde nicht angenommen: %2</translation>
    </message>
    <message>
        <source>Barcodes of these labels do not scan as drawn for &quot;%1&quot;; nothing was printed:</source>
        <translation>Die Barcodes dieser Etiketten lassen sich so, wie sie für &quot;%1&quot; gezeichnet sind, nicht scannen; es wurde nichts gedruckt:</translation>
    </message>
</context>
<context>
    <name>PrinterCalibrationDialog</name>
    <message>
        <source>Printer calibration</source>
        <translation>Druckerkalibrierung</translation>
    </message>
    <message>
        <source>Print the calibration label and measure how far the printed cross lies from the label&apos;s centre. Enter that distance the other way round: positive values move the print to the right and down.</source>
        <translation>Drucken Sie das Kalibrierungsetikett und messen Sie, wie weit das gedruckte Kreuz von der Mitte des Etiketts entfernt liegt. Geben Sie diesen Abstand mit umgekehrtem Vorzeichen ein: Positive Werte verschieben den Druck nach rechts und nach unten.</translation>
    </message>
    <message>
        <source>Print calibration label</source>
        <translation>Kalibrierungsetikett drucken</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Drucker:</translation>
    </message>
    <message>
        <source>Horizontal offset:</source>
        <translation>Horizontaler Versatz:</translation>
    </message>
    <message>
        <source>Vertical offset:</source>
        <translation>Vertikaler Versatz:</translation>
    </message>
    <message>
        <source>The calibration label could not be sent to &quot;%1&quot;.</source>
        <translation>Das Kalibrierungsetikett konnte nicht an &quot;%1&quot; gesendet werden.</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>ZPL II</source>
        <translation>ZPL II</translation>
    </message>
    <message>
        <source>The print system&apos;s driver</source>
        <translation>Der Treiber des Drucksystems</translation>
    </message>
    <message>
        <source>Printer language:</source>
        <translation>Druckersprache:</translation>
    </message>
    <message>
        <source>Automatic (ZPL II)</source>
        <translation>Automatisch (ZPL II)</translation>
    </message>
    <message>
        <source>Automatic (the driver)</source>
        <translation>Automatisch (der Treiber)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Align items</source>
        <translation>Elemente ausrichten</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Element löschen</translation>
    </message>
    <message>
        <source>Delete items</source>
        <translation>Elemente löschen</translation>
    </message>
    <message>
        <source>Insert text frame</source>
        <translation>Textrahmen einfügen</translation>
    </message>
    <message>
        <source>Insert data frame</source>
        <translation>Datenrahmen einfügen</translation>
    </message>
    <message>
        <source>Insert Date and Time frame</source>
        <translation>Datums- und Uhrzeitrahmen einfügen</translation>
    </message>
    <message>
        <source>Insert image frame</source>
        <translation>Bildrahmen einfügen</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>Element verschieben</translation>
    </message>
    <message>
        <source>Resize item</source>
        <translation>Elementgröße ändern</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Position and size</source>
        <translation>Position und Größe</translation>
    </message>
    <message>
        <source>Rotate items</source>
        <translation>Elemente drehen</translation>
    </message>
    <message>
        <source>Insert barcode</source>
        <translation>Barcode einfügen</translation>
    </message>
    <message>
        <source>Edit barcode</source>
        <translation>Barcode bearbeiten</translation>
    </message>
    <message>
        <source>Edit data source</source>
        <translation>Datenquelle bearbeiten</translation>
    </message>
    <message>
        <source>Edit date and time format</source>
        <translation>Datums- und Uhrzeitformat bearbeiten</translation>
    </message>
    <message>
        <source>Edit item</source>
        <translation>Element bearbeiten</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etiketteneigenschaften</translation>
    </message>
</context>
<context>
    <name>ScanReportDialog</name>
    <message>
        <source>Barcodes that do not scan</source>
        <translation>Nicht scanbare Barcodes</translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) about to be printed at %1 dpi cannot be read, or read as other data.</source>
        <translation>
            <numerusform>%n Barcode, der mit %1 dpi gedruckt werden soll, kann nicht gelesen werden oder wird als andere Daten gelesen.</numerusform>
            <numerusform>%n Barcodes, die mit %1 dpi gedruckt werden sollen, können nicht gelesen werden oder werden als andere Daten gelesen.</numerusform>
        </translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etikett</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Erwartet</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Gelesen</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(nichts)</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... und %n weiterer.</numerusform>
            <numerusform>... und %n weitere.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) of symbologies the decoder does not know could not be checked.</source>
        <translation>
            <numerusform>%n Barcode mit einer Symbologie, die der Decoder nicht kennt, konnte nicht geprüft werden.</numerusform>
            <numerusform>%n Barcodes mit Symbologien, die der Decoder nicht kennt, konnten nicht geprüft werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Print anyway</source>
        <translation>Trotzdem drucken</translation>
    </message>
    <message>
        <source>Checking the barcodes...</source>
        <translation>Barcodes werden geprüft...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
</context>
<context>
    <name>SequenceDialog</name>
    <message>
        <source>Add sequence</source>
        <translation>Sequenz hinzufügen</translation>
    </message>
    <message>
        <source>Serial numbers</source>
        <translation>Seriennummern</translation>
    </message>
    <message>
        <source> digits</source>
        <translation> Stellen</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>First number:</source>
        <translation>Erste Nummer:</translation>
    </message>
    <message>
        <source>Last number:</source>
        <translation>Letzte Nummer:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Schrittweite:</translation>
    </message>
    <message>
        <source>Zero padding:</source>
        <translation>Mit Nullen auffüllen:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Präfix:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Suffix:</translation>
    </message>
    <message>
        <source>The sequence needs a name.</source>
        <translation>Die Sequenz benötigt einen Namen.</translation>
    </message>
    <message>
        <source>A data source of this name exists already.</source>
        <translation>Eine Datenquelle mit diesem Namen ist bereits vorhanden.</translation>
    </message>
    <message>
        <source>First number, last number and step each need a whole number.</source>
        <translation>Erste Nummer, letzte Nummer und Schrittweite müssen jeweils eine ganze Zahl sein.</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 Wert</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 Werte</translation>
    </message>
</context>
<context>
    <name>TableEditor</name>
    <message>
        <source>Edit %1</source>
        <translation>%1 bearbeiten</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Rename table</source>
        <translation>Tabelle umbenennen</translation>
    </message>
</context>
<context>
    <name>TextToolbar</name>
    <message>
        <source>Text Formatting</source>
        <translation>Textformatierung</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Strikethrough</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Linksbündig</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Rechtsbündig</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Blocksatz</translation>
    </message>
</context>
<context>
    <name>ToolsToolbar</name>
    <message>
        <source>Tools</source>
        <translation>Werkzeuge</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Variable data</source>
        <translation>Variable Daten</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Datum und Uhrzeit</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Barcode</translation>
    </message>
</context>
<context>
    <name>TransAlignToolbar</name>
    <message>
        <source>Transform and align</source>
        <translation>Transformieren und ausrichten</translation>
    </message>
    <message>
        <source>0%1</source>
        <translation>0%1</translation>
    </message>
    <message>
        <source>45%1</source>
        <translation>45%1</translation>
    </message>
    <message>
        <source>90%1</source>
        <translation>90%1</translation>
    </message>
    <message>
        <source>135%1</source>
        <translation>135%1</translation>
    </message>
    <message>
        <source>180%1</source>
        <translation>180%1</translation>
    </message>
    <message>
        <source>225%1</source>
        <translation>225%1</translation>
    </message>
    <message>
        <source>270%1</source>
        <translation>270%1</translation>
    </message>
    <message>
        <source>315%1</source>
        <translation>315%1</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
</context>
<context>
    <name>UndoWidget</name>
    <message>
        <source>Undo history</source>
        <translation>Rückgängig-Verlauf</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update feed declares a document type, which is not accepted.</source>
        <translation>Der Update-Feed deklariert einen Dokumenttyp; das wird nicht akzeptiert.</translation>
    </message>
    <message>
        <source>The update feed is not a valid appcast: %1 (line %2).</source>
        <translation>Der Update-Feed ist kein gültiger Appcast: %1 (Zeile %2).</translation>
    </message>
    <message>
        <source>The update feed lists no release for this system.</source>
        <translation>Der Update-Feed enthält keine Version für dieses System.</translation>
    </message>
    <message>
        <source>The signature check could not be started.</source>
        <translation>Die Signaturprüfung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The update is not signed.</source>
        <translation>Das Update ist nicht signiert.</translation>
    </message>
    <message>
        <source>The update&apos;s signature is damaged.</source>
        <translation>Die Signatur des Updates ist beschädigt.</translation>
    </message>
    <message>
        <source>This program has no valid key to check updates with.</source>
        <translation>Dieses Programm hat keinen gültigen Schlüssel, um Updates zu prüfen.</translation>
    </message>
    <message>
        <source>The downloaded file cannot be read: %1</source>
        <translation>Die heruntergeladene Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The download has %1 bytes, but the update feed announced %2.</source>
        <translation>Der Download hat %1 Byte, der Update-Feed hat aber %2 angekündigt.</translation>
    </message>
    <message>
        <source>The update&apos;s signature does not match the download; it may have been changed.</source>
        <translation>Die Signatur des Updates passt nicht zum Download; er wurde möglicherweise verändert.</translation>
    </message>
    <message>
        <source>No update feed is configured for this build.</source>
        <translation>Für diesen Build ist kein Update-Feed konfiguriert.</translation>
    </message>
    <message>
        <source>The update feed address %1 is not an https address.</source>
        <translation>Die Adresse %1 des Update-Feeds ist keine https-Adresse.</translation>
    </message>
    <message>
        <source>The update feed is larger than 1 MiB and was not read.</source>
        <translation>Der Update-Feed ist größer als 1 MiB und wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>The update feed could not be read: it was redirected to an address that is not https.</source>
        <translation>Der Update-Feed konnte nicht gelesen werden: Er wurde an eine Adresse umgeleitet, die keine https-Adresse ist.</translation>
    </message>
    <message>
        <source>The update feed could not be read: %1</source>
        <translation>Der Update-Feed konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The download address %1 is not an https address.</source>
        <translation>Die Download-Adresse %1 ist keine https-Adresse.</translation>
    </message>
    <message>
        <source>The update feed gives no valid size for the download.</source>
        <translation>Der Update-Feed gibt keine gültige Größe für den Download an.</translation>
    </message>
    <message>
        <source>No folder for the download could be made: %1</source>
        <translation>Es konnte kein Ordner für den Download angelegt werden: %1</translation>
    </message>
    <message>
        <source>The download cannot be written: %1</source>
        <translation>Der Download kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The download is larger than the update feed announced (%1 bytes).</source>
        <translation>Der Download ist größer, als der Update-Feed angekündigt hat (%1 Byte).</translation>
    </message>
    <message>
        <source>The download failed: %1</source>
        <translation>Der Download ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The update check failed.</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The update cannot be installed.</source>
        <translation>Das Update kann nicht installiert werden.</translation>
    </message>
    <message>
        <source>No program was found to open the package with (xdg-open, from the xdg-utils package).</source>
        <translation>Es wurde kein Programm gefunden, mit dem das Paket geöffnet werden kann (xdg-open aus dem Paket xdg-utils).</translation>
    </message>
    <message>
        <source>The update was not installed.</source>
        <translation>Das Update wurde nicht installiert.</translation>
    </message>
    <message>
        <source>Tagorix was not closed, so the update was not installed. Check for updates again when your labels are saved.</source>
        <translation>Tagorix wurde nicht beendet, daher wurde das Update nicht installiert. Suchen Sie erneut nach Updates, wenn Ihre Etiketten gespeichert sind.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software update</source>
        <translation>Software-Update</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>Diese Version überspringen</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Später erinnern</translation>
    </message>
    <message>
        <source>Install update</source>
        <translation>Update installieren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Suche nach Updates...</translation>
    </message>
    <message>
        <source>Tagorix is up to date.</source>
        <translation>Tagorix ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Version %1 is the newest version available.</source>
        <translation>Version %1 ist die neueste verfügbare Version.</translation>
    </message>
    <message>
        <source>A new version of Tagorix is available.</source>
        <translation>Eine neue Version von Tagorix ist verfügbar.</translation>
    </message>
    <message>
        <source>Tagorix %1 is available; you have %2. Would you like to install it now?</source>
        <translation>Tagorix %1 ist verfügbar; Sie haben %2. Möchten Sie es jetzt installieren?</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Versionshinweise</translation>
    </message>
    <message>
        <source>No release notes were published with this version.</source>
        <translation>Zu dieser Version wurden keine Versionshinweise veröffentlicht.</translation>
    </message>
    <message>
        <source>Downloading Tagorix %1...</source>
        <translation>Tagorix %1 wird heruntergeladen...</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>batchprint</name>
    <message>
        <source>warning: </source>
        <translation>Warnung: </translation>
    </message>
    <message>
        <source>--print and --export-pdf cannot be used together</source>
        <translation>--print und --export-pdf können nicht zusammen verwendet werden</translation>
    </message>
    <message>
        <source>neither --print nor --export-pdf was given</source>
        <translation>weder --print noch --export-pdf wurde angegeben</translation>
    </message>
    <message>
        <source>--export-pdf needs the name of the PDF file to write</source>
        <translation>--export-pdf benötigt den Namen der zu schreibenden PDF-Datei</translation>
    </message>
    <message>
        <source>no document file given</source>
        <translation>keine Dokumentdatei angegeben</translation>
    </message>
    <message>
        <source>--printer needs a printer name</source>
        <translation>--printer benötigt einen Druckernamen</translation>
    </message>
    <message>
        <source>--copies needs a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies benötigt eine Zahl von 1 bis %1, nicht &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--data needs FILE or NAME=FILE, once per source, not &quot;%1&quot;</source>
        <translation>--data benötigt FILE oder NAME=FILE, einmal pro Quelle, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--range needs FROM-TO with 1 &lt;= FROM &lt;= TO, not &quot;%1&quot;</source>
        <translation>--range benötigt FROM-TO mit 1 &lt;= FROM &lt;= TO, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown printer &quot;%1&quot;</source>
        <translation>unbekannter Drucker &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no fonts can be loaded on the &quot;%1&quot; platform, so the labels&apos; text would be missing; run on the offscreen or a desktop platform</source>
        <translation>auf der Plattform &quot;%1&quot; können keine Schriftarten geladen werden, daher würde der Text der Etiketten fehlen; verwenden Sie die offscreen-Plattform oder eine Desktop-Plattform</translation>
    </message>
    <message>
        <source>cannot read the data file: %1</source>
        <translation>die Datendatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>--data needs the data sources of the application</source>
        <translation>--data benötigt die Datenquellen der Anwendung</translation>
    </message>
    <message>
        <source>the range %1-%2 reaches past the document&apos;s %3 labels</source>
        <translation>der Bereich %1-%2 reicht über die %3 Etiketten des Dokuments hinaus</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;</source>
        <translation>&quot;%1&quot; kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>printing on &quot;%1&quot; failed</source>
        <translation>Drucken auf &quot;%1&quot; fehlgeschlagen</translation>
    </message>
    <message>
        <source>--offset needs X,Y in millimetres from -10 to 10, not &quot;%1&quot;</source>
        <translation>--offset benötigt X,Y in Millimetern von -10 bis 10, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--quantity-column needs the name of a column</source>
        <translation>--quantity-column benötigt den Namen einer Spalte</translation>
    </message>
    <message>
        <source>--wait-timeout needs --wait</source>
        <translation>--wait-timeout benötigt --wait</translation>
    </message>
    <message>
        <source>--wait-timeout needs a number of seconds from 1 to %1, not &quot;%2&quot;</source>
        <translation>--wait-timeout benötigt eine Anzahl Sekunden von 1 bis %1, nicht &quot;%2&quot;</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>Standardeingabe</translation>
    </message>
    <message>
        <source>the data %1; nothing was printed</source>
        <translation>die Daten: %1; es wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>barcodes that cannot be encoded: %1; nothing was printed</source>
        <translation>Barcodes, die sich nicht codieren lassen: %1; es wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>--export-zpl cannot be used with --print or --export-pdf</source>
        <translation>--export-zpl kann nicht zusammen mit --print oder --export-pdf verwendet werden</translation>
    </message>
    <message>
        <source>--export-zpl needs the name of the ZPL file to write, or - for standard output</source>
        <translation>--export-zpl braucht den Namen der zu schreibenden ZPL-Datei oder - für die Standardausgabe</translation>
    </message>
    <message>
        <source>%1 writes one document; %2 files were given</source>
        <translation>%1 schreibt ein Dokument; %2 Dateien wurden angegeben</translation>
    </message>
    <message>
        <source>--printer cannot be used with %1</source>
        <translation>--printer kann nicht zusammen mit %1 verwendet werden</translation>
    </message>
    <message>
        <source>--wait is for --print; %1 has written the file when it ends</source>
        <translation>--wait ist für --print; %1 hat die Datei geschrieben, wenn es endet</translation>
    </message>
    <message>
        <source>barcodes that do not scan as drawn: %1; nothing was printed</source>
        <translation>Barcodes, die sich so gezeichnet nicht scannen lassen: %1; es wurde nichts gedruckt</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Print the files without showing a window.</source>
        <translation>Druckt die Dateien, ohne ein Fenster anzuzeigen.</translation>
    </message>
    <message>
        <source>Write the pages a print of the file would send to &lt;OUT.pdf&gt;.</source>
        <translation>Schreibt die Seiten, die ein Druck der Datei senden würde, in &lt;OUT.pdf&gt;.</translation>
    </message>
    <message>
        <source>Print on &lt;NAME&gt; instead of the printer the document names (with --print).</source>
        <translation>Druckt auf &lt;NAME&gt; statt auf dem im Dokument angegebenen Drucker (mit --print).</translation>
    </message>
    <message>
        <source>Print &lt;N&gt; copies of each label.</source>
        <translation>Druckt &lt;N&gt; Kopien jedes Etiketts.</translation>
    </message>
    <message>
        <source>Keep the copies of each label together.</source>
        <translation>Hält die Kopien jedes Etiketts zusammen.</translation>
    </message>
    <message>
        <source>Print the rows of the CSV &lt;FILE&gt; instead of the document&apos;s data file (NAME=FILE for the source of that name; - reads standard input).</source>
        <translation>Druckt die Zeilen der CSV-Datei &lt;FILE&gt; statt der Datendatei des Dokuments (NAME=FILE für die Quelle dieses Namens; - liest von der Standardeingabe).</translation>
    </message>
    <message>
        <source>Print only labels &lt;FROM&gt; to &lt;TO&gt; (counted from 1).</source>
        <translation>Druckt nur die Etiketten &lt;FROM&gt; bis &lt;TO&gt; (gezählt ab 1).</translation>
    </message>
    <message>
        <source>Files to open, optionally.</source>
        <translation>Zu öffnende Dateien (optional).</translation>
    </message>
    <message>
        <source>Loading ...</source>
        <translation>Wird geladen ...</translation>
    </message>
    <message>
        <source>Read every barcode back at the printer&apos;s resolution before printing; if one does not scan, print nothing and exit with code 3.</source>
        <translation>Liest vor dem Drucken jeden Barcode in der Auflösung des Druckers zurück; lässt sich einer nicht scannen, wird nichts gedruckt und mit Code 3 beendet.</translation>
    </message>
    <message>
        <source>Check the barcodes as --verify does, without printing or writing anything.</source>
        <translation>Prüft die Barcodes wie --verify, ohne etwas zu drucken oder zu schreiben.</translation>
    </message>
    <message>
        <source>Move every label by &lt;X,Y&gt; millimetres (from -10 to 10) instead of the printer&apos;s stored calibration.</source>
        <translation>Verschiebt jedes Etikett um &lt;X,Y&gt; Millimeter (von -10 bis 10) statt um die gespeicherte Kalibrierung des Druckers.</translation>
    </message>
    <message>
        <source>Print each label as many times as the column &lt;NAME&gt; of its data row says.</source>
        <translation>Druckt jedes Etikett so oft, wie es die Spalte &lt;NAME&gt; seiner Datenzeile angibt.</translation>
    </message>
    <message>
        <source>After each print, wait until the print system reports the job completed; if it is cancelled or aborted, the printer stops, or the time of --wait-timeout passes, exit with code 2 (with --print).</source>
        <translation>Wartet nach jedem Druck, bis das Drucksystem den Auftrag als abgeschlossen meldet; wird er abgebrochen, hält der Drucker an oder vergeht die Zeit von --wait-timeout, endet das Programm mit Code 2 (mit --print).</translation>
    </message>
    <message>
        <source>Wait at most &lt;SECONDS&gt; for each job with --wait (default 60).</source>
        <translation>Wartet mit --wait höchstens &lt;SECONDS&gt; Sekunden auf jeden Auftrag (Standard 60).</translation>
    </message>
    <message>
        <source>Write the job a ZPL II printer would get to &lt;OUT.zpl&gt; (- for standard output).</source>
        <translation>Den Auftrag, den ein ZPL-II-Drucker erhielte, nach &lt;OUT.zpl&gt; schreiben (- für die Standardausgabe).</translation>
    </message>
</context>
<context>
    <name>scanverify</name>
    <message>
        <source>%1 at %2, %3 mm</source>
        <translation>%1 bei %2, %3 mm</translation>
    </message>
    <message>
        <source>label %1, %2</source>
        <translation>Etikett %1, %2</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read nothing</source>
        <translation>%1: erwartet &quot;%2&quot;, nichts gelesen</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read &quot;%3&quot;</source>
        <translation>%1: erwartet &quot;%2&quot;, gelesen &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: cannot be verified</source>
        <translation>%1: kann nicht geprüft werden</translation>
    </message>
    <message>
        <source>%1: scans</source>
        <translation>%1: scanbar</translation>
    </message>
    <message>
        <source>the data cannot be encoded</source>
        <translation>die Daten lassen sich nicht codieren</translation>
    </message>
    <message>
        <source>label %1, %2: &quot;%3&quot;: %4</source>
        <translation>Etikett %1, %2: &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>%1 (not GS1)</source>
        <translation>%1 (kein GS1)</translation>
    </message>
</context>
<context>
    <name>sequence</name>
    <message>
        <source>At most 18 digits of zero padding.</source>
        <translation>Höchstens 18 Stellen beim Auffüllen mit Nullen.</translation>
    </message>
    <message>
        <source>The step cannot be 0.</source>
        <translation>Die Schrittweite darf nicht 0 sein.</translation>
    </message>
    <message>
        <source>The step does not lead from the first to the last number.</source>
        <translation>Mit dieser Schrittweite gelangt man nicht von der ersten zur letzten Nummer.</translation>
    </message>
    <message>
        <source>A sequence holds at most 1,000,000 values; this one would hold %1.</source>
        <translation>Eine Sequenz umfasst höchstens 1.000.000 Werte; diese würde %1 umfassen.</translation>
    </message>
</context>
</TS>
