<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="en_US">
<context>
    <name>BarcodeDialog</name>
    <message>
        <source>Edit barcode</source>
        <translation>Redigera streckkod</translation>
    </message>
    <message>
        <source>Constant data</source>
        <translation>Konstanta data</translation>
    </message>
    <message>
        <source>Data string:</source>
        <translation>Datasträng:</translation>
    </message>
    <message>
        <source>Variable data source</source>
        <translation>Variabel datakälla</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Välj</translation>
    </message>
    <message>
        <source>Show human-readable text</source>
        <translation>Visa läsbar text</translation>
    </message>
    <message>
        <source>Keep aspect ratio</source>
        <translation>Behåll proportioner</translation>
    </message>
    <message>
        <source>Symbology:</source>
        <translation>Symbologi:</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Utseende</translation>
    </message>
    <message>
        <source>The scanner check does not know this symbology.</source>
        <translation>Skannerkontrollen känner inte till den här symbologin.</translation>
    </message>
    <message>
        <source>Scans when printed at %1 dpi.</source>
        <translation>Kan skannas när den skrivs ut med %1 dpi.</translation>
    </message>
    <message>
        <source>Printed at %1 dpi, it scans as &quot;%2&quot;.</source>
        <translation>Utskriven med %1 dpi skannas den som &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Does not scan when printed at %1 dpi: make the item larger.</source>
        <translation>Kan inte skannas när den skrivs ut med %1 dpi: gör objektet större.</translation>
    </message>
    <message>
        <source>Printed module: %1 mm (%2 dots at %3 dpi).</source>
        <translation>Utskriven modul: %1 mm (%2 punkter vid %3 dpi).</translation>
    </message>
</context>
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Edit barcode...</source>
        <translation>Redigera streckkod...</translation>
    </message>
</context>
<context>
    <name>BaseItem</name>
    <message>
        <source>Position and size...</source>
        <translation>Position och storlek...</translation>
    </message>
</context>
<context>
    <name>DataItem</name>
    <message>
        <source>Edit data source...</source>
        <translation>Redigera datakälla...</translation>
    </message>
</context>
<context>
    <name>DataItemDialog</name>
    <message>
        <source>Edit data item</source>
        <translation>Redigera dataobjekt</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Källa:</translation>
    </message>
</context>
<context>
    <name>DataSourceManager</name>
    <message>
        <source>The data file %1 is not UTF-8 text; it was read as Windows-1252.</source>
        <translation>Datafilen %1 är inte UTF-8-text; den lästes som Windows-1252.</translation>
    </message>
    <message>
        <source>Table %1</source>
        <translation>Tabell %1</translation>
    </message>
    <message>
        <source>The table is no longer there.</source>
        <translation>Tabellen finns inte längre.</translation>
    </message>
    <message>
        <source>A data file&apos;s table is named by its file.</source>
        <translation>En datafils tabell har filens namn.</translation>
    </message>
    <message>
        <source>A table needs a name.</source>
        <translation>En tabell behöver ett namn.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is taken by another data source.</source>
        <translation>Namnet &quot;%1&quot; används redan av en annan datakälla.</translation>
    </message>
    <message>
        <source>The data file %1 changed on disk and was read again (%2 rows).</source>
        <translation>Datafilen %1 ändrades på disken och lästes in igen (%2 rader).</translation>
    </message>
    <message>
        <source>The file %1 is not a CSV text file; it was not added.</source>
        <translation>Filen %1 är inte en CSV-textfil; den lades inte till.</translation>
    </message>
</context>
<context>
    <name>DataSourcesWidget</name>
    <message>
        <source>Data sources</source>
        <translation>Datakällor</translation>
    </message>
    <message>
        <source>Add from file</source>
        <translation>Lägg till från fil</translation>
    </message>
    <message>
        <source>Add table</source>
        <translation>Lägg till tabell</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Redigera</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Ta bort</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Öppna fil</translation>
    </message>
    <message>
        <source>Data files (*.csv *.xlsx *.txt);;All files (*.*)</source>
        <translation>Datafiler (*.csv *.xlsx *.txt);;Alla filer (*.*)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a CSV, TXT or XLSX file.</source>
        <translation>&apos;%1&apos; är inte en CSV-, TXT- eller XLSX-fil.</translation>
    </message>
    <message>
        <source>Add sequence...</source>
        <translation>Lägg till sekvens...</translation>
    </message>
    <message>
        <source>%1 (items: %2)</source>
        <translation>%1 (objekt: %2)</translation>
    </message>
    <message>
        <source>Delete the data source &quot;%1&quot;?</source>
        <translation>Ta bort datakällan &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>No item of an open label uses it.</source>
        <translation>Inget objekt på en öppen etikett använder den.</translation>
    </message>
    <message>
        <source>It is used by items on: %1.</source>
        <translation>Den används av objekt på: %1.</translation>
    </message>
    <message>
        <source>Those items keep their binding and are bound again when a source of this name is added; until then their labels cannot be printed.</source>
        <translation>Dessa objekt behåller sin koppling och kopplas igen när en källa med detta namn läggs till; tills dess kan deras etiketter inte skrivas ut.</translation>
    </message>
    <message>
        <source>The values of the table are lost unless a saved label still holds them.</source>
        <translation>Tabellens värden går förlorade om ingen sparad etikett fortfarande innehåller dem.</translation>
    </message>
    <message>
        <source>Delete data source</source>
        <translation>Ta bort datakälla</translation>
    </message>
</context>
<context>
    <name>DateTimeDialog</name>
    <message>
        <source>Date and Time</source>
        <translation>Datum och tid</translation>
    </message>
    <message>
        <source>Use system&apos;s current date and time.</source>
        <translation>Använd systemets aktuella datum och tid.</translation>
    </message>
    <message>
        <source>Set date and time manually.</source>
        <translation>Ange datum och tid manuellt.</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format string:</source>
        <translation>Formatsträng:</translation>
    </message>
</context>
<context>
    <name>DateTimeItem</name>
    <message>
        <source>Edit date and time format...</source>
        <translation>Redigera datum- och tidsformat...</translation>
    </message>
</context>
<context>
    <name>DocPropertiesDialog</name>
    <message>
        <source>Document properties</source>
        <translation>Dokumentegenskaper</translation>
    </message>
</context>
<context>
    <name>DocPropertiesWidget</name>
    <message>
        <source>Custom</source>
        <translation>Anpassad</translation>
    </message>
    <message>
        <source>Size template</source>
        <translation>Storleksmall</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Egenskaper</translation>
    </message>
    <message>
        <source>Liner width</source>
        <translation>Bärpapperets bredd</translation>
    </message>
    <message>
        <source>Label width</source>
        <translation>Etikettbredd</translation>
    </message>
    <message>
        <source>Label height</source>
        <translation>Etiketthöjd</translation>
    </message>
    <message>
        <source>Margin left</source>
        <translation>Vänstermarginal</translation>
    </message>
    <message>
        <source>Margin right</source>
        <translation>Högermarginal</translation>
    </message>
    <message>
        <source>Row spacing</source>
        <translation>Radavstånd</translation>
    </message>
    <message>
        <source>Column spacing</source>
        <translation>Kolumnavstånd</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Kolumner</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Skrivare</translation>
    </message>
    <message>
        <source>The labels do not fit on the liner: they need %1 mm, the liner is %2 mm wide.</source>
        <translation>Etiketterna får inte plats på bärpapperet: de behöver %1 mm, bärpapperet är %2 mm brett.</translation>
    </message>
    <message>
        <source>Address labels</source>
        <translation>Adressetiketter</translation>
    </message>
    <message>
        <source>Multi-across rolls</source>
        <translation>Rullar med flera etiketter i bredd</translation>
    </message>
    <message>
        <source>Product and price labels</source>
        <translation>Produkt- och prisetiketter</translation>
    </message>
    <message>
        <source>Shipping labels</source>
        <translation>Fraktetiketter</translation>
    </message>
    <message>
        <source>Small labels</source>
        <translation>Små etiketter</translation>
    </message>
    <message>
        <source>Square and round-cornered labels</source>
        <translation>Kvadratiska etiketter och etiketter med rundade hörn</translation>
    </message>
    <message>
        <source>Wide industrial labels</source>
        <translation>Breda industrietiketter</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>An item is bound to the data source &quot;%1&quot;, which is not open. Add the data file (or the table) again, or bind the item to another source.</source>
        <translation>Ett objekt är kopplat till datakällan &quot;%1&quot;, som inte är öppen. Lägg till datafilen (eller tabellen) igen, eller koppla objektet till en annan källa.</translation>
    </message>
    <message>
        <source>The data file %1 is no longer there.</source>
        <translation>Datafilen %1 finns inte längre.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows; it had %3 when the label was saved.</source>
        <translation>Datafilen %1 har %2 rader; den hade %3 när etiketten sparades.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows, fewer than the label uses.</source>
        <translation>Datafilen %1 har %2 rader, färre än etiketten använder.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Teckensnitt</translation>
    </message>
    <message>
        <source>Insert label</source>
        <translation>Infoga etikett</translation>
    </message>
    <message>
        <source>Text alignment</source>
        <translation>Textjustering</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Inskrivning</translation>
    </message>
</context>
<context>
    <name>DriverPropertiesDialog</name>
    <message>
        <source>%1 Document Properties</source>
        <translation>Dokumentegenskaper för %1</translation>
    </message>
    <message>
        <source>The driver of this printer has no options.</source>
        <translation>Den här skrivarens drivrutin har inga alternativ.</translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Localization</source>
        <translation>Lokalisering</translation>
    </message>
    <message>
        <source>Menu language: </source>
        <translation>Menyspråk: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Ny</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Öppna</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Spara so&amp;m...</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etikettegenskaper</translation>
    </message>
    <message>
        <source>Lock layout</source>
        <translation>Lås layout</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Exportera som P&amp;DF...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>Skriv &amp;ut...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Avsluta</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Ångra</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Gör om</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Klipp &amp;ut</translation>
    </message>
    <message>
        <source>&amp;Copy...</source>
        <translation>&amp;Kopiera...</translation>
    </message>
    <message>
        <source>&amp;Paste...</source>
        <translation>K&amp;listra in...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Markera allt</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>&amp;Label</source>
        <translation>&amp;Etikett</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Inställningar</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Sök efter uppdateringar</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Om</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Arkiv</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Redigera</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Visa</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Infoga</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>Verk&amp;tyg</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjälp</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Arkiv</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Redigera</translation>
    </message>
    <message>
        <source>Label %1 of %2</source>
        <translation>Etikett %1 av %2</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Visa rutnät</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Fäst mot rutnät</translation>
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

Utforma etiketter, placera dem på etikettmaterial på rulle och skriv ut serier med olika etiketter.

Den här programvaran använder Qt version %6 enligt villkoren i GNU Lesser General Public License (LGPL) version 2.1.
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Namnlös)</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Öppna fil...</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</source>
        <translation>Bilder (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alla filer (*)</translation>
    </message>
    <message>
        <source>Insert image</source>
        <translation>Infoga bild</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an image that can be read; nothing was inserted.</source>
        <translation>&apos;%1&apos; är inte en bild som kan läsas; ingenting infogades.</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öppna...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l);;All files (*.*)</source>
        <translation>Tagorix 4-etikettfiler (*.tx4l);;Alla filer (*.*)</translation>
    </message>
    <message>
        <source>Bad file type</source>
        <translation>Felaktig filtyp</translation>
    </message>
    <message>
        <source>Unable to open the selected file.</source>
        <translation>Det gick inte att öppna den valda filen.</translation>
    </message>
    <message>
        <source>Data files not found</source>
        <translation>Datafilerna hittades inte</translation>
    </message>
    <message>
        <source>Printer not found</source>
        <translation>Skrivaren hittades inte</translation>
    </message>
    <message>
        <source>The printer %1 was not found. Set up printer in &apos;Label properties&apos;</source>
        <translation>Skrivaren %1 hittades inte. Ställ in skrivaren under &apos;Etikettegenskaper&apos;</translation>
    </message>
    <message>
        <source>Write error</source>
        <translation>Skrivfel</translation>
    </message>
    <message>
        <source>Unable open &apos;%1&apos; for writing</source>
        <translation>Det gick inte att öppna &apos;%1&apos; för skrivning</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Spara som...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l)</source>
        <translation>Tagorix 4-etikettfiler (*.tx4l)</translation>
    </message>
    <message>
        <source>Label modified</source>
        <translation>Etiketten har ändrats</translation>
    </message>
    <message>
        <source>The label &apos;%1&apos; has been modified.
Do you want to save your changes?</source>
        <translation>Etiketten &apos;%1&apos; har ändrats.
Vill du spara ändringarna?</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>Exportera som PDF...</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-filer (*.pdf)</translation>
    </message>
    <message>
        <source>Label exported to file</source>
        <translation>Etiketten har exporterats till fil</translation>
    </message>
    <message>
        <source>Export labels as PDF...</source>
        <translation>Exportera etiketter som PDF...</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Skrivarkalibrering...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written.</source>
        <translation>&quot;%1&quot; kunde inte skrivas.</translation>
    </message>
    <message>
        <source>an unsaved label</source>
        <translation>en osparad etikett</translation>
    </message>
    <message>
        <source>The label uses data files that were not found:
%1

Its items keep their bindings and are bound again as soon as the files are added in the data sources dock. Until then the labels cannot be printed.</source>
        <translation>Etiketten använder datafiler som inte hittades:
%1

Dess objekt behåller sina kopplingar och kopplas igen så snart filerna läggs till i panelen för datakällor. Tills dess kan etiketterna inte skrivas ut.</translation>
    </message>
    <message>
        <source>Data files changed</source>
        <translation>Datafiler ändrade</translation>
    </message>
    <message>
        <source>The layout is locked: items cannot be moved or resized</source>
        <translation>Layouten är låst: objekt kan inte flyttas eller ändra storlek</translation>
    </message>
    <message>
        <source>The layout is unlocked</source>
        <translation>Layouten är upplåst</translation>
    </message>
    <message numerus="yes">
        <source>%n labels exported to %1</source>
        <translation>
            <numerusform>%n etikett exporterad till %1</numerusform>
            <numerusform>%n etiketter exporterade till %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n labels sent to %1</source>
        <translation>
            <numerusform>%n etikett skickad till %1</numerusform>
            <numerusform>%n etiketter skickade till %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no longer there; it is taken off the list.</source>
        <translation>&apos;%1&apos; finns inte längre; den tas bort från listan.</translation>
    </message>
    <message>
        <source>Fit label</source>
        <translation>Anpassa etikett</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Senare</translation>
    </message>
    <message>
        <source>One label exported to %1</source>
        <translation>En etikett exporterad till %1</translation>
    </message>
    <message>
        <source>One label sent to %1</source>
        <translation>En etikett skickad till %1</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Öppna senaste</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Restart now</source>
        <translation>Starta om nu</translation>
    </message>
    <message>
        <source>The new language applies when Tagorix starts again.</source>
        <translation>Det nya språket gäller när Tagorix startas igen.</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zooma in</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zooma ut</translation>
    </message>
</context>
<context>
    <name>NewDocumentDialog</name>
    <message>
        <source>New label</source>
        <translation>Ny etikett</translation>
    </message>
</context>
<context>
    <name>PositionSizeDialog</name>
    <message>
        <source>Position and size</source>
        <translation>Position och storlek</translation>
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
        <translation>Storlek</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Bredd:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höjd:</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Spara</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Gränssnitt</translation>
    </message>
</context>
<context>
    <name>PreviewWidget</name>
    <message>
        <source>Labels</source>
        <translation>Etiketter</translation>
    </message>
    <message>
        <source>New Label</source>
        <translation>Ny etikett</translation>
    </message>
</context>
<context>
    <name>PrintHandler</name>
    <message>
        <source>The label stock has no columns. Give it at least one column in the label properties.</source>
        <translation>Etikettmaterialet har inga kolumner. Ange minst en kolumn i etikettegenskaperna.</translation>
    </message>
    <message>
        <source>The label stock has a margin or spacing that is not a length of zero or more.</source>
        <translation>Etikettmaterialet har en marginal eller ett avstånd som inte är en längd på noll eller mer.</translation>
    </message>
    <message>
        <source>The margins of the label stock (left %1 mm, right %2 mm) leave no printable width on its %3 mm liner.</source>
        <translation>Etikettmaterialets marginaler (vänster %1 mm, höger %2 mm) lämnar ingen utskrivbar bredd på bärpapperet som är %3 mm brett.</translation>
    </message>
    <message>
        <source>The column spacing of the label stock (%1 mm) leaves no room for %2 columns on its %3 mm liner.</source>
        <translation>Etikettmaterialets kolumnavstånd (%1 mm) lämnar inte plats för %2 kolumner på bärpapperet som är %3 mm brett.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Skriv ut</translation>
    </message>
    <message>
        <source>Give one range of labels from 1 to %1, for example 2-5.</source>
        <translation>Ange ett intervall av etiketter från 1 till %1, till exempel 2-5.</translation>
    </message>
    <message>
        <source>Printing label %1 of %2</source>
        <translation>Skriver ut etikett %1 av %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Namnlös</translation>
    </message>
    <message>
        <source>Quantities</source>
        <translation>Antal</translation>
    </message>
    <message>
        <source>Take each label&apos;s number of copies from the column</source>
        <translation>Hämta antalet kopior för varje etikett från kolumnen</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Skrivarkalibrering...</translation>
    </message>
    <message>
        <source>%1 labels will be printed in all.</source>
        <translation>Totalt skrivs %1 etiketter ut.</translation>
    </message>
    <message>
        <source>No printer is chosen.</source>
        <translation>Ingen skrivare har valts.</translation>
    </message>
    <message>
        <source>The print system is not running: no print scheduler answers at %1.</source>
        <translation>Utskriftssystemet körs inte: ingen utskriftstjänst svarar på %1.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not exist (any more).</source>
        <translation>Skrivaren &quot;%1&quot; finns inte (längre).</translation>
    </message>
    <message>
        <source>The print system did not answer for &quot;%1&quot;: %2</source>
        <translation>Utskriftssystemet svarade inte för &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not accept jobs; nothing was sent.</source>
        <translation>Skrivaren &quot;%1&quot; tar inte emot utskriftsjobb; inget skickades.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; is stopped; nothing was sent. Start it, then print again.</source>
        <translation>Skrivaren &quot;%1&quot; är stoppad; inget skickades. Starta den och skriv sedan ut igen.</translation>
    </message>
    <message>
        <source>Copies from a column need a data item bound to a data source.</source>
        <translation>Kopior från en kolumn kräver ett dataobjekt som är kopplat till en datakälla.</translation>
    </message>
    <message>
        <source>Row %1 of &quot;%2&quot;: &quot;%3&quot; in the column &quot;%4&quot; is not a number of copies from 0 to 9999; nothing was printed.</source>
        <translation>Rad %1 i &quot;%2&quot;: &quot;%3&quot; i kolumnen &quot;%4&quot; är inte ett antal kopior från 0 till 9999; ingenting skrevs ut.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: the folder does not exist or is not writable.</source>
        <translation>&quot;%1&quot; kan inte skrivas: mappen finns inte eller är inte skrivbar.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one label or one range of labels. Give one range of labels from 1 to %2, for example 2-5.</source>
        <translation>&quot;%1&quot; är varken en etikett eller ett intervall av etiketter. Ange ett intervall av etiketter från 1 till %2, till exempel 2-5.</translation>
    </message>
    <message>
        <source>The %1 columns of the label stock leave less than %2 mm for each label on its %3 mm liner.</source>
        <translation>Etikettmaterialets %1 kolumner lämnar mindre än %2 mm för varje etikett på bärpapperet som är %3 mm brett.</translation>
    </message>
    <message>
        <source>Nothing was printed.</source>
        <translation>Ingenting skrevs ut.</translation>
    </message>
    <message>
        <source>None of the document&apos;s data sources has a column &quot;%1&quot;.</source>
        <translation>Ingen av dokumentets datakällor har en kolumn &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>och %1 till.</translation>
    </message>
    <message>
        <source>Barcodes of these labels cannot be encoded; nothing was printed:</source>
        <translation>Streckkoderna på dessa etiketter kan inte kodas; inget skrevs ut:</translation>
    </message>
    <message>
        <source>The labels could not be drawn for &quot;%1&quot;; nothing was sent.</source>
        <translation>Etiketterna kunde inte ritas för &quot;%1&quot;; inget skickades.</translation>
    </message>
    <message>
        <source>The job for &quot;%1&quot; was not taken: %2</source>
        <translation>Jobbet för &quot;%1&quot; togs inte emot: %2</translation>
    </message>
    <message>
        <source>Barcodes of these labels do not scan as drawn for &quot;%1&quot;; nothing was printed:</source>
        <translation>Streckkoderna på dessa etiketter går inte att skanna så som de ritats för &quot;%1&quot;; inget skrevs ut:</translation>
    </message>
</context>
<context>
    <name>PrinterCalibrationDialog</name>
    <message>
        <source>Printer calibration</source>
        <translation>Skrivarkalibrering</translation>
    </message>
    <message>
        <source>Print the calibration label and measure how far the printed cross lies from the label&apos;s centre. Enter that distance the other way round: positive values move the print to the right and down.</source>
        <translation>Skriv ut kalibreringsetiketten och mät hur långt det utskrivna krysset ligger från etikettens mitt. Ange avståndet med omvänt tecken: positiva värden flyttar utskriften åt höger och nedåt.</translation>
    </message>
    <message>
        <source>Print calibration label</source>
        <translation>Skriv ut kalibreringsetikett</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Skrivare:</translation>
    </message>
    <message>
        <source>Horizontal offset:</source>
        <translation>Horisontell förskjutning:</translation>
    </message>
    <message>
        <source>Vertical offset:</source>
        <translation>Vertikal förskjutning:</translation>
    </message>
    <message>
        <source>The calibration label could not be sent to &quot;%1&quot;.</source>
        <translation>Kalibreringsetiketten kunde inte skickas till &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatiskt</translation>
    </message>
    <message>
        <source>ZPL II</source>
        <translation>ZPL II</translation>
    </message>
    <message>
        <source>The print system&apos;s driver</source>
        <translation>Utskriftssystemets drivrutin</translation>
    </message>
    <message>
        <source>Printer language:</source>
        <translation>Skrivarspråk:</translation>
    </message>
    <message>
        <source>Automatic (ZPL II)</source>
        <translation>Automatiskt (ZPL II)</translation>
    </message>
    <message>
        <source>Automatic (the driver)</source>
        <translation>Automatiskt (drivrutinen)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Align items</source>
        <translation>Justera objekt</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Ta bort objekt</translation>
    </message>
    <message>
        <source>Delete items</source>
        <translation>Ta bort objekten</translation>
    </message>
    <message>
        <source>Insert text frame</source>
        <translation>Infoga textram</translation>
    </message>
    <message>
        <source>Insert data frame</source>
        <translation>Infoga dataram</translation>
    </message>
    <message>
        <source>Insert Date and Time frame</source>
        <translation>Infoga ram för datum och tid</translation>
    </message>
    <message>
        <source>Insert image frame</source>
        <translation>Infoga bildram</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>Flytta objekt</translation>
    </message>
    <message>
        <source>Resize item</source>
        <translation>Ändra storlek på objekt</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Klistra in</translation>
    </message>
    <message>
        <source>Position and size</source>
        <translation>Position och storlek</translation>
    </message>
    <message>
        <source>Rotate items</source>
        <translation>Rotera objekt</translation>
    </message>
    <message>
        <source>Insert barcode</source>
        <translation>Infoga streckkod</translation>
    </message>
    <message>
        <source>Edit barcode</source>
        <translation>Redigera streckkod</translation>
    </message>
    <message>
        <source>Edit data source</source>
        <translation>Redigera datakälla</translation>
    </message>
    <message>
        <source>Edit date and time format</source>
        <translation>Redigera datum- och tidsformat</translation>
    </message>
    <message>
        <source>Edit item</source>
        <translation>Redigera element</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etikettegenskaper</translation>
    </message>
</context>
<context>
    <name>ScanReportDialog</name>
    <message>
        <source>Barcodes that do not scan</source>
        <translation>Streckkoder som inte kan skannas</translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) about to be printed at %1 dpi cannot be read, or read as other data.</source>
        <translation>
            <numerusform>%n streckkod som ska skrivas ut med %1 dpi kan inte läsas eller läses som andra data.</numerusform>
            <numerusform>%n streckkoder som ska skrivas ut med %1 dpi kan inte läsas eller läses som andra data.</numerusform>
        </translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etikett</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Objekt</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Förväntat</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Läst</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(ingenting)</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... och %n till.</numerusform>
            <numerusform>... och %n till.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) of symbologies the decoder does not know could not be checked.</source>
        <translation>
            <numerusform>%n streckkod med en symbologi som avkodaren inte känner till kunde inte kontrolleras.</numerusform>
            <numerusform>%n streckkoder med symbologier som avkodaren inte känner till kunde inte kontrolleras.</numerusform>
        </translation>
    </message>
    <message>
        <source>Print anyway</source>
        <translation>Skriv ut ändå</translation>
    </message>
    <message>
        <source>Checking the barcodes...</source>
        <translation>Kontrollerar streckkoderna...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Skriv ut</translation>
    </message>
</context>
<context>
    <name>SequenceDialog</name>
    <message>
        <source>Add sequence</source>
        <translation>Lägg till sekvens</translation>
    </message>
    <message>
        <source>Serial numbers</source>
        <translation>Serienummer</translation>
    </message>
    <message>
        <source> digits</source>
        <translation> siffror</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Namn:</translation>
    </message>
    <message>
        <source>First number:</source>
        <translation>Första nummer:</translation>
    </message>
    <message>
        <source>Last number:</source>
        <translation>Sista nummer:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Steg:</translation>
    </message>
    <message>
        <source>Zero padding:</source>
        <translation>Fyll ut med nollor:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Prefix:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Suffix:</translation>
    </message>
    <message>
        <source>The sequence needs a name.</source>
        <translation>Sekvensen måste ha ett namn.</translation>
    </message>
    <message>
        <source>A data source of this name exists already.</source>
        <translation>Det finns redan en datakälla med det här namnet.</translation>
    </message>
    <message>
        <source>First number, last number and step each need a whole number.</source>
        <translation>Första nummer, sista nummer och steg måste vart och ett vara ett heltal.</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 värde</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 värden</translation>
    </message>
</context>
<context>
    <name>TableEditor</name>
    <message>
        <source>Edit %1</source>
        <translation>Redigera %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Namn:</translation>
    </message>
    <message>
        <source>Rename table</source>
        <translation>Byt namn på tabell</translation>
    </message>
</context>
<context>
    <name>TextToolbar</name>
    <message>
        <source>Text Formatting</source>
        <translation>Textformatering</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fet</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Understruken</translation>
    </message>
    <message>
        <source>Strikethrough</source>
        <translation>Genomstruken</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Vänsterjustera</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrera</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Högerjustera</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Marginaljustera</translation>
    </message>
</context>
<context>
    <name>ToolsToolbar</name>
    <message>
        <source>Tools</source>
        <translation>Verktyg</translation>
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
        <translation>Variabla data</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Datum och tid</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Streckkod</translation>
    </message>
</context>
<context>
    <name>TransAlignToolbar</name>
    <message>
        <source>Transform and align</source>
        <translation>Transformera och justera</translation>
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
        <translation>Vänster</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrera</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Höger</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Överkant</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Nederkant</translation>
    </message>
</context>
<context>
    <name>UndoWidget</name>
    <message>
        <source>Undo history</source>
        <translation>Ångra-historik</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update feed declares a document type, which is not accepted.</source>
        <translation>Uppdateringsflödet deklarerar en dokumenttyp, vilket inte accepteras.</translation>
    </message>
    <message>
        <source>The update feed is not a valid appcast: %1 (line %2).</source>
        <translation>Uppdateringsflödet är inte en giltig appcast: %1 (rad %2).</translation>
    </message>
    <message>
        <source>The update feed lists no release for this system.</source>
        <translation>Uppdateringsflödet innehåller ingen version för det här systemet.</translation>
    </message>
    <message>
        <source>The signature check could not be started.</source>
        <translation>Signaturkontrollen kunde inte startas.</translation>
    </message>
    <message>
        <source>The update is not signed.</source>
        <translation>Uppdateringen är inte signerad.</translation>
    </message>
    <message>
        <source>The update&apos;s signature is damaged.</source>
        <translation>Uppdateringens signatur är skadad.</translation>
    </message>
    <message>
        <source>This program has no valid key to check updates with.</source>
        <translation>Det här programmet har ingen giltig nyckel att kontrollera uppdateringar med.</translation>
    </message>
    <message>
        <source>The downloaded file cannot be read: %1</source>
        <translation>Den nedladdade filen kan inte läsas: %1</translation>
    </message>
    <message>
        <source>The download has %1 bytes, but the update feed announced %2.</source>
        <translation>Nedladdningen är %1 byte, men uppdateringsflödet angav %2.</translation>
    </message>
    <message>
        <source>The update&apos;s signature does not match the download; it may have been changed.</source>
        <translation>Uppdateringens signatur stämmer inte med nedladdningen; den kan ha ändrats.</translation>
    </message>
    <message>
        <source>No update feed is configured for this build.</source>
        <translation>Inget uppdateringsflöde är konfigurerat för det här bygget.</translation>
    </message>
    <message>
        <source>The update feed address %1 is not an https address.</source>
        <translation>Uppdateringsflödets adress %1 är inte en https-adress.</translation>
    </message>
    <message>
        <source>The update feed is larger than 1 MiB and was not read.</source>
        <translation>Uppdateringsflödet är större än 1 MiB och lästes inte.</translation>
    </message>
    <message>
        <source>The update feed could not be read: it was redirected to an address that is not https.</source>
        <translation>Uppdateringsflödet kunde inte läsas: det omdirigerades till en adress som inte är https.</translation>
    </message>
    <message>
        <source>The update feed could not be read: %1</source>
        <translation>Uppdateringsflödet kunde inte läsas: %1</translation>
    </message>
    <message>
        <source>The download address %1 is not an https address.</source>
        <translation>Nedladdningsadressen %1 är inte en https-adress.</translation>
    </message>
    <message>
        <source>The update feed gives no valid size for the download.</source>
        <translation>Uppdateringsflödet anger ingen giltig storlek för nedladdningen.</translation>
    </message>
    <message>
        <source>No folder for the download could be made: %1</source>
        <translation>Det gick inte att skapa en mapp för nedladdningen: %1</translation>
    </message>
    <message>
        <source>The download cannot be written: %1</source>
        <translation>Nedladdningen kan inte skrivas: %1</translation>
    </message>
    <message>
        <source>The download is larger than the update feed announced (%1 bytes).</source>
        <translation>Nedladdningen är större än vad uppdateringsflödet angav (%1 byte).</translation>
    </message>
    <message>
        <source>The download failed: %1</source>
        <translation>Nedladdningen misslyckades: %1</translation>
    </message>
    <message>
        <source>The update check failed.</source>
        <translation>Sökningen efter uppdateringar misslyckades.</translation>
    </message>
    <message>
        <source>The update cannot be installed.</source>
        <translation>Uppdateringen kan inte installeras.</translation>
    </message>
    <message>
        <source>No program was found to open the package with (xdg-open, from the xdg-utils package).</source>
        <translation>Inget program hittades att öppna paketet med (xdg-open från paketet xdg-utils).</translation>
    </message>
    <message>
        <source>The update was not installed.</source>
        <translation>Uppdateringen installerades inte.</translation>
    </message>
    <message>
        <source>Tagorix was not closed, so the update was not installed. Check for updates again when your labels are saved.</source>
        <translation>Tagorix stängdes inte, så uppdateringen installerades inte. Sök efter uppdateringar igen när dina etiketter har sparats.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software update</source>
        <translation>Programuppdatering</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>Hoppa över den här versionen</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Påminn mig senare</translation>
    </message>
    <message>
        <source>Install update</source>
        <translation>Installera uppdatering</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Söker efter uppdateringar...</translation>
    </message>
    <message>
        <source>Tagorix is up to date.</source>
        <translation>Tagorix är uppdaterat.</translation>
    </message>
    <message>
        <source>Version %1 is the newest version available.</source>
        <translation>Version %1 är den senaste tillgängliga versionen.</translation>
    </message>
    <message>
        <source>A new version of Tagorix is available.</source>
        <translation>En ny version av Tagorix finns tillgänglig.</translation>
    </message>
    <message>
        <source>Tagorix %1 is available; you have %2. Would you like to install it now?</source>
        <translation>Tagorix %1 finns tillgänglig; du har %2. Vill du installera den nu?</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Versionsinformation</translation>
    </message>
    <message>
        <source>No release notes were published with this version.</source>
        <translation>Ingen versionsinformation publicerades med den här versionen.</translation>
    </message>
    <message>
        <source>Downloading Tagorix %1...</source>
        <translation>Laddar ned Tagorix %1...</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 av %2</translation>
    </message>
</context>
<context>
    <name>batchprint</name>
    <message>
        <source>warning: </source>
        <translation>varning: </translation>
    </message>
    <message>
        <source>--print and --export-pdf cannot be used together</source>
        <translation>--print och --export-pdf kan inte användas samtidigt</translation>
    </message>
    <message>
        <source>neither --print nor --export-pdf was given</source>
        <translation>varken --print eller --export-pdf angavs</translation>
    </message>
    <message>
        <source>--export-pdf needs the name of the PDF file to write</source>
        <translation>--export-pdf kräver namnet på PDF-filen som ska skrivas</translation>
    </message>
    <message>
        <source>no document file given</source>
        <translation>ingen dokumentfil angavs</translation>
    </message>
    <message>
        <source>--printer needs a printer name</source>
        <translation>--printer kräver ett skrivarnamn</translation>
    </message>
    <message>
        <source>--copies needs a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies kräver ett tal från 1 till %1, inte &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--data needs FILE or NAME=FILE, once per source, not &quot;%1&quot;</source>
        <translation>--data kräver FILE eller NAME=FILE, en gång per källa, inte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--range needs FROM-TO with 1 &lt;= FROM &lt;= TO, not &quot;%1&quot;</source>
        <translation>--range kräver FROM-TO där 1 &lt;= FROM &lt;= TO, inte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown printer &quot;%1&quot;</source>
        <translation>okänd skrivare &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no fonts can be loaded on the &quot;%1&quot; platform, so the labels&apos; text would be missing; run on the offscreen or a desktop platform</source>
        <translation>inga typsnitt kan läsas in på plattformen &quot;%1&quot;, så etiketternas text skulle saknas; kör på plattformen offscreen eller på en skrivbordsplattform</translation>
    </message>
    <message>
        <source>cannot read the data file: %1</source>
        <translation>kan inte läsa datafilen: %1</translation>
    </message>
    <message>
        <source>--data needs the data sources of the application</source>
        <translation>--data kräver programmets datakällor</translation>
    </message>
    <message>
        <source>the range %1-%2 reaches past the document&apos;s %3 labels</source>
        <translation>intervallet %1-%2 sträcker sig förbi dokumentets %3 etiketter</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;</source>
        <translation>kan inte skriva &quot;%1&quot;</translation>
    </message>
    <message>
        <source>printing on &quot;%1&quot; failed</source>
        <translation>utskriften på &quot;%1&quot; misslyckades</translation>
    </message>
    <message>
        <source>--offset needs X,Y in millimetres from -10 to 10, not &quot;%1&quot;</source>
        <translation>--offset kräver X,Y i millimeter från -10 till 10, inte &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--quantity-column needs the name of a column</source>
        <translation>--quantity-column kräver namnet på en kolumn</translation>
    </message>
    <message>
        <source>--wait-timeout needs --wait</source>
        <translation>--wait-timeout kräver --wait</translation>
    </message>
    <message>
        <source>--wait-timeout needs a number of seconds from 1 to %1, not &quot;%2&quot;</source>
        <translation>--wait-timeout kräver ett antal sekunder från 1 till %1, inte &quot;%2&quot;</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standard in</translation>
    </message>
    <message>
        <source>the data %1; nothing was printed</source>
        <translation>data: %1; ingenting skrevs ut</translation>
    </message>
    <message>
        <source>barcodes that cannot be encoded: %1; nothing was printed</source>
        <translation>streckkoder som inte kan kodas: %1; inget skrevs ut</translation>
    </message>
    <message>
        <source>--export-zpl cannot be used with --print or --export-pdf</source>
        <translation>--export-zpl kan inte användas med --print eller --export-pdf</translation>
    </message>
    <message>
        <source>--export-zpl needs the name of the ZPL file to write, or - for standard output</source>
        <translation>--export-zpl behöver namnet på ZPL-filen som ska skrivas, eller - för standardutmatning</translation>
    </message>
    <message>
        <source>%1 writes one document; %2 files were given</source>
        <translation>%1 skriver ett dokument; %2 filer angavs</translation>
    </message>
    <message>
        <source>--printer cannot be used with %1</source>
        <translation>--printer kan inte användas med %1</translation>
    </message>
    <message>
        <source>--wait is for --print; %1 has written the file when it ends</source>
        <translation>--wait är för --print; %1 har skrivit filen när den slutar</translation>
    </message>
    <message>
        <source>barcodes that do not scan as drawn: %1; nothing was printed</source>
        <translation>streckkoder som inte går att skanna så som de ritats: %1; inget skrevs ut</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Print the files without showing a window.</source>
        <translation>Skriv ut filerna utan att visa något fönster.</translation>
    </message>
    <message>
        <source>Write the pages a print of the file would send to &lt;OUT.pdf&gt;.</source>
        <translation>Skriv de sidor som en utskrift av filen skulle skicka till &lt;OUT.pdf&gt;.</translation>
    </message>
    <message>
        <source>Print on &lt;NAME&gt; instead of the printer the document names (with --print).</source>
        <translation>Skriv ut på &lt;NAME&gt; i stället för på skrivaren som anges i dokumentet (med --print).</translation>
    </message>
    <message>
        <source>Print &lt;N&gt; copies of each label.</source>
        <translation>Skriv ut &lt;N&gt; kopior av varje etikett.</translation>
    </message>
    <message>
        <source>Keep the copies of each label together.</source>
        <translation>Håll ihop kopiorna av varje etikett.</translation>
    </message>
    <message>
        <source>Print the rows of the CSV &lt;FILE&gt; instead of the document&apos;s data file (NAME=FILE for the source of that name; - reads standard input).</source>
        <translation>Skriv ut raderna i CSV-filen &lt;FILE&gt; i stället för dokumentets datafil (NAME=FILE för källan med det namnet; - läser från standard in).</translation>
    </message>
    <message>
        <source>Print only labels &lt;FROM&gt; to &lt;TO&gt; (counted from 1).</source>
        <translation>Skriv bara ut etiketterna &lt;FROM&gt; till &lt;TO&gt; (räknat från 1).</translation>
    </message>
    <message>
        <source>Files to open, optionally.</source>
        <translation>Filer att öppna (valfritt).</translation>
    </message>
    <message>
        <source>Loading ...</source>
        <translation>Laddar ...</translation>
    </message>
    <message>
        <source>Read every barcode back at the printer&apos;s resolution before printing; if one does not scan, print nothing and exit with code 3.</source>
        <translation>Läs tillbaka varje streckkod med skrivarens upplösning före utskrift; om någon inte kan skannas, skriv inte ut något och avsluta med kod 3.</translation>
    </message>
    <message>
        <source>Check the barcodes as --verify does, without printing or writing anything.</source>
        <translation>Kontrollera streckkoderna som --verify gör, utan att skriva ut eller skriva något.</translation>
    </message>
    <message>
        <source>Move every label by &lt;X,Y&gt; millimetres (from -10 to 10) instead of the printer&apos;s stored calibration.</source>
        <translation>Flytta varje etikett &lt;X,Y&gt; millimeter (från -10 till 10) i stället för att använda skrivarens sparade kalibrering.</translation>
    </message>
    <message>
        <source>Print each label as many times as the column &lt;NAME&gt; of its data row says.</source>
        <translation>Skriv ut varje etikett så många gånger som kolumnen &lt;NAME&gt; på dess datarad anger.</translation>
    </message>
    <message>
        <source>After each print, wait until the print system reports the job completed; if it is cancelled or aborted, the printer stops, or the time of --wait-timeout passes, exit with code 2 (with --print).</source>
        <translation>Vänta efter varje utskrift tills utskriftssystemet rapporterar jobbet som slutfört; avbryts det, stannar skrivaren eller går tiden för --wait-timeout ut, avslutas programmet med kod 2 (med --print).</translation>
    </message>
    <message>
        <source>Wait at most &lt;SECONDS&gt; for each job with --wait (default 60).</source>
        <translation>Vänta med --wait högst &lt;SECONDS&gt; sekunder på varje jobb (standard 60).</translation>
    </message>
    <message>
        <source>Write the job a ZPL II printer would get to &lt;OUT.zpl&gt; (- for standard output).</source>
        <translation>Skriv jobbet en ZPL II-skrivare skulle få till &lt;OUT.zpl&gt; (- för standardutmatning).</translation>
    </message>
</context>
<context>
    <name>scanverify</name>
    <message>
        <source>%1 at %2, %3 mm</source>
        <translation>%1 vid %2, %3 mm</translation>
    </message>
    <message>
        <source>label %1, %2</source>
        <translation>etikett %1, %2</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read nothing</source>
        <translation>%1: förväntade &quot;%2&quot;, läste ingenting</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read &quot;%3&quot;</source>
        <translation>%1: förväntade &quot;%2&quot;, läste &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: cannot be verified</source>
        <translation>%1: kan inte verifieras</translation>
    </message>
    <message>
        <source>%1: scans</source>
        <translation>%1: kan skannas</translation>
    </message>
    <message>
        <source>the data cannot be encoded</source>
        <translation>datan kan inte kodas</translation>
    </message>
    <message>
        <source>label %1, %2: &quot;%3&quot;: %4</source>
        <translation>etikett %1, %2: &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>%1 (not GS1)</source>
        <translation>%1 (inte GS1)</translation>
    </message>
</context>
<context>
    <name>sequence</name>
    <message>
        <source>At most 18 digits of zero padding.</source>
        <translation>Högst 18 siffror vid utfyllnad med nollor.</translation>
    </message>
    <message>
        <source>The step cannot be 0.</source>
        <translation>Steget kan inte vara 0.</translation>
    </message>
    <message>
        <source>The step does not lead from the first to the last number.</source>
        <translation>Steget leder inte från det första till det sista numret.</translation>
    </message>
    <message>
        <source>A sequence holds at most 1,000,000 values; this one would hold %1.</source>
        <translation>En sekvens kan innehålla högst 1&#xa0;000&#xa0;000 värden; den här skulle innehålla %1.</translation>
    </message>
</context>
</TS>
