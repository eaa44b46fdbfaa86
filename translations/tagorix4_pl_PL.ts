<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en_US">
<context>
    <name>BarcodeDialog</name>
    <message>
        <source>Edit barcode</source>
        <translation>Edytuj kod kreskowy</translation>
    </message>
    <message>
        <source>Constant data</source>
        <translation>Dane stałe</translation>
    </message>
    <message>
        <source>Data string:</source>
        <translation>Ciąg danych:</translation>
    </message>
    <message>
        <source>Variable data source</source>
        <translation>Zmienne źródło danych</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Show human-readable text</source>
        <translation>Pokaż tekst czytelny dla człowieka</translation>
    </message>
    <message>
        <source>Keep aspect ratio</source>
        <translation>Zachowaj proporcje</translation>
    </message>
    <message>
        <source>Symbology:</source>
        <translation>Symbolika:</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Dane</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Wygląd</translation>
    </message>
    <message>
        <source>The scanner check does not know this symbology.</source>
        <translation>Sprawdzanie skanowania nie obsługuje tej symboliki.</translation>
    </message>
    <message>
        <source>Scans when printed at %1 dpi.</source>
        <translation>Daje się zeskanować po wydrukowaniu w rozdzielczości %1 dpi.</translation>
    </message>
    <message>
        <source>Printed at %1 dpi, it scans as &quot;%2&quot;.</source>
        <translation>Po wydrukowaniu w rozdzielczości %1 dpi jest odczytywany jako &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Does not scan when printed at %1 dpi: make the item larger.</source>
        <translation>Nie daje się zeskanować po wydrukowaniu w rozdzielczości %1 dpi: powiększ element.</translation>
    </message>
    <message>
        <source>Printed module: %1 mm (%2 dots at %3 dpi).</source>
        <translation>Drukowany moduł: %1 mm (%2 punktów przy %3 dpi).</translation>
    </message>
</context>
<context>
    <name>BarcodeItem</name>
    <message>
        <source>Edit barcode...</source>
        <translation>Edytuj kod kreskowy...</translation>
    </message>
</context>
<context>
    <name>BaseItem</name>
    <message>
        <source>Position and size...</source>
        <translation>Położenie i rozmiar...</translation>
    </message>
</context>
<context>
    <name>DataItem</name>
    <message>
        <source>Edit data source...</source>
        <translation>Edytuj źródło danych...</translation>
    </message>
</context>
<context>
    <name>DataItemDialog</name>
    <message>
        <source>Edit data item</source>
        <translation>Edytuj element danych</translation>
    </message>
    <message>
        <source>Source:</source>
        <translation>Źródło:</translation>
    </message>
</context>
<context>
    <name>DataSourceManager</name>
    <message>
        <source>The data file %1 is not UTF-8 text; it was read as Windows-1252.</source>
        <translation>Plik danych %1 nie jest tekstem UTF-8; odczytano go jako Windows-1252.</translation>
    </message>
    <message>
        <source>Table %1</source>
        <translation>Tabela %1</translation>
    </message>
    <message>
        <source>The table is no longer there.</source>
        <translation>Tabela już nie istnieje.</translation>
    </message>
    <message>
        <source>A data file&apos;s table is named by its file.</source>
        <translation>Tabela pliku danych nosi nazwę swojego pliku.</translation>
    </message>
    <message>
        <source>A table needs a name.</source>
        <translation>Tabela musi mieć nazwę.</translation>
    </message>
    <message>
        <source>The name &quot;%1&quot; is taken by another data source.</source>
        <translation>Nazwa „%1” jest już zajęta przez inne źródło danych.</translation>
    </message>
    <message>
        <source>The data file %1 changed on disk and was read again (%2 rows).</source>
        <translation>Plik danych %1 zmienił się na dysku i został wczytany ponownie (wiersze: %2).</translation>
    </message>
    <message>
        <source>The file %1 is not a CSV text file; it was not added.</source>
        <translation>Plik %1 nie jest plikiem tekstowym CSV; nie został dodany.</translation>
    </message>
</context>
<context>
    <name>DataSourcesWidget</name>
    <message>
        <source>Data sources</source>
        <translation>Źródła danych</translation>
    </message>
    <message>
        <source>Add from file</source>
        <translation>Dodaj z pliku</translation>
    </message>
    <message>
        <source>Add table</source>
        <translation>Dodaj tabelę</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Otwórz plik</translation>
    </message>
    <message>
        <source>Data files (*.csv *.xlsx *.txt);;All files (*.*)</source>
        <translation>Pliki danych (*.csv *.xlsx *.txt);;Wszystkie pliki (*.*)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a CSV, TXT or XLSX file.</source>
        <translation>&apos;%1&apos; nie jest plikiem CSV, TXT ani XLSX.</translation>
    </message>
    <message>
        <source>Add sequence...</source>
        <translation>Dodaj sekwencję...</translation>
    </message>
    <message>
        <source>%1 (items: %2)</source>
        <translation>%1 (elementy: %2)</translation>
    </message>
    <message>
        <source>Delete the data source &quot;%1&quot;?</source>
        <translation>Usunąć źródło danych „%1”?</translation>
    </message>
    <message>
        <source>No item of an open label uses it.</source>
        <translation>Nie używa go żaden element otwartej etykiety.</translation>
    </message>
    <message>
        <source>It is used by items on: %1.</source>
        <translation>Używają go elementy na: %1.</translation>
    </message>
    <message>
        <source>Those items keep their binding and are bound again when a source of this name is added; until then their labels cannot be printed.</source>
        <translation>Te elementy zachowują powiązanie i zostaną powiązane ponownie po dodaniu źródła o tej nazwie; do tego czasu ich etykiet nie można drukować.</translation>
    </message>
    <message>
        <source>The values of the table are lost unless a saved label still holds them.</source>
        <translation>Wartości tabeli zostaną utracone, chyba że zawiera je jeszcze zapisana etykieta.</translation>
    </message>
    <message>
        <source>Delete data source</source>
        <translation>Usuń źródło danych</translation>
    </message>
</context>
<context>
    <name>DateTimeDialog</name>
    <message>
        <source>Date and Time</source>
        <translation>Data i godzina</translation>
    </message>
    <message>
        <source>Use system&apos;s current date and time.</source>
        <translation>Użyj bieżącej daty i godziny systemowej.</translation>
    </message>
    <message>
        <source>Set date and time manually.</source>
        <translation>Ustaw datę i godzinę ręcznie.</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format string:</source>
        <translation>Ciąg formatu:</translation>
    </message>
</context>
<context>
    <name>DateTimeItem</name>
    <message>
        <source>Edit date and time format...</source>
        <translation>Edytuj format daty i godziny...</translation>
    </message>
</context>
<context>
    <name>DocPropertiesDialog</name>
    <message>
        <source>Document properties</source>
        <translation>Właściwości dokumentu</translation>
    </message>
</context>
<context>
    <name>DocPropertiesWidget</name>
    <message>
        <source>Custom</source>
        <translation>Niestandardowy</translation>
    </message>
    <message>
        <source>Size template</source>
        <translation>Szablon rozmiaru</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Właściwości</translation>
    </message>
    <message>
        <source>Liner width</source>
        <translation>Szerokość podkładu</translation>
    </message>
    <message>
        <source>Label width</source>
        <translation>Szerokość etykiety</translation>
    </message>
    <message>
        <source>Label height</source>
        <translation>Wysokość etykiety</translation>
    </message>
    <message>
        <source>Margin left</source>
        <translation>Margines lewy</translation>
    </message>
    <message>
        <source>Margin right</source>
        <translation>Margines prawy</translation>
    </message>
    <message>
        <source>Row spacing</source>
        <translation>Odstęp między wierszami</translation>
    </message>
    <message>
        <source>Column spacing</source>
        <translation>Odstęp między kolumnami</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Kolumny</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drukarka</translation>
    </message>
    <message>
        <source>The labels do not fit on the liner: they need %1 mm, the liner is %2 mm wide.</source>
        <translation>Etykiety nie mieszczą się na podkładzie: potrzebują %1 mm, a podkład ma szerokość %2 mm.</translation>
    </message>
    <message>
        <source>Address labels</source>
        <translation>Etykiety adresowe</translation>
    </message>
    <message>
        <source>Multi-across rolls</source>
        <translation>Rolki wielorzędowe</translation>
    </message>
    <message>
        <source>Product and price labels</source>
        <translation>Etykiety produktowe i cenowe</translation>
    </message>
    <message>
        <source>Shipping labels</source>
        <translation>Etykiety wysyłkowe</translation>
    </message>
    <message>
        <source>Small labels</source>
        <translation>Małe etykiety</translation>
    </message>
    <message>
        <source>Square and round-cornered labels</source>
        <translation>Etykiety kwadratowe i z zaokrąglonymi rogami</translation>
    </message>
    <message>
        <source>Wide industrial labels</source>
        <translation>Szerokie etykiety przemysłowe</translation>
    </message>
</context>
<context>
    <name>Document</name>
    <message>
        <source>An item is bound to the data source &quot;%1&quot;, which is not open. Add the data file (or the table) again, or bind the item to another source.</source>
        <translation>Element jest powiązany ze źródłem danych „%1”, które nie jest otwarte. Dodaj ponownie plik danych (lub tabelę) albo powiąż element z innym źródłem.</translation>
    </message>
    <message>
        <source>The data file %1 is no longer there.</source>
        <translation>Plik danych %1 już nie istnieje.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows; it had %3 when the label was saved.</source>
        <translation>Plik danych %1 ma wierszy: %2; przy zapisie etykiety miał ich %3.</translation>
    </message>
    <message>
        <source>The data file %1 has %2 rows, fewer than the label uses.</source>
        <translation>Plik danych %1 ma wierszy: %2, mniej niż używa etykieta.</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Czcionka</translation>
    </message>
    <message>
        <source>Insert label</source>
        <translation>Wstaw etykietę</translation>
    </message>
    <message>
        <source>Text alignment</source>
        <translation>Wyrównanie tekstu</translation>
    </message>
    <message>
        <source>Typing</source>
        <translation>Wpisywanie</translation>
    </message>
</context>
<context>
    <name>DriverPropertiesDialog</name>
    <message>
        <source>%1 Document Properties</source>
        <translation>Właściwości dokumentu – %1</translation>
    </message>
    <message>
        <source>The driver of this printer has no options.</source>
        <translation>Sterownik tej drukarki nie ma żadnych opcji.</translation>
    </message>
</context>
<context>
    <name>InterfacePage</name>
    <message>
        <source>Localization</source>
        <translation>Lokalizacja</translation>
    </message>
    <message>
        <source>Menu language: </source>
        <translation>Język menu: </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Nowy</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Otwórz</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Zamknij</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Zapisz &amp;jako...</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Właściwości etykiety</translation>
    </message>
    <message>
        <source>Lock layout</source>
        <translation>Zablokuj układ</translation>
    </message>
    <message>
        <source>Export as P&amp;DF...</source>
        <translation>&amp;Eksportuj do PDF...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drukuj...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Za&amp;kończ</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Cofnij</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ponów</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Wy&amp;tnij</translation>
    </message>
    <message>
        <source>&amp;Copy...</source>
        <translation>&amp;Kopiuj...</translation>
    </message>
    <message>
        <source>&amp;Paste...</source>
        <translation>&amp;Wklej...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Zaznacz wszystko</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Usuń</translation>
    </message>
    <message>
        <source>&amp;Label</source>
        <translation>&amp;Etykieta</translation>
    </message>
    <message>
        <source>&amp;Preferences</source>
        <translation>&amp;Preferencje</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Sprawdź aktualizacje</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;O programie</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Plik</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edycja</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Widok</translation>
    </message>
    <message>
        <source>&amp;Insert</source>
        <translation>W&amp;staw</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Narzędzia</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>P&amp;omoc</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edycja</translation>
    </message>
    <message>
        <source>Label %1 of %2</source>
        <translation>Etykieta %1 z %2</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Pokaż siatkę</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Przyciągaj do siatki</translation>
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
Wersja %1.%2.%3%4 (%5)

Projektuj etykiety, rozmieszczaj je na materiale etykiet w rolce i drukuj serie różnych etykiet.

To oprogramowanie korzysta z biblioteki Qt w wersji %6 na warunkach licencji GNU Lesser General Public License (LGPL) w wersji 2.1.
</translation>
    </message>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>(Untitled)</source>
        <translation>(Bez tytułu)</translation>
    </message>
    <message>
        <source>Open file...</source>
        <translation>Otwórz plik...</translation>
    </message>
    <message>
        <source>Images (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</source>
        <translation>Obrazy (*.png *.jpg *.jpeg *.bmp *.gif *.svg)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Wszystkie pliki (*)</translation>
    </message>
    <message>
        <source>Insert image</source>
        <translation>Wstaw obraz</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an image that can be read; nothing was inserted.</source>
        <translation>&apos;%1&apos; nie jest obrazem, który można odczytać; nic nie zostało wstawione.</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Otwórz...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l);;All files (*.*)</source>
        <translation>Pliki etykiet Tagorix 4 (*.tx4l);;Wszystkie pliki (*.*)</translation>
    </message>
    <message>
        <source>Bad file type</source>
        <translation>Nieprawidłowy typ pliku</translation>
    </message>
    <message>
        <source>Unable to open the selected file.</source>
        <translation>Nie można otworzyć wybranego pliku.</translation>
    </message>
    <message>
        <source>Data files not found</source>
        <translation>Nie znaleziono plików danych</translation>
    </message>
    <message>
        <source>Printer not found</source>
        <translation>Nie znaleziono drukarki</translation>
    </message>
    <message>
        <source>The printer %1 was not found. Set up printer in &apos;Label properties&apos;</source>
        <translation>Nie znaleziono drukarki %1. Skonfiguruj drukarkę w oknie &apos;Właściwości etykiety&apos;</translation>
    </message>
    <message>
        <source>Write error</source>
        <translation>Błąd zapisu</translation>
    </message>
    <message>
        <source>Unable open &apos;%1&apos; for writing</source>
        <translation>Nie można otworzyć &apos;%1&apos; do zapisu</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Zapisz jako...</translation>
    </message>
    <message>
        <source>Tagorix 4 label files (*.tx4l)</source>
        <translation>Pliki etykiet Tagorix 4 (*.tx4l)</translation>
    </message>
    <message>
        <source>Label modified</source>
        <translation>Etykieta została zmodyfikowana</translation>
    </message>
    <message>
        <source>The label &apos;%1&apos; has been modified.
Do you want to save your changes?</source>
        <translation>Etykieta &apos;%1&apos; została zmodyfikowana.
Czy chcesz zapisać zmiany?</translation>
    </message>
    <message>
        <source>Export as PDF...</source>
        <translation>Eksportuj do PDF...</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Pliki PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Label exported to file</source>
        <translation>Etykieta została wyeksportowana do pliku</translation>
    </message>
    <message>
        <source>Export labels as PDF...</source>
        <translation>Eksportuj etykiety do PDF...</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Kalibracja drukarki...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; could not be written.</source>
        <translation>Nie udało się zapisać &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>an unsaved label</source>
        <translation>niezapisana etykieta</translation>
    </message>
    <message>
        <source>The label uses data files that were not found:
%1

Its items keep their bindings and are bound again as soon as the files are added in the data sources dock. Until then the labels cannot be printed.</source>
        <translation>Etykieta używa plików danych, których nie znaleziono:
%1

Jej elementy zachowują powiązania i zostaną powiązane ponownie, gdy tylko pliki zostaną dodane w panelu źródeł danych. Do tego czasu etykiet nie można drukować.</translation>
    </message>
    <message>
        <source>Data files changed</source>
        <translation>Pliki danych zmienione</translation>
    </message>
    <message>
        <source>The layout is locked: items cannot be moved or resized</source>
        <translation>Układ jest zablokowany: elementów nie można przesuwać ani zmieniać ich rozmiaru</translation>
    </message>
    <message>
        <source>The layout is unlocked</source>
        <translation>Układ jest odblokowany</translation>
    </message>
    <message numerus="yes">
        <source>%n labels exported to %1</source>
        <translation>
            <numerusform>%n etykieta wyeksportowana do %1</numerusform>
            <numerusform>%n etykiety wyeksportowane do %1</numerusform>
            <numerusform>%n etykiet wyeksportowanych do %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n labels sent to %1</source>
        <translation>
            <numerusform>%n etykieta wysłana do %1</numerusform>
            <numerusform>%n etykiety wysłane do %1</numerusform>
            <numerusform>%n etykiet wysłanych do %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no longer there; it is taken off the list.</source>
        <translation>„%1” już nie istnieje; zostaje usunięty z listy.</translation>
    </message>
    <message>
        <source>Fit label</source>
        <translation>Dopasuj etykietę</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Później</translation>
    </message>
    <message>
        <source>One label exported to %1</source>
        <translation>Jedna etykieta wyeksportowana do %1</translation>
    </message>
    <message>
        <source>One label sent to %1</source>
        <translation>Jedna etykieta wysłana do %1</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>Otwórz ostatnie</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferencje</translation>
    </message>
    <message>
        <source>Restart now</source>
        <translation>Uruchom ponownie teraz</translation>
    </message>
    <message>
        <source>The new language applies when Tagorix starts again.</source>
        <translation>Nowy język zostanie użyty po ponownym uruchomieniu Tagorix.</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Powiększ</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Pomniejsz</translation>
    </message>
</context>
<context>
    <name>NewDocumentDialog</name>
    <message>
        <source>New label</source>
        <translation>Nowa etykieta</translation>
    </message>
</context>
<context>
    <name>PositionSizeDialog</name>
    <message>
        <source>Position and size</source>
        <translation>Położenie i rozmiar</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Położenie</translation>
    </message>
    <message>
        <source>Position X:</source>
        <translation>Położenie X:</translation>
    </message>
    <message>
        <source>Position Y:</source>
        <translation>Położenie Y:</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Rozmiar</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Szerokość:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Wysokość:</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencje</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Interfejs</translation>
    </message>
</context>
<context>
    <name>PreviewWidget</name>
    <message>
        <source>Labels</source>
        <translation>Etykiety</translation>
    </message>
    <message>
        <source>New Label</source>
        <translation>Nowa etykieta</translation>
    </message>
</context>
<context>
    <name>PrintHandler</name>
    <message>
        <source>The label stock has no columns. Give it at least one column in the label properties.</source>
        <translation>Materiał etykiet nie ma kolumn. Ustaw co najmniej jedną kolumnę we właściwościach etykiety.</translation>
    </message>
    <message>
        <source>The label stock has a margin or spacing that is not a length of zero or more.</source>
        <translation>Materiał etykiet ma margines lub odstęp, którego długość nie jest równa zero ani większa od zera.</translation>
    </message>
    <message>
        <source>The margins of the label stock (left %1 mm, right %2 mm) leave no printable width on its %3 mm liner.</source>
        <translation>Marginesy materiału etykiet (lewy %1 mm, prawy %2 mm) nie pozostawiają obszaru do druku na podkładzie o szerokości %3 mm.</translation>
    </message>
    <message>
        <source>The column spacing of the label stock (%1 mm) leaves no room for %2 columns on its %3 mm liner.</source>
        <translation>Odstęp między kolumnami materiału etykiet (%1 mm) jest zbyt duży, aby na podkładzie o szerokości %3 mm zmieściła się podana liczba kolumn (%2).</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drukuj</translation>
    </message>
    <message>
        <source>Give one range of labels from 1 to %1, for example 2-5.</source>
        <translation>Podaj jeden zakres etykiet od 1 do %1, na przykład 2-5.</translation>
    </message>
    <message>
        <source>Printing label %1 of %2</source>
        <translation>Drukowanie etykiety %1 z %2</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Bez tytułu</translation>
    </message>
    <message>
        <source>Quantities</source>
        <translation>Ilości</translation>
    </message>
    <message>
        <source>Take each label&apos;s number of copies from the column</source>
        <translation>Pobierz liczbę kopii każdej etykiety z kolumny</translation>
    </message>
    <message>
        <source>Printer calibration...</source>
        <translation>Kalibracja drukarki...</translation>
    </message>
    <message>
        <source>%1 labels will be printed in all.</source>
        <translation>Łącznie zostanie wydrukowanych etykiet: %1.</translation>
    </message>
    <message>
        <source>No printer is chosen.</source>
        <translation>Nie wybrano drukarki.</translation>
    </message>
    <message>
        <source>The print system is not running: no print scheduler answers at %1.</source>
        <translation>System drukowania nie działa: pod adresem %1 nie odpowiada żadna usługa drukowania.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not exist (any more).</source>
        <translation>Drukarka &quot;%1&quot; (już) nie istnieje.</translation>
    </message>
    <message>
        <source>The print system did not answer for &quot;%1&quot;: %2</source>
        <translation>System drukowania nie odpowiedział dla drukarki &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; does not accept jobs; nothing was sent.</source>
        <translation>Drukarka &quot;%1&quot; nie przyjmuje zadań; nic nie wysłano.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; is stopped; nothing was sent. Start it, then print again.</source>
        <translation>Drukarka &quot;%1&quot; jest zatrzymana; nic nie wysłano. Uruchom ją, a następnie wydrukuj ponownie.</translation>
    </message>
    <message>
        <source>Copies from a column need a data item bound to a data source.</source>
        <translation>Pobranie liczby kopii z kolumny wymaga elementu danych powiązanego ze źródłem danych.</translation>
    </message>
    <message>
        <source>Row %1 of &quot;%2&quot;: &quot;%3&quot; in the column &quot;%4&quot; is not a number of copies from 0 to 9999; nothing was printed.</source>
        <translation>Wiersz %1 w &quot;%2&quot;: wartość &quot;%3&quot; w kolumnie &quot;%4&quot; nie jest liczbą kopii od 0 do 9999; nic nie wydrukowano.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be written: the folder does not exist or is not writable.</source>
        <translation>Nie można zapisać &quot;%1&quot;: folder nie istnieje lub nie ma uprawnień do zapisu w nim.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not one label or one range of labels. Give one range of labels from 1 to %2, for example 2-5.</source>
        <translation>&quot;%1&quot; nie jest ani jedną etykietą, ani jednym zakresem etykiet. Podaj jeden zakres etykiet od 1 do %2, na przykład 2-5.</translation>
    </message>
    <message>
        <source>The %1 columns of the label stock leave less than %2 mm for each label on its %3 mm liner.</source>
        <translation>%1 kolumn materiału etykiet pozostawia na podkładzie o szerokości %3 mm mniej niż %2 mm na każdą etykietę.</translation>
    </message>
    <message>
        <source>Nothing was printed.</source>
        <translation>Nic nie wydrukowano.</translation>
    </message>
    <message>
        <source>None of the document&apos;s data sources has a column &quot;%1&quot;.</source>
        <translation>Żadne ze źródeł danych dokumentu nie ma kolumny „%1”.</translation>
    </message>
    <message>
        <source>and %1 more.</source>
        <translation>i %1 więcej.</translation>
    </message>
    <message>
        <source>Barcodes of these labels cannot be encoded; nothing was printed:</source>
        <translation>Kodów kreskowych tych etykiet nie można zakodować; nic nie wydrukowano:</translation>
    </message>
    <message>
        <source>The labels could not be drawn for &quot;%1&quot;; nothing was sent.</source>
        <translation>Nie udało się narysować etykiet dla &quot;%1&quot;; nic nie wysłano.</translation>
    </message>
    <message>
        <source>The job for &quot;%1&quot; was not taken: %2</source>
        <translation>Zadanie dla &quot;%1&quot; nie zostało przyjęte: %2</translation>
    </message>
    <message>
        <source>Barcodes of these labels do not scan as drawn for &quot;%1&quot;; nothing was printed:</source>
        <translation>Kodów kreskowych tych etykiet narysowanych dla &quot;%1&quot; nie da się zeskanować; nic nie wydrukowano:</translation>
    </message>
</context>
<context>
    <name>PrinterCalibrationDialog</name>
    <message>
        <source>Printer calibration</source>
        <translation>Kalibracja drukarki</translation>
    </message>
    <message>
        <source>Print the calibration label and measure how far the printed cross lies from the label&apos;s centre. Enter that distance the other way round: positive values move the print to the right and down.</source>
        <translation>Wydrukuj etykietę kalibracyjną i zmierz, jak daleko wydrukowany krzyżyk leży od środka etykiety. Wpisz tę odległość z przeciwnym znakiem: wartości dodatnie przesuwają wydruk w prawo i w dół.</translation>
    </message>
    <message>
        <source>Print calibration label</source>
        <translation>Drukuj etykietę kalibracyjną</translation>
    </message>
    <message>
        <source>Printer:</source>
        <translation>Drukarka:</translation>
    </message>
    <message>
        <source>Horizontal offset:</source>
        <translation>Przesunięcie w poziomie:</translation>
    </message>
    <message>
        <source>Vertical offset:</source>
        <translation>Przesunięcie w pionie:</translation>
    </message>
    <message>
        <source>The calibration label could not be sent to &quot;%1&quot;.</source>
        <translation>Nie udało się wysłać etykiety kalibracyjnej do &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatycznie</translation>
    </message>
    <message>
        <source>ZPL II</source>
        <translation>ZPL II</translation>
    </message>
    <message>
        <source>The print system&apos;s driver</source>
        <translation>Sterownik systemu drukowania</translation>
    </message>
    <message>
        <source>Printer language:</source>
        <translation>Język drukarki:</translation>
    </message>
    <message>
        <source>Automatic (ZPL II)</source>
        <translation>Automatycznie (ZPL II)</translation>
    </message>
    <message>
        <source>Automatic (the driver)</source>
        <translation>Automatycznie (sterownik)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Align items</source>
        <translation>Wyrównaj elementy</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Usuń element</translation>
    </message>
    <message>
        <source>Delete items</source>
        <translation>Usuń elementy</translation>
    </message>
    <message>
        <source>Insert text frame</source>
        <translation>Wstaw ramkę tekstową</translation>
    </message>
    <message>
        <source>Insert data frame</source>
        <translation>Wstaw ramkę danych</translation>
    </message>
    <message>
        <source>Insert Date and Time frame</source>
        <translation>Wstaw ramkę daty i godziny</translation>
    </message>
    <message>
        <source>Insert image frame</source>
        <translation>Wstaw ramkę obrazu</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>Przesuń element</translation>
    </message>
    <message>
        <source>Resize item</source>
        <translation>Zmień rozmiar elementu</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Wklej</translation>
    </message>
    <message>
        <source>Position and size</source>
        <translation>Położenie i rozmiar</translation>
    </message>
    <message>
        <source>Rotate items</source>
        <translation>Obróć elementy</translation>
    </message>
    <message>
        <source>Insert barcode</source>
        <translation>Wstaw kod kreskowy</translation>
    </message>
    <message>
        <source>Edit barcode</source>
        <translation>Edytuj kod kreskowy</translation>
    </message>
    <message>
        <source>Edit data source</source>
        <translation>Edytuj źródło danych</translation>
    </message>
    <message>
        <source>Edit date and time format</source>
        <translation>Edytuj format daty i godziny</translation>
    </message>
    <message>
        <source>Edit item</source>
        <translation>Edytuj element</translation>
    </message>
    <message>
        <source>Label properties</source>
        <translation>Właściwości etykiety</translation>
    </message>
</context>
<context>
    <name>ScanReportDialog</name>
    <message>
        <source>Barcodes that do not scan</source>
        <translation>Kody kreskowe, których nie można zeskanować</translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) about to be printed at %1 dpi cannot be read, or read as other data.</source>
        <translation>
            <numerusform>%n kod kreskowy przeznaczony do wydruku w rozdzielczości %1 dpi nie daje się odczytać lub jest odczytywany jako inne dane.</numerusform>
            <numerusform>%n kody kreskowe przeznaczone do wydruku w rozdzielczości %1 dpi nie dają się odczytać lub są odczytywane jako inne dane.</numerusform>
            <numerusform>%n kodów kreskowych przeznaczonych do wydruku w rozdzielczości %1 dpi nie daje się odczytać lub jest odczytywanych jako inne dane.</numerusform>
        </translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Etykieta</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Element</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Oczekiwano</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Odczytano</translation>
    </message>
    <message>
        <source>(nothing)</source>
        <translation>(nic)</translation>
    </message>
    <message numerus="yes">
        <source>... and %n more.</source>
        <translation>
            <numerusform>... i %n kolejny.</numerusform>
            <numerusform>... i %n kolejne.</numerusform>
            <numerusform>... i %n kolejnych.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n barcode(s) of symbologies the decoder does not know could not be checked.</source>
        <translation>
            <numerusform>%n kod kreskowy w symbolice nieznanej dekoderowi nie mógł zostać sprawdzony.</numerusform>
            <numerusform>%n kody kreskowe w symbolikach nieznanych dekoderowi nie mogły zostać sprawdzone.</numerusform>
            <numerusform>%n kodów kreskowych w symbolikach nieznanych dekoderowi nie mogło zostać sprawdzonych.</numerusform>
        </translation>
    </message>
    <message>
        <source>Print anyway</source>
        <translation>Drukuj mimo to</translation>
    </message>
    <message>
        <source>Checking the barcodes...</source>
        <translation>Sprawdzanie kodów kreskowych...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drukuj</translation>
    </message>
</context>
<context>
    <name>SequenceDialog</name>
    <message>
        <source>Add sequence</source>
        <translation>Dodaj sekwencję</translation>
    </message>
    <message>
        <source>Serial numbers</source>
        <translation>Numery seryjne</translation>
    </message>
    <message>
        <source> digits</source>
        <translation> cyfr</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>First number:</source>
        <translation>Pierwszy numer:</translation>
    </message>
    <message>
        <source>Last number:</source>
        <translation>Ostatni numer:</translation>
    </message>
    <message>
        <source>Step:</source>
        <translation>Krok:</translation>
    </message>
    <message>
        <source>Zero padding:</source>
        <translation>Dopełnienie zerami:</translation>
    </message>
    <message>
        <source>Prefix:</source>
        <translation>Prefiks:</translation>
    </message>
    <message>
        <source>Suffix:</source>
        <translation>Sufiks:</translation>
    </message>
    <message>
        <source>The sequence needs a name.</source>
        <translation>Sekwencja musi mieć nazwę.</translation>
    </message>
    <message>
        <source>A data source of this name exists already.</source>
        <translation>Źródło danych o tej nazwie już istnieje.</translation>
    </message>
    <message>
        <source>First number, last number and step each need a whole number.</source>
        <translation>Pierwszy numer, ostatni numer i krok muszą być liczbami całkowitymi.</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 wartość</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 wartości</translation>
    </message>
</context>
<context>
    <name>TableEditor</name>
    <message>
        <source>Edit %1</source>
        <translation>Edytuj %1</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>Rename table</source>
        <translation>Zmień nazwę tabeli</translation>
    </message>
</context>
<context>
    <name>TextToolbar</name>
    <message>
        <source>Text Formatting</source>
        <translation>Formatowanie tekstu</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Pogrubienie</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursywa</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Podkreślenie</translation>
    </message>
    <message>
        <source>Strikethrough</source>
        <translation>Przekreślenie</translation>
    </message>
    <message>
        <source>Align Left</source>
        <translation>Wyrównaj do lewej</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Wyśrodkuj</translation>
    </message>
    <message>
        <source>Align Right</source>
        <translation>Wyrównaj do prawej</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Wyjustuj</translation>
    </message>
</context>
<context>
    <name>ToolsToolbar</name>
    <message>
        <source>Tools</source>
        <translation>Narzędzia</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Tekst</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Obraz</translation>
    </message>
    <message>
        <source>Variable data</source>
        <translation>Dane zmienne</translation>
    </message>
    <message>
        <source>Date and Time</source>
        <translation>Data i godzina</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>Kod kreskowy</translation>
    </message>
</context>
<context>
    <name>TransAlignToolbar</name>
    <message>
        <source>Transform and align</source>
        <translation>Przekształć i wyrównaj</translation>
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
        <translation>Do lewej</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Wyśrodkuj</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Do prawej</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Do góry</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Do dołu</translation>
    </message>
</context>
<context>
    <name>UndoWidget</name>
    <message>
        <source>Undo history</source>
        <translation>Historia cofania</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>The update feed declares a document type, which is not accepted.</source>
        <translation>Kanał aktualizacji deklaruje typ dokumentu, co jest niedozwolone.</translation>
    </message>
    <message>
        <source>The update feed is not a valid appcast: %1 (line %2).</source>
        <translation>Kanał aktualizacji nie jest prawidłowym plikiem appcast: %1 (wiersz %2).</translation>
    </message>
    <message>
        <source>The update feed lists no release for this system.</source>
        <translation>Kanał aktualizacji nie zawiera wydania dla tego systemu.</translation>
    </message>
    <message>
        <source>The signature check could not be started.</source>
        <translation>Nie udało się uruchomić sprawdzania podpisu.</translation>
    </message>
    <message>
        <source>The update is not signed.</source>
        <translation>Aktualizacja nie jest podpisana.</translation>
    </message>
    <message>
        <source>The update&apos;s signature is damaged.</source>
        <translation>Podpis aktualizacji jest uszkodzony.</translation>
    </message>
    <message>
        <source>This program has no valid key to check updates with.</source>
        <translation>Ten program nie ma prawidłowego klucza do sprawdzania aktualizacji.</translation>
    </message>
    <message>
        <source>The downloaded file cannot be read: %1</source>
        <translation>Nie można odczytać pobranego pliku: %1</translation>
    </message>
    <message>
        <source>The download has %1 bytes, but the update feed announced %2.</source>
        <translation>Rozmiar pobranego pliku (w bajtach) wynosi %1, ale kanał aktualizacji podawał %2.</translation>
    </message>
    <message>
        <source>The update&apos;s signature does not match the download; it may have been changed.</source>
        <translation>Podpis aktualizacji nie pasuje do pobranego pliku; plik mógł zostać zmieniony.</translation>
    </message>
    <message>
        <source>No update feed is configured for this build.</source>
        <translation>Dla tej kompilacji nie skonfigurowano kanału aktualizacji.</translation>
    </message>
    <message>
        <source>The update feed address %1 is not an https address.</source>
        <translation>Adres kanału aktualizacji %1 nie jest adresem https.</translation>
    </message>
    <message>
        <source>The update feed is larger than 1 MiB and was not read.</source>
        <translation>Kanał aktualizacji jest większy niż 1 MiB i nie został odczytany.</translation>
    </message>
    <message>
        <source>The update feed could not be read: it was redirected to an address that is not https.</source>
        <translation>Nie udało się odczytać kanału aktualizacji: nastąpiło przekierowanie na adres inny niż https.</translation>
    </message>
    <message>
        <source>The update feed could not be read: %1</source>
        <translation>Nie udało się odczytać kanału aktualizacji: %1</translation>
    </message>
    <message>
        <source>The download address %1 is not an https address.</source>
        <translation>Adres pobierania %1 nie jest adresem https.</translation>
    </message>
    <message>
        <source>The update feed gives no valid size for the download.</source>
        <translation>Kanał aktualizacji nie podaje prawidłowego rozmiaru pobieranego pliku.</translation>
    </message>
    <message>
        <source>No folder for the download could be made: %1</source>
        <translation>Nie udało się utworzyć folderu na pobierany plik: %1</translation>
    </message>
    <message>
        <source>The download cannot be written: %1</source>
        <translation>Nie można zapisać pobieranego pliku: %1</translation>
    </message>
    <message>
        <source>The download is larger than the update feed announced (%1 bytes).</source>
        <translation>Pobierany plik jest większy, niż podawał kanał aktualizacji (%1 B).</translation>
    </message>
    <message>
        <source>The download failed: %1</source>
        <translation>Pobieranie nie powiodło się: %1</translation>
    </message>
    <message>
        <source>The update check failed.</source>
        <translation>Sprawdzanie aktualizacji nie powiodło się.</translation>
    </message>
    <message>
        <source>The update cannot be installed.</source>
        <translation>Nie można zainstalować aktualizacji.</translation>
    </message>
    <message>
        <source>No program was found to open the package with (xdg-open, from the xdg-utils package).</source>
        <translation>Nie znaleziono programu do otwarcia pakietu (xdg-open z pakietu xdg-utils).</translation>
    </message>
    <message>
        <source>The update was not installed.</source>
        <translation>Aktualizacja nie została zainstalowana.</translation>
    </message>
    <message>
        <source>Tagorix was not closed, so the update was not installed. Check for updates again when your labels are saved.</source>
        <translation>Program Tagorix nie został zamknięty, więc aktualizacja nie została zainstalowana. Sprawdź aktualizacje ponownie po zapisaniu etykiet.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Software update</source>
        <translation>Aktualizacja oprogramowania</translation>
    </message>
    <message>
        <source>Skip this version</source>
        <translation>Pomiń tę wersję</translation>
    </message>
    <message>
        <source>Remind me later</source>
        <translation>Przypomnij później</translation>
    </message>
    <message>
        <source>Install update</source>
        <translation>Zainstaluj aktualizację</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Sprawdzanie aktualizacji...</translation>
    </message>
    <message>
        <source>Tagorix is up to date.</source>
        <translation>Program Tagorix jest aktualny.</translation>
    </message>
    <message>
        <source>Version %1 is the newest version available.</source>
        <translation>Wersja %1 jest najnowszą dostępną wersją.</translation>
    </message>
    <message>
        <source>A new version of Tagorix is available.</source>
        <translation>Dostępna jest nowa wersja programu Tagorix.</translation>
    </message>
    <message>
        <source>Tagorix %1 is available; you have %2. Would you like to install it now?</source>
        <translation>Dostępna jest wersja Tagorix %1; zainstalowana jest wersja %2. Czy chcesz ją teraz zainstalować?</translation>
    </message>
    <message>
        <source>Release notes</source>
        <translation>Informacje o wydaniu</translation>
    </message>
    <message>
        <source>No release notes were published with this version.</source>
        <translation>Dla tej wersji nie opublikowano informacji o wydaniu.</translation>
    </message>
    <message>
        <source>Downloading Tagorix %1...</source>
        <translation>Pobieranie programu Tagorix %1...</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 z %2</translation>
    </message>
</context>
<context>
    <name>batchprint</name>
    <message>
        <source>warning: </source>
        <translation>ostrzeżenie: </translation>
    </message>
    <message>
        <source>--print and --export-pdf cannot be used together</source>
        <translation>opcji --print i --export-pdf nie można używać razem</translation>
    </message>
    <message>
        <source>neither --print nor --export-pdf was given</source>
        <translation>nie podano ani --print, ani --export-pdf</translation>
    </message>
    <message>
        <source>--export-pdf needs the name of the PDF file to write</source>
        <translation>--export-pdf wymaga nazwy zapisywanego pliku PDF</translation>
    </message>
    <message>
        <source>no document file given</source>
        <translation>nie podano pliku dokumentu</translation>
    </message>
    <message>
        <source>--printer needs a printer name</source>
        <translation>--printer wymaga nazwy drukarki</translation>
    </message>
    <message>
        <source>--copies needs a number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies wymaga liczby od 1 do %1, a nie &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--data needs FILE or NAME=FILE, once per source, not &quot;%1&quot;</source>
        <translation>--data wymaga FILE lub NAME=FILE, raz dla każdego źródła, a nie &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--range needs FROM-TO with 1 &lt;= FROM &lt;= TO, not &quot;%1&quot;</source>
        <translation>--range wymaga FROM-TO, gdzie 1 &lt;= FROM &lt;= TO, a nie &quot;%1&quot;</translation>
    </message>
    <message>
        <source>unknown printer &quot;%1&quot;</source>
        <translation>nieznana drukarka &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no fonts can be loaded on the &quot;%1&quot; platform, so the labels&apos; text would be missing; run on the offscreen or a desktop platform</source>
        <translation>na platformie &quot;%1&quot; nie można załadować żadnych czcionek, więc na etykietach zabrakłoby tekstu; uruchom program na platformie offscreen lub na platformie desktopowej</translation>
    </message>
    <message>
        <source>cannot read the data file: %1</source>
        <translation>nie można odczytać pliku danych: %1</translation>
    </message>
    <message>
        <source>--data needs the data sources of the application</source>
        <translation>--data wymaga źródeł danych aplikacji</translation>
    </message>
    <message>
        <source>the range %1-%2 reaches past the document&apos;s %3 labels</source>
        <translation>zakres %1-%2 wykracza poza liczbę etykiet w dokumencie (%3)</translation>
    </message>
    <message>
        <source>cannot write &quot;%1&quot;</source>
        <translation>nie można zapisać &quot;%1&quot;</translation>
    </message>
    <message>
        <source>printing on &quot;%1&quot; failed</source>
        <translation>drukowanie na &quot;%1&quot; nie powiodło się</translation>
    </message>
    <message>
        <source>--offset needs X,Y in millimetres from -10 to 10, not &quot;%1&quot;</source>
        <translation>--offset wymaga X,Y w milimetrach od -10 do 10, a nie &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--quantity-column needs the name of a column</source>
        <translation>--quantity-column wymaga nazwy kolumny</translation>
    </message>
    <message>
        <source>--wait-timeout needs --wait</source>
        <translation>--wait-timeout wymaga --wait</translation>
    </message>
    <message>
        <source>--wait-timeout needs a number of seconds from 1 to %1, not &quot;%2&quot;</source>
        <translation>--wait-timeout wymaga liczby sekund od 1 do %1, a nie &quot;%2&quot;</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standardowe wejście</translation>
    </message>
    <message>
        <source>the data %1; nothing was printed</source>
        <translation>dane: %1; nic nie wydrukowano</translation>
    </message>
    <message>
        <source>barcodes that cannot be encoded: %1; nothing was printed</source>
        <translation>kody kreskowe, których nie można zakodować: %1; nic nie wydrukowano</translation>
    </message>
    <message>
        <source>--export-zpl cannot be used with --print or --export-pdf</source>
        <translation>--export-zpl nie może być użyte razem z --print ani --export-pdf</translation>
    </message>
    <message>
        <source>--export-zpl needs the name of the ZPL file to write, or - for standard output</source>
        <translation>--export-zpl wymaga nazwy pliku ZPL do zapisania lub - dla standardowego wyjścia</translation>
    </message>
    <message>
        <source>%1 writes one document; %2 files were given</source>
        <translation>%1 zapisuje jeden dokument; podano %2 plików</translation>
    </message>
    <message>
        <source>--printer cannot be used with %1</source>
        <translation>--printer nie może być użyte z %1</translation>
    </message>
    <message>
        <source>--wait is for --print; %1 has written the file when it ends</source>
        <translation>--wait jest dla --print; %1 zapisało plik, gdy się kończy</translation>
    </message>
    <message>
        <source>barcodes that do not scan as drawn: %1; nothing was printed</source>
        <translation>kody kreskowe, których w tej postaci nie da się zeskanować: %1; nic nie wydrukowano</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Print the files without showing a window.</source>
        <translation>Drukuje pliki bez wyświetlania okna.</translation>
    </message>
    <message>
        <source>Write the pages a print of the file would send to &lt;OUT.pdf&gt;.</source>
        <translation>Zapisuje do &lt;OUT.pdf&gt; strony, które zostałyby wysłane do drukarki podczas drukowania pliku.</translation>
    </message>
    <message>
        <source>Print on &lt;NAME&gt; instead of the printer the document names (with --print).</source>
        <translation>Drukuje na drukarce &lt;NAME&gt; zamiast na drukarce wskazanej w dokumencie (razem z --print).</translation>
    </message>
    <message>
        <source>Print &lt;N&gt; copies of each label.</source>
        <translation>Drukuje &lt;N&gt; kopii każdej etykiety.</translation>
    </message>
    <message>
        <source>Keep the copies of each label together.</source>
        <translation>Drukuje kopie każdej etykiety bezpośrednio jedna po drugiej.</translation>
    </message>
    <message>
        <source>Print the rows of the CSV &lt;FILE&gt; instead of the document&apos;s data file (NAME=FILE for the source of that name; - reads standard input).</source>
        <translation>Drukuje wiersze pliku CSV &lt;FILE&gt; zamiast pliku danych dokumentu (NAME=FILE dla źródła o tej nazwie; - odczytuje standardowe wejście).</translation>
    </message>
    <message>
        <source>Print only labels &lt;FROM&gt; to &lt;TO&gt; (counted from 1).</source>
        <translation>Drukuje tylko etykiety od &lt;FROM&gt; do &lt;TO&gt; (licząc od 1).</translation>
    </message>
    <message>
        <source>Files to open, optionally.</source>
        <translation>Pliki do otwarcia (opcjonalnie).</translation>
    </message>
    <message>
        <source>Loading ...</source>
        <translation>Ładowanie ...</translation>
    </message>
    <message>
        <source>Read every barcode back at the printer&apos;s resolution before printing; if one does not scan, print nothing and exit with code 3.</source>
        <translation>Przed drukowaniem odczytuje każdy kod kreskowy w rozdzielczości drukarki; jeśli któregoś nie da się zeskanować, nic nie drukuje i kończy działanie z kodem 3.</translation>
    </message>
    <message>
        <source>Check the barcodes as --verify does, without printing or writing anything.</source>
        <translation>Sprawdza kody kreskowe tak jak --verify, niczego nie drukując ani nie zapisując.</translation>
    </message>
    <message>
        <source>Move every label by &lt;X,Y&gt; millimetres (from -10 to 10) instead of the printer&apos;s stored calibration.</source>
        <translation>Przesuwa każdą etykietę o &lt;X,Y&gt; milimetrów (od -10 do 10) zamiast według zapisanej kalibracji drukarki.</translation>
    </message>
    <message>
        <source>Print each label as many times as the column &lt;NAME&gt; of its data row says.</source>
        <translation>Drukuje każdą etykietę tyle razy, ile wskazuje kolumna &lt;NAME&gt; w jej wierszu danych.</translation>
    </message>
    <message>
        <source>After each print, wait until the print system reports the job completed; if it is cancelled or aborted, the printer stops, or the time of --wait-timeout passes, exit with code 2 (with --print).</source>
        <translation>Po każdym wydruku czeka, aż system drukowania zgłosi zakończenie zadania; jeśli zadanie zostanie anulowane lub przerwane, drukarka się zatrzyma albo minie czas z --wait-timeout, kończy działanie z kodem 2 (z --print).</translation>
    </message>
    <message>
        <source>Wait at most &lt;SECONDS&gt; for each job with --wait (default 60).</source>
        <translation>Z --wait czeka na każde zadanie najwyżej &lt;SECONDS&gt; sekund (domyślnie 60).</translation>
    </message>
    <message>
        <source>Write the job a ZPL II printer would get to &lt;OUT.zpl&gt; (- for standard output).</source>
        <translation>Zapisz zadanie, które otrzymałaby drukarka ZPL II, do &lt;OUT.zpl&gt; (- dla standardowego wyjścia).</translation>
    </message>
</context>
<context>
    <name>scanverify</name>
    <message>
        <source>%1 at %2, %3 mm</source>
        <translation>%1 w położeniu %2, %3 mm</translation>
    </message>
    <message>
        <source>label %1, %2</source>
        <translation>etykieta %1, %2</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read nothing</source>
        <translation>%1: oczekiwano &quot;%2&quot;, nic nie odczytano</translation>
    </message>
    <message>
        <source>%1: expected &quot;%2&quot;, read &quot;%3&quot;</source>
        <translation>%1: oczekiwano &quot;%2&quot;, odczytano &quot;%3&quot;</translation>
    </message>
    <message>
        <source>%1: cannot be verified</source>
        <translation>%1: nie można sprawdzić</translation>
    </message>
    <message>
        <source>%1: scans</source>
        <translation>%1: daje się zeskanować</translation>
    </message>
    <message>
        <source>the data cannot be encoded</source>
        <translation>danych nie można zakodować</translation>
    </message>
    <message>
        <source>label %1, %2: &quot;%3&quot;: %4</source>
        <translation>etykieta %1, %2: &quot;%3&quot;: %4</translation>
    </message>
    <message>
        <source>%1 (not GS1)</source>
        <translation>%1 (nie GS1)</translation>
    </message>
</context>
<context>
    <name>sequence</name>
    <message>
        <source>At most 18 digits of zero padding.</source>
        <translation>Dopełnienie zerami może mieć najwyżej 18 cyfr.</translation>
    </message>
    <message>
        <source>The step cannot be 0.</source>
        <translation>Krok nie może wynosić 0.</translation>
    </message>
    <message>
        <source>The step does not lead from the first to the last number.</source>
        <translation>Z tym krokiem nie da się przejść od pierwszego do ostatniego numeru.</translation>
    </message>
    <message>
        <source>A sequence holds at most 1,000,000 values; this one would hold %1.</source>
        <translation>Sekwencja może zawierać najwyżej 1&#xa0;000&#xa0;000 wartości; ta zawierałaby %1.</translation>
    </message>
</context>
</TS>
