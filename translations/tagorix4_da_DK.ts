<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da_DK" sourcelanguage="en_US">
<context>
    <name>BarcodeDialog</name>
    <message>
        <source>Edit barcode</source>
        <translation>Rediger stregkode</translation>
    </message>
    <message>
        <source>Constant data</source>
        <translation>Konstante data</translation>
    </message>
    <message>
        <source>Data string:</source>
        <translation>Datastreng:</translation>
    </message>
    <message>
        <source>Variable data source</source>
        <translation>Variabel datakilde</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Vælg</translation>
    </message>
    <message>
        <source>Show human-readable text</source>
        <translation>Vis læsbar tekst</translation>
    </message>
    <message>
        <source>Keep aspect ratio</source>
        <translation>Bevar størrelsesforhold</translation>
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
        <translation>Udseende</translation>
    </message>
    <message>
        <source>The scanner check does not know this symbology.</source>
        <translation>Scannerkontrollen kender ikke denne symbologi.</translation>
    </message>
    <message>
        <source>Scans when printed at %1 dpi.</source>
        <translation>Kan scannes, når den udskrives ved %1 dpi.</translation>
    </message>
    <message>
        <source>Printed at %1 dpi, it scans as &quot;%2&quot;.</source>
        <translation>Udskrevet ved %1 dpi scannes den som &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Does not scan when printed at %1 dpi: make the item larger.</source>
        <translation>Kan ikke scannes, når den udskrives ved %1 dpi: gør elementet større.</translation>
    </message>
    <message>
        <source>Printed module: %1 mm (%2 dots at %3 dpi).</source>
        <translation>Udskrevet modul: %1 mm (%2 punkter ved %3 dpi).</translation>
    </message>
</context>
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Edit barcode...</source>
        <translation>Rediger stregkode...</translation>
    </message>
</context>
<context>
    <name>BaseItem</name>
    <message>
        <source>Position and size...</source>
        <translation>Position og størrelse...</translation>
    </message>
</context>
<context>
    <name>DataItem</name>
    <message>
        <source>Edit data source...</source>
        <translation>Rediger datakilde...</translation>
    </message>
</context>
<context>
    <name>DataItemDialog</name>
    <message>
        <source>Edit data item</source>
        <translation>Rediger dataelement</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Kilde:</translation>
    </message>
</context>
<context>
    <name>DataSourceManager</name>
    <message>
        <source>The data file %1 is not UTF-8 text; it was read as Windows-1252.</source>
        <translation>Datafilen %1 er ikke UTF-8-tekst; den blev læst som Windows-1252.</translation>
    </message>
    <message>
        <source>Table %1</source>
        <translation>Tabel %1</translation>
    </message>
    <message>
        <source>The table is no longer there.</source>
        <translation>Tabellen findes ikke længere.</translation>
    </message>
    <message>
        <source>A data file&apos;s table is named by its file.</source>
        <translation>En datafils tabel er navngivet efter filen.</translation>
    </message>
    <message>
        <source>A table needs a name.</source>
        <translation>En tabel skal have et navn.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is taken by another data source.</source>
        <translation>Navnet &quot;%1&quot; bruges allerede af en anden datakilde.</translation>
    </message>
    <message>
        <source>The data file %1 changed on disk and was read again (%2 rows).</source>
        <translation>Datafilen %1 er ændret på disken og blev læst igen (%2 rækker).</translation>
    </message>
    <message>
        <source>The file %1 is not a CSV text file; it was not added.</source>
        <translation>Filen %1 er ikke en CSV-tekstfil; den blev ikke tilføjet.</translation>
    </message>
</context>
<context>
    <name>DataSourcesWidget</name>
    <message>
        <source>Data sources</source>
        <translation>Datakilder</translation>
    </message>
    <message>
        <source>Add from file</source>
        <translation>Tilføj fra fil</translation>
    </message>
    <message>
        <source>Add table</source>
        <translation>Tilføj tabel</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Rediger</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Slet</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Åbn fil</translation>
    </message>
    <message>
        <source>Data files (*.csv *.xlsx *.txt);;All files (*.*)</source>
        <translation>Datafiler (*.csv *.xlsx *.txt);;Alle filer (*.*)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a CSV, TXT or XLSX file.</source>
        <translation>&apos;%1&apos; er ikke en CSV-, TXT- eller XLSX-fil.</translation>
    </message>
    <message>
        <source>Add sequence...</source>
        <translation>Tilføj sekvens...</translation>
    </message>
    <message>
        <source>%1 (items: %2)</source>
        <translation>%1 (elementer: %2)</translation>
    </message>
    <message>
        <source>Delete the data source &quot;%1&quot;?</source>
        <translation>Slet datakilden &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>No item of an open label uses it.</source>
        <translation>Intet element på en åben etiket bruger den.</translation>
    </message>
    <message>
        <source>It is used by items on: %1.</source>
        <translation>Den bruges af elementer på: %1.</translation>
    </message>
    <message>
        <source>Those items keep their binding and are bound again when a source of this name is added; until then their labels cannot be printed.</source>
        <translation>Disse elementer beholder deres binding og bindes igen, når en kilde med dette navn tilføjes; indtil da kan deres etiketter ikke udskrives.</translation>
    </message>
    <message>
        <source>The values of the table are lost unless a saved label still holds them.</source>
        <translation>Tabellens værdier går tabt, medmindre en gemt etiket stadig indeholder dem.</translation>
    </message>
    <message>
        <source>Delete data source</source>
        <translation>Slet datakilde</translation>
    </message>
</context>
<context>
    <name>DateTimeDialog</name>
    <message>
        <source>Date and Time</source>
        <translation>Dato og klokkeslæt</translation>
    </message>
    <message>
        <source>Use system&apos;s current date and time.</source>
        <translation>Brug systemets aktuelle dato og klokkeslæt.</translation>
    </message>
    <message>
        <source>Set date and time manually.</source>
        <translation>Angiv dato og klokkeslæt manuelt.</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format string:</source>
        <translation>Formatstreng:</translation>
    </message>
</context>
<context>
    <name>DateTimeItem</name>
    <message>
        <source>Edit date and time format...</source>
        <translation>Rediger dato- og klokkeslætsformat...</translation>
    </message>
</context>
<context>
    <name>DocPropertiesDialog</name>
    <message>
        <source>Document properties</source>
        <translation>Dokumentegenskaber</translation>
    </message>
</context>
<context>
    <name>DocPropertiesWidget</name>
    <message>
        <source>Custom</source>
        <translation>Brugerdefineret</translation>
    </message>
    <message>
        <source>Size template</source>
        <translation>Størrelsesskabelon</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Egenskaber</translation>
    </message>
    <message>
        <source>Liner width</source>
        <translation>Bagpapirets bredde</translation>
    </message>
    <message>
        <source>Label width</source>
        <translation>Etiketbredde</translation>
    </message>
    <message>
        <source>Label height</source>
        <translation>Etikethøjde</translation>
    </message>
    <message>
        <source>Margin left</source>
        <translation>Venstre margen</translation>
    </message>
    <message>
        <source>Margin right</source>
        <translation>Højre margen</translation>
    </message>
    <message>
        <source>Row spacing</source>
        <translation>Rækkeafstand</translation>
    </message>
    <message>
        <source>Column spacing</source>
        <translation>Kolonneafstand</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Kolonner</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>The labels do not fit on the liner: they need %1 mm, the liner is %2 mm wide.</source>
        <translation>Etiketterne passer ikke på bagpapiret: de kræver %1 mm, bagpapiret er %2 mm bredt.</translation>
    </message>
    <message>
        <source>Address labels</source>
        <translation>Adresseetiketter</translation>
    </message>
    <message>
        <source>Multi-across rolls</source>
        <translation>Ruller med flere etiketter i bredden</translation>
    </message>
    <message>
        <source>Product and price labels</source>
        <translation>Produkt- og prisetiketter</translation>
    </message>
    <message>
        <source>Shipping labels</source>
        <translation>Forsendelsesetiketter</translation>
    </message>
    <message>
        <source>Small labels</source>
        <translation>Små etiketter</translation>
    </message>
    <message>
        <source>Square and round-cornered labels</source>
        <translation>Kvadratiske etiketter og etiketter med runde hjørner</translation>
    </message>
    <message>
        <source>Wide industrial labels</source>
        <translation>Brede industrietiketter</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>An item is bound to the data source &quot;%1&quot;, which is not open. Add the data file (or the table) again, or bind the item to another source.</source>
        <translation>Et element er bundet til datakilden &quot;%1&quot;, som ikke er åben. Tilføj datafilen (eller tabellen) igen, eller bind elementet til en anden kilde.</translation>
    </message>
    <message>
        <source>The data file %1 is no longer there.</source>
        <translation>Datafilen %1 findes ikke længere.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows; it had %3 when the label was saved.</source>
        <translation>Datafilen %1 har %2 rækker; den havde %3, da etiketten blev gemt.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows, fewer than the label uses.</source>
        <translation>Datafilen %1 har %2 rækker, færre end etiketten bruger.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Skrifttype</translation>
    </message>
    <message>
        <source>Insert label</source>
        <translation>Indsæt etiket</translation>
    </message>
    <message>
        <source>Text alignment</source>
        <translation>Tekstjustering</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Indtastning</translation>
    </message>
</context>
<context>
    <name>DriverPropertiesDialog</name>
    <message>
        <source>%1 Document Properties</source>
        <translation>Dokumentegenskaber for %1</translation>
    </message>
    <message>
        <source>The driver of this printer has no options.</source>
        <translation>Driveren til denne printer har ingen indstillinger.</translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Localization</source>
        <translation>Sprog</translation>
    </message>
    <message>
        <source>Menu language: </source>
        <translation>Menusprog: </translation>
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
        <translation>&amp;Åbn</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Luk</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Gem</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Gem &amp;som...</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etiketegenskaber</translation>
    </message>
    <message>
        <source>Lock layout</source>
        <translation>Lås layout</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>Eksportér som P&amp;DF...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Udskriv...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Afslut</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Fortryd</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Gentag</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Klip</translation>
    </message>
    <message>
        <source>&amp;Copy...</source>
        <translation>K&amp;opiér...</translation>
    </message>
    <message>
        <source>&amp;Paste...</source>
        <translation>Sæt &amp;ind...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Markér alt</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Slet</translation>
    </message>
    <message>
        <source>&amp;Label</source>
        <translation>&amp;Etiket</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Indstillinger</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Søg efter opdateringer</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Om</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Filer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Rediger</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Vis</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Indsæt</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>F&amp;unktioner</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hjælp</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Filer</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Rediger</translation>
    </message>
    <message>
        <source>Label %1 of %2</source>
        <translation>Etiket %1 af %2</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Vis gitter</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Fastgør til gitter</translation>
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

Design etiketter, placer dem på etiketmateriale i ruller, og udskriv serier af forskellige etiketter.

Dette program bruger Qt version %6 i henhold til betingelserne i GNU Lesser General Public License (LGPL) version 2.1.
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Unavngivet)</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Åbn fil...</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</source>
        <translation>Billeder (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle filer (*)</translation>
    </message>
    <message>
        <source>Insert image</source>
        <translation>Indsæt billede</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an image that can be read; nothing was inserted.</source>
        <translation>&apos;%1&apos; er ikke et billede, der kan læses; intet blev indsat.</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Åbn...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l);;All files (*.*)</source>
        <translation>Tagorix 4-etiketfiler (*.tx4l);;Alle filer (*.*)</translation>
    </message>
    <message>
        <source>Bad file type</source>
        <translation>Ugyldig filtype</translation>
    </message>
    <message>
        <source>Unable to open the selected file.</source>
        <translation>Den valgte fil kan ikke åbnes.</translation>
    </message>
    <message>
        <source>Data files not found</source>
        <translation>Datafiler blev ikke fundet</translation>
    </message>
    <message>
        <source>Printer not found</source>
        <translation>Printeren blev ikke fundet</translation>
    </message>
    <message>
        <source>The printer %1 was not found. Set up printer in &apos;Label properties&apos;</source>
        <translation>Printeren %1 blev ikke fundet. Vælg en printer under &apos;Etiketegenskaber&apos;</translation>
    </message>
    <message>
        <source>Write error</source>
        <translation>Skrivefejl</translation>
    </message>
    <message>
        <source>Unable open &apos;%1&apos; for writing</source>
        <translation>&apos;%1&apos; kan ikke åbnes til skrivning</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Gem som...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l)</source>
        <translation>Tagorix 4-etiketfiler (*.tx4l)</translation>
    </message>
    <message>
        <source>Label modified</source>
        <translation>Etiketten er ændret</translation>
    </message>
    <message>
        <source>The label &apos;%1&apos; has been modified.
Do you want to save your changes?</source>
        <translation>Etiketten &apos;%1&apos; er blevet ændret.
Vil du gemme dine ændringer?</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>Eksportér som PDF...</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-filer (*.pdf)</translation>
    </message>
    <message>
        <source>Label exported to file</source>
        <translation>Etiketten er eksporteret til fil</translation>
    </message>
    <message>
        <source>Export labels as PDF...</source>
        <translation>Eksportér etiketter som PDF...</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Printerkalibrering...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written.</source>
        <translation>&quot;%1&quot; kunne ikke skrives.</translation>
    </message>
    <message>
        <source>an unsaved label</source>
        <translation>en ikke-gemt etiket</translation>
    </message>
    <message>
        <source>The label uses data files that were not found:
%1

Its items keep their bindings and are bound again as soon as the files are added in the data sources dock. Until then the labels cannot be printed.</source>
        <translation>Etiketten bruger datafiler, som ikke blev fundet:
%1

Dens elementer beholder deres bindinger og bindes igen, så snart filerne tilføjes i panelet med datakilder. Indtil da kan etiketterne ikke udskrives.</translation>
    </message>
    <message>
        <source>Data files changed</source>
        <translation>Datafiler ændret</translation>
    </message>
    <message>
        <source>The layout is locked: items cannot be moved or resized</source>
        <translation>Layoutet er låst: elementer kan ikke flyttes eller ændres i størrelse</translation>
    </message>
    <message>
        <source>The layout is unlocked</source>
        <translation>Layoutet er låst op</translation>
    </message>
    <message numerus="yes">
        <source>%n labels exported to %1</source>
        <translation>
            <numerusform>%n etiket eksporteret til %1</numerusform>
            <numerusform>%n etiketter eksporteret til %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n labels sent to %1</source>
        <translation>
            <numerusform>%n etiket sendt til %1</numerusform>
            <numerusform>%n etiketter sendt til %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no longer there; it is taken off the list.</source>
        <translation>&apos;%1&apos; findes ikke længere; den fjernes fra listen.</translation>
    </message>
    <message>
        <source>Fit label</source>
        <translation>Tilpas etiket</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Senere</translation>
    </message>
    <message>
        <source>One label exported to %1</source>
        <translation>Én etiket eksporteret til %1</translation>
    </message>
    <message>
        <source>One label sent to %1</source>
        <translation>Én etiket sendt til %1</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Åbn seneste</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Indstillinger</translation>
    </message>
    <message>
        <source>Restart now</source>
        <translation>Genstart nu</translation>
    </message>
    <message>
        <source>The new language applies when Tagorix starts again.</source>
        <translation>Det nye sprog gælder, når Tagorix startes igen.</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom ind</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom ud</translation>
    </message>
</context>
<context>
    <name>NewDocumentDialog</name>
    <message>
        <source>New label</source>
        <translation>Ny etiket</translation>
    </message>
</context>
<context>
    <name>PositionSizeDialog</name>
    <message>
        <source>Position and size</source>
        <translation>Position og størrelse</translation>
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
        <translation>Størrelse</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Bredde:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Højde:</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Indstillinger</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Gem</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuller</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Brugerflade</translation>
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
        <translation>Ny etiket</translation>
    </message>
</context>
<context>
    <name>PrintHandler</name>
    <message>
        <source>The label stock has no columns. Give it at least one column in the label properties.</source>
        <translation>Etiketmaterialet har ingen kolonner. Angiv mindst én kolonne i etiketegenskaberne.</translation>
    </message>
    <message>
        <source>The label stock has a margin or spacing that is not a length of zero or more.</source>
        <translation>Etiketmaterialet har en margen eller afstand, der ikke er en længde på nul eller derover.</translation>
    </message>
    <message>
        <source>The margins of the label stock (left %1 mm, right %2 mm) leave no printable width on its %3 mm liner.</source>
        <translation>Etiketmaterialets margener (venstre %1 mm, højre %2 mm) efterlader ingen printbar bredde på bagpapiret på %3 mm.</translation>
    </message>
    <message>
        <source>The column spacing of the label stock (%1 mm) leaves no room for %2 columns on its %3 mm liner.</source>
        <translation>Etiketmaterialets kolonneafstand (%1 mm) giver ikke plads til %2 kolonner på bagpapiret på %3 mm.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Udskriv</translation>
    </message>
    <message>
        <source>Give one range of labels from 1 to %1, for example 2-5.</source>
        <translation>Angiv ét interval af etiketter fra 1 til %1, for eksempel 2-5.</translation>
    </message>
    <message>
        <source>Printing label %1 of %2</source>
        <translation>Udskriver etiket %1 af %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuller</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unavngivet</translation>
    </message>
    <message>
        <source>Quantities</source>
        <translation>Antal</translation>
    </message>
    <message>
        <source>Take each label&apos;s number of copies from the column</source>
        <translation>Tag antallet af kopier for hver etiket fra kolonnen</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Printerkalibrering...</translation>
    </message>
    <message>
        <source>%1 labels will be printed in all.</source>
        <translation>I alt udskrives der %1 etiketter.</translation>
    </message>
    <message>
        <source>No printer is chosen.</source>
        <translation>Der er ikke valgt nogen printer.</translation>
    </message>
    <message>
        <source>The print system is not running: no print scheduler answers at %1.</source>
        <translation>Udskrivningssystemet kører ikke: ingen udskriftstjeneste svarer på %1.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not exist (any more).</source>
        <translation>Printeren &quot;%1&quot; findes ikke (længere).</translation>
    </message>
    <message>
        <source>The print system did not answer for &quot;%1&quot;: %2</source>
        <translation>Udskrivningssystemet svarede ikke for &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not accept jobs; nothing was sent.</source>
        <translation>Printeren &quot;%1&quot; accepterer ikke udskriftsjob; der blev ikke sendt noget.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; is stopped; nothing was sent. Start it, then print again.</source>
        <translation>Printeren &quot;%1&quot; er standset; der blev ikke sendt noget. Start den, og udskriv derefter igen.</translation>
    </message>
    <message>
        <source>Copies from a column need a data item bound to a data source.</source>
        <translation>Kopier fra en kolonne kræver et dataelement, der er knyttet til en datakilde.</translation>
    </message>
    <message>
        <source>Row %1 of &quot;%2&quot;: &quot;%3&quot; in the column &quot;%4&quot; is not a number of copies from 0 to 9999; nothing was printed.</source>
        <translation>Række %1 i &quot;%2&quot;: &quot;%3&quot; i kolonnen &quot;%4&quot; er ikke et antal kopier fra 0 til 9999; der blev ikke udskrevet noget.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: the folder does not exist or is not writable.</source>
        <translation>&quot;%1&quot; kan ikke skrives: mappen findes ikke, eller der kan ikke skrives i den.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one label or one range of labels. Give one range of labels from 1 to %2, for example 2-5.</source>
        <translation>&quot;%1&quot; er hverken én etiket eller ét interval af etiketter. Angiv ét interval af etiketter fra 1 til %2, for eksempel 2-5.</translation>
    </message>
    <message>
        <source>The %1 columns of the label stock leave less than %2 mm for each label on its %3 mm liner.</source>
        <translation>Etiketmaterialets %1 kolonner giver mindre end %2 mm til hver etiket på bagpapiret på %3 mm.</translation>
    </message>
    <message>
        <source>Nothing was printed.</source>
        <translation>Intet blev udskrevet.</translation>
    </message>
    <message>
        <source>None of the document&apos;s data sources has a column &quot;%1&quot;.</source>
        <translation>Ingen af dokumentets datakilder har en kolonne &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>og %1 til.</translation>
    </message>
    <message>
        <source>Barcodes of these labels cannot be encoded; nothing was printed:</source>
        <translation>Stregkoderne på disse etiketter kan ikke kodes; intet blev udskrevet:</translation>
    </message>
    <message>
        <source>The labels could not be drawn for &quot;%1&quot;; nothing was sent.</source>
        <translation>Etiketterne kunne ikke tegnes til &quot;%1&quot;; intet blev sendt.</translation>
    </message>
    <message>
        <source>The job for &quot;%1&quot; was not taken: %2</source>
        <translation>Jobbet til &quot;%1&quot; blev ikke modtaget: %2</translation>
    </message>
    <message>
        <source>Barcodes of these labels do not scan as drawn for &quot;%1&quot;; nothing was printed:</source>
        <translation>Stregkoderne på disse etiketter kan ikke scannes, som de er tegnet til &quot;%1&quot;; intet blev udskrevet:</translation>
    </message>
</context>
<context>
    <name>PrinterCalibrationDialog</name>
    <message>
        <source>Printer calibration</source>
        <translation>Printerkalibrering</translation>
    </message>
    <message>
        <source>Print the calibration label and measure how far the printed cross lies from the label&apos;s centre. Enter that distance the other way round: positive values move the print to the right and down.</source>
        <translation>Udskriv kalibreringsetiketten, og mål, hvor langt det udskrevne kryds ligger fra etikettens midte. Indtast afstanden med modsat fortegn: positive værdier flytter udskriften til højre og nedad.</translation>
    </message>
    <message>
        <source>Print calibration label</source>
        <translation>Udskriv kalibreringsetiket</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>Horizontal offset:</source>
        <translation>Vandret forskydning:</translation>
    </message>
    <message>
        <source>Vertical offset:</source>
        <translation>Lodret forskydning:</translation>
    </message>
    <message>
        <source>The calibration label could not be sent to &quot;%1&quot;.</source>
        <translation>Kalibreringsetiketten kunne ikke sendes til &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisk</translation>
    </message>
    <message>
        <source>ZPL II</source>
        <translation>ZPL II</translation>
    </message>
    <message>
        <source>The print system&apos;s driver</source>
        <translation>Udskrivningssystemets driver</translation>
    </message>
    <message>
        <source>Printer language:</source>
        <translation>Printersprog:</translation>
    </message>
    <message>
        <source>Automatic (ZPL II)</source>
        <translation>Automatisk (ZPL II)</translation>
    </message>
    <message>
        <source>Automatic (the driver)</source>
        <translation>Automatisk (driveren)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Align items</source>
        <translation>Justér elementer</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Slet element</translation>
    </message>
    <message>
        <source>Delete items</source>
        <translation>Slet elementer</translation>
    </message>
    <message>
        <source>Insert text frame</source>
        <translation>Indsæt tekstfelt</translation>
    </message>
    <message>
        <source>Insert data frame</source>
        <translation>Indsæt datafelt</translation>
    </message>
    <message>
        <source>Insert Date and Time frame</source>
        <translation>Indsæt dato- og klokkeslætsfelt</translation>
    </message>
    <message>
        <source>Insert image frame</source>
        <translation>Indsæt billedfelt</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>Flyt element</translation>
    </message>
    <message>
        <source>Resize item</source>
        <translation>Tilpas elementets størrelse</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Indsæt</translation>
    </message>
    <message>
        <source>Position and size</source>
        <translation>Position og størrelse</translation>
    </message>
    <message>
        <source>Rotate items</source>
        <translation>Rotér elementer</translation>
    </message>
    <message>
        <source>Insert barcode</source>
        <translation>Indsæt stregkode</translation>
    </message>
    <message>
        <source>Edit barcode</source>
        <translation>Rediger stregkode</translation>
    </message>
    <message>
        <source>Edit data source</source>
        <translation>Rediger datakilde</translation>
    </message>
    <message>
        <source>Edit date and time format</source>
        <translation>Rediger dato- og klokkeslætsformat</translation>
    </message>
    <message>
        <source>Edit item</source>
        <translation>Rediger element</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Etiketegenskaber</translation>
    </message>
</context>
<context>
    <name>ScanReportDialog</name>
    <message>
        <source>Barcodes that do not scan</source>
        <translation>Stregkoder, der ikke kan scannes</translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) about to be printed at %1 dpi cannot be read, or read as other data.</source>
        <translation>
            <numerusform>%n stregkode, der skal udskrives ved %1 dpi, kan ikke læses eller læses som andre data.</numerusform>
            <numerusform>%n stregkoder, der skal udskrives ved %1 dpi, kan ikke læses eller læses som andre data.</numerusform>
        </translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etiket</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Forventet</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Læst</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(intet)</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... og %n mere.</numerusform>
            <numerusform>... og %n mere.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) of symbologies the decoder does not know could not be checked.</source>
        <translation>
            <numerusform>%n stregkode med en symbologi, som dekoderen ikke kender, kunne ikke kontrolleres.</numerusform>
            <numerusform>%n stregkoder med symbologier, som dekoderen ikke kender, kunne ikke kontrolleres.</numerusform>
        </translation>
    </message>
    <message>
        <source>Print anyway</source>
        <translation>Udskriv alligevel</translation>
    </message>
    <message>
        <source>Checking the barcodes...</source>
        <translation>Kontrollerer stregkoderne...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuller</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Udskriv</translation>
    </message>
</context>
<context>
    <name>SequenceDialog</name>
    <message>
        <source>Add sequence</source>
        <translation>Tilføj sekvens</translation>
    </message>
    <message>
        <source>Serial numbers</source>
        <translation>Serienumre</translation>
    </message>
    <message>
        <source> digits</source>
        <translation> cifre</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Navn:</translation>
    </message>
    <message>
        <source>First number:</source>
        <translation>Første nummer:</translation>
    </message>
    <message>
        <source>Last number:</source>
        <translation>Sidste nummer:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Trin:</translation>
    </message>
    <message>
        <source>Zero padding:</source>
        <translation>Udfyld med nuller:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Præfiks:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Suffiks:</translation>
    </message>
    <message>
        <source>The sequence needs a name.</source>
        <translation>Sekvensen skal have et navn.</translation>
    </message>
    <message>
        <source>A data source of this name exists already.</source>
        <translation>Der findes allerede en datakilde med dette navn.</translation>
    </message>
    <message>
        <source>First number, last number and step each need a whole number.</source>
        <translation>Første nummer, sidste nummer og trin skal hver være et heltal.</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 værdi</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 værdier</translation>
    </message>
</context>
<context>
    <name>TableEditor</name>
    <message>
        <source>Edit %1</source>
        <translation>Rediger %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Navn:</translation>
    </message>
    <message>
        <source>Rename table</source>
        <translation>Omdøb tabel</translation>
    </message>
</context>
<context>
    <name>TextToolbar</name>
    <message>
        <source>Text Formatting</source>
        <translation>Tekstformatering</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fed</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Understreget</translation>
    </message>
    <message>
        <source>Strikethrough</source>
        <translation>Gennemstreget</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Venstrejustér</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centrér</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Højrejustér</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Lige margener</translation>
    </message>
</context>
<context>
    <name>ToolsToolbar</name>
    <message>
        <source>Tools</source>
        <translation>Værktøjer</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Billede</translation>
    </message>
    <message>
        <source>Variable data</source>
        <translation>Variable data</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Dato og klokkeslæt</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Stregkode</translation>
    </message>
</context>
<context>
    <name>TransAlignToolbar</name>
    <message>
        <source>Transform and align</source>
        <translation>Transformér og justér</translation>
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
        <translation>Venstre</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Midte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Højre</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Bund</translation>
    </message>
</context>
<context>
    <name>UndoWidget</name>
    <message>
        <source>Undo history</source>
        <translation>Fortryd-historik</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update feed declares a document type, which is not accepted.</source>
        <translation>Opdateringsfeedet angiver en dokumenttype, hvilket ikke accepteres.</translation>
    </message>
    <message>
        <source>The update feed is not a valid appcast: %1 (line %2).</source>
        <translation>Opdateringsfeedet er ikke et gyldigt appcast: %1 (linje %2).</translation>
    </message>
    <message>
        <source>The update feed lists no release for this system.</source>
        <translation>Opdateringsfeedet indeholder ingen udgivelse til dette system.</translation>
    </message>
    <message>
        <source>The signature check could not be started.</source>
        <translation>Signaturkontrollen kunne ikke startes.</translation>
    </message>
    <message>
        <source>The update is not signed.</source>
        <translation>Opdateringen er ikke signeret.</translation>
    </message>
    <message>
        <source>The update&apos;s signature is damaged.</source>
        <translation>Opdateringens signatur er beskadiget.</translation>
    </message>
    <message>
        <source>This program has no valid key to check updates with.</source>
        <translation>Dette program har ingen gyldig nøgle at kontrollere opdateringer med.</translation>
    </message>
    <message>
        <source>The downloaded file cannot be read: %1</source>
        <translation>Den downloadede fil kan ikke læses: %1</translation>
    </message>
    <message>
        <source>The download has %1 bytes, but the update feed announced %2.</source>
        <translation>Downloaden er på %1 bytes, men opdateringsfeedet angav %2.</translation>
    </message>
    <message>
        <source>The update&apos;s signature does not match the download; it may have been changed.</source>
        <translation>Opdateringens signatur passer ikke til downloaden; den kan være blevet ændret.</translation>
    </message>
    <message>
        <source>No update feed is configured for this build.</source>
        <translation>Der er ikke konfigureret noget opdateringsfeed til dette build.</translation>
    </message>
    <message>
        <source>The update feed address %1 is not an https address.</source>
        <translation>Opdateringsfeedets adresse %1 er ikke en https-adresse.</translation>
    </message>
    <message>
        <source>The update feed is larger than 1 MiB and was not read.</source>
        <translation>Opdateringsfeedet er større end 1 MiB og blev ikke læst.</translation>
    </message>
    <message>
        <source>The update feed could not be read: it was redirected to an address that is not https.</source>
        <translation>Opdateringsfeedet kunne ikke læses: det blev omdirigeret til en adresse, der ikke er https.</translation>
    </message>
    <message>
        <source>The update feed could not be read: %1</source>
        <translation>Opdateringsfeedet kunne ikke læses: %1</translation>
    </message>
    <message>
        <source>The download address %1 is not an https address.</source>
        <translation>Downloadadressen %1 er ikke en https-adresse.</translation>
    </message>
    <message>
        <source>The update feed gives no valid size for the download.</source>
        <translation>Opdateringsfeedet angiver ingen gyldig størrelse for downloaden.</translation>
    </message>
    <message>
        <source>No folder for the download could be made: %1</source>
        <translation>Der kunne ikke oprettes en mappe til downloaden: %1</translation>
    </message>
    <message>
        <source>The download cannot be written: %1</source>
        <translation>Downloaden kan ikke skrives: %1</translation>
    </message>
    <message>
        <source>The download is larger than the update feed announced (%1 bytes).</source>
        <translation>Downloaden er større, end opdateringsfeedet angav (%1 bytes).</translation>
    </message>
    <message>
        <source>The download failed: %1</source>
        <translation>Downloaden mislykkedes: %1</translation>
    </message>
    <message>
        <source>The update check failed.</source>
        <translation>Søgningen efter opdateringer mislykkedes.</translation>
    </message>
    <message>
        <source>The update cannot be installed.</source>
        <translation>Opdateringen kan ikke installeres.</translation>
    </message>
    <message>
        <source>No program was found to open the package with (xdg-open, from the xdg-utils package).</source>
        <translation>Der blev ikke fundet noget program til at åbne pakken med (xdg-open fra pakken xdg-utils).</translation>
    </message>
    <message>
        <source>The update was not installed.</source>
        <translation>Opdateringen blev ikke installeret.</translation>
    </message>
    <message>
        <source>Tagorix was not closed, so the update was not installed. Check for updates again when your labels are saved.</source>
        <translation>Tagorix blev ikke lukket, så opdateringen blev ikke installeret. Søg efter opdateringer igen, når dine etiketter er gemt.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software update</source>
        <translation>Softwareopdatering</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>Spring denne version over</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Påmind mig senere</translation>
    </message>
    <message>
        <source>Install update</source>
        <translation>Installér opdatering</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuller</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Luk</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Søger efter opdateringer...</translation>
    </message>
    <message>
        <source>Tagorix is up to date.</source>
        <translation>Tagorix er fuldt opdateret.</translation>
    </message>
    <message>
        <source>Version %1 is the newest version available.</source>
        <translation>Version %1 er den nyeste tilgængelige version.</translation>
    </message>
    <message>
        <source>A new version of Tagorix is available.</source>
        <translation>Der er en ny version af Tagorix tilgængelig.</translation>
    </message>
    <message>
        <source>Tagorix %1 is available; you have %2. Would you like to install it now?</source>
        <translation>Tagorix %1 er tilgængelig; du har %2. Vil du installere den nu?</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Udgivelsesnoter</translation>
    </message>
    <message>
        <source>No release notes were published with this version.</source>
        <translation>Der er ikke offentliggjort udgivelsesnoter til denne version.</translation>
    </message>
    <message>
        <source>Downloading Tagorix %1...</source>
        <translation>Downloader Tagorix %1...</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 af %2</translation>
    </message>
</context>
<context>
    <name>batchprint</name>
    <message>
        <source>warning: </source>
        <translation>advarsel: </translation>
    </message>
    <message>
        <source>--print and --export-pdf cannot be used together</source>
        <translation>--print og --export-pdf kan ikke bruges sammen</translation>
    </message>
    <message>
        <source>neither --print nor --export-pdf was given</source>
        <translation>hverken --print eller --export-pdf blev angivet</translation>
    </message>
    <message>
        <source>--export-pdf needs the name of the PDF file to write</source>
        <translation>--export-pdf kræver navnet på den PDF-fil, der skal skrives</translation>
    </message>
    <message>
        <source>no document file given</source>
        <translation>ingen dokumentfil angivet</translation>
    </message>
    <message>
        <source>--printer needs a printer name</source>
        <translation>--printer kræver et printernavn</translation>
    </message>
    <message>
        <source>--copies needs a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies kræver et tal fra 1 til %1, ikke &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--data needs FILE or NAME=FILE, once per source, not &quot;%1&quot;</source>
        <translation>--data kræver FILE eller NAME=FILE, én gang pr. kilde, ikke &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--range needs FROM-TO with 1 &lt;= FROM &lt;= TO, not &quot;%1&quot;</source>
        <translation>--range kræver FROM-TO med 1 &lt;= FROM &lt;= TO, ikke &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown printer &quot;%1&quot;</source>
        <translation>ukendt printer &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no fonts can be loaded on the &quot;%1&quot; platform, so the labels&apos; text would be missing; run on the offscreen or a desktop platform</source>
        <translation>der kan ikke indlæses skrifttyper på platformen &quot;%1&quot;, så etiketternes tekst ville mangle; kør på offscreen-platformen eller en desktopplatform</translation>
    </message>
    <message>
        <source>cannot read the data file: %1</source>
        <translation>datafilen kan ikke læses: %1</translation>
    </message>
    <message>
        <source>--data needs the data sources of the application</source>
        <translation>--data kræver programmets datakilder</translation>
    </message>
    <message>
        <source>the range %1-%2 reaches past the document&apos;s %3 labels</source>
        <translation>intervallet %1-%2 rækker ud over dokumentets %3 etiketter</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;</source>
        <translation>kan ikke skrive &quot;%1&quot;</translation>
    </message>
    <message>
        <source>printing on &quot;%1&quot; failed</source>
        <translation>udskrivning på &quot;%1&quot; mislykkedes</translation>
    </message>
    <message>
        <source>--offset needs X,Y in millimetres from -10 to 10, not &quot;%1&quot;</source>
        <translation>--offset kræver X,Y i millimeter fra -10 til 10, ikke &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--quantity-column needs the name of a column</source>
        <translation>--quantity-column kræver navnet på en kolonne</translation>
    </message>
    <message>
        <source>--wait-timeout needs --wait</source>
        <translation>--wait-timeout kræver --wait</translation>
    </message>
    <message>
        <source>--wait-timeout needs a number of seconds from 1 to %1, not &quot;%2&quot;</source>
        <translation>--wait-timeout kræver et antal sekunder fra 1 til %1, ikke &quot;%2&quot;</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standardinput</translation>
    </message>
    <message>
        <source>the data %1; nothing was printed</source>
        <translation>dataene: %1; intet blev udskrevet</translation>
    </message>
    <message>
        <source>barcodes that cannot be encoded: %1; nothing was printed</source>
        <translation>stregkoder, der ikke kan kodes: %1; intet blev udskrevet</translation>
    </message>
    <message>
        <source>--export-zpl cannot be used with --print or --export-pdf</source>
        <translation>--export-zpl kan ikke bruges sammen med --print eller --export-pdf</translation>
    </message>
    <message>
        <source>--export-zpl needs the name of the ZPL file to write, or - for standard output</source>
        <translation>--export-zpl kræver navnet på ZPL-filen, der skal skrives, eller - for standardoutput</translation>
    </message>
    <message>
        <source>%1 writes one document; %2 files were given</source>
        <translation>%1 skriver ét dokument; der blev angivet %2 filer</translation>
    </message>
    <message>
        <source>--printer cannot be used with %1</source>
        <translation>--printer kan ikke bruges sammen med %1</translation>
    </message>
    <message>
        <source>--wait is for --print; %1 has written the file when it ends</source>
        <translation>--wait er til --print; %1 har skrevet filen, når den slutter</translation>
    </message>
    <message>
        <source>barcodes that do not scan as drawn: %1; nothing was printed</source>
        <translation>stregkoder, der ikke kan scannes, som de er tegnet: %1; intet blev udskrevet</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Print the files without showing a window.</source>
        <translation>Udskriv filerne uden at vise et vindue.</translation>
    </message>
    <message>
        <source>Write the pages a print of the file would send to &lt;OUT.pdf&gt;.</source>
        <translation>Skriv de sider, som en udskrift af filen ville sende, til &lt;OUT.pdf&gt;.</translation>
    </message>
    <message>
        <source>Print on &lt;NAME&gt; instead of the printer the document names (with --print).</source>
        <translation>Udskriv på &lt;NAME&gt; i stedet for den printer, dokumentet angiver (med --print).</translation>
    </message>
    <message>
        <source>Print &lt;N&gt; copies of each label.</source>
        <translation>Udskriv &lt;N&gt; kopier af hver etiket.</translation>
    </message>
    <message>
        <source>Keep the copies of each label together.</source>
        <translation>Hold kopierne af hver etiket samlet.</translation>
    </message>
    <message>
        <source>Print the rows of the CSV &lt;FILE&gt; instead of the document&apos;s data file (NAME=FILE for the source of that name; - reads standard input).</source>
        <translation>Udskriv rækkerne i CSV-filen &lt;FILE&gt; i stedet for dokumentets datafil (NAME=FILE for kilden med det navn; - læser fra standardinput).</translation>
    </message>
    <message>
        <source>Print only labels &lt;FROM&gt; to &lt;TO&gt; (counted from 1).</source>
        <translation>Udskriv kun etiketterne &lt;FROM&gt; til &lt;TO&gt; (talt fra 1).</translation>
    </message>
    <message>
        <source>Files to open, optionally.</source>
        <translation>Filer, der skal åbnes (valgfrit).</translation>
    </message>
    <message>
        <source>Loading ...</source>
        <translation>Indlæser ...</translation>
    </message>
    <message>
        <source>Read every barcode back at the printer&apos;s resolution before printing; if one does not scan, print nothing and exit with code 3.</source>
        <translation>Læs hver stregkode tilbage ved printerens opløsning før udskrivning; hvis en af dem ikke kan scannes, udskriv intet og afslut med kode 3.</translation>
    </message>
    <message>
        <source>Check the barcodes as --verify does, without printing or writing anything.</source>
        <translation>Kontrollér stregkoderne, som --verify gør, uden at udskrive eller skrive noget.</translation>
    </message>
    <message>
        <source>Move every label by &lt;X,Y&gt; millimetres (from -10 to 10) instead of the printer&apos;s stored calibration.</source>
        <translation>Flyt hver etiket &lt;X,Y&gt; millimeter (fra -10 til 10) i stedet for at bruge printerens gemte kalibrering.</translation>
    </message>
    <message>
        <source>Print each label as many times as the column &lt;NAME&gt; of its data row says.</source>
        <translation>Udskriv hver etiket så mange gange, som kolonnen &lt;NAME&gt; i dens datarække angiver.</translation>
    </message>
    <message>
        <source>After each print, wait until the print system reports the job completed; if it is cancelled or aborted, the printer stops, or the time of --wait-timeout passes, exit with code 2 (with --print).</source>
        <translation>Vent efter hver udskrift, til udskriftssystemet melder jobbet fuldført; annulleres eller afbrydes det, stopper printeren, eller går tiden for --wait-timeout, afsluttes med kode 2 (med --print).</translation>
    </message>
    <message>
        <source>Wait at most &lt;SECONDS&gt; for each job with --wait (default 60).</source>
        <translation>Vent med --wait højst &lt;SECONDS&gt; sekunder på hvert job (standard 60).</translation>
    </message>
    <message>
        <source>Write the job a ZPL II printer would get to &lt;OUT.zpl&gt; (- for standard output).</source>
        <translation>Skriv det job, en ZPL II-printer ville få, til &lt;OUT.zpl&gt; (- for standardoutput).</translation>
    </message>
</context>
<context>
    <name>scanverify</name>
    <message>
        <source>%1 at %2, %3 mm</source>
        <translation>%1 ved %2, %3 mm</translation>
    </message>
    <message>
        <source>label %1, %2</source>
        <translation>etiket %1, %2</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read nothing</source>
        <translation>%1: forventede &quot;%2&quot;, læste intet</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read &quot;%3&quot;</source>
        <translation>%1: forventede &quot;%2&quot;, læste &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: cannot be verified</source>
        <translation>%1: kan ikke verificeres</translation>
    </message>
    <message>
        <source>%1: scans</source>
        <translation>%1: kan scannes</translation>
    </message>
    <message>
        <source>the data cannot be encoded</source>
        <translation>dataene kan ikke kodes</translation>
    </message>
    <message>
        <source>label %1, %2: &quot;%3&quot;: %4</source>
        <translation>etiket %1, %2: &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>%1 (not GS1)</source>
        <translation>%1 (ikke GS1)</translation>
    </message>
</context>
<context>
    <name>sequence</name>
    <message>
        <source>At most 18 digits of zero padding.</source>
        <translation>Højst 18 cifre ved udfyldning med nuller.</translation>
    </message>
    <message>
        <source>The step cannot be 0.</source>
        <translation>Trinnet kan ikke være 0.</translation>
    </message>
    <message>
        <source>The step does not lead from the first to the last number.</source>
        <translation>Trinnet fører ikke fra det første til det sidste nummer.</translation>
    </message>
    <message>
        <source>A sequence holds at most 1,000,000 values; this one would hold %1.</source>
        <translation>En sekvens kan højst indeholde 1.000.000 værdier; denne ville indeholde %1.</translation>
    </message>
</context>
</TS>
