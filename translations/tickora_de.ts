<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AlarmNotices</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>Comparison</source>
        <translation>Vergleich</translation>
    </message>
    <message>
        <source>No common period: %1 has fewer than two quotations in the chosen period.</source>
        <translation>Kein gemeinsamer Zeitraum: %1 hat im gewählten Zeitraum weniger als zwei Kurse.</translation>
    </message>
    <message>
        <source>No common period: %1 has fewer than two quotations from %2 to %3.</source>
        <translation>Kein gemeinsamer Zeitraum: %1 hat vom %2 bis %3 weniger als zwei Kurse.</translation>
    </message>
</context>
<context>
    <name>ChartView</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
</context>
<context>
    <name>ComparisonSettingsDialog</name>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Show grid lines</source>
        <translation>Gitterlinien anzeigen</translation>
    </message>
    <message>
        <source>Properties of the comparison chart</source>
        <translation>Eigenschaften des Vergleichsdiagramms</translation>
    </message>
    <message>
        <source>Period to show</source>
        <translation>Angezeigter Zeitraum</translation>
    </message>
</context>
<context>
    <name>DesktopApplication</name>
    <message>
        <source>Tickora</source>
        <translation>Tickora</translation>
    </message>
    <message>
        <source>The built-in quotation servers could not be stored.</source>
        <translation>Die mitgelieferten Kursserver konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>No portfolio file given.</source>
        <translation>Keine Depotdatei angegeben.</translation>
    </message>
</context>
<context>
    <name>DocumentCommands</name>
    <message>
        <source>Tickora Files (*.tkr)</source>
        <translation>Tickora-Dateien (*.tkr)</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>A portfolio that was never saved has no backups.</source>
        <translation>Ein Depot, das nie gespeichert wurde, hat keine Sicherungen.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Excel Files (*.xls);;Text Files (*.txt)</source>
        <translation>Excel-Dateien (*.xls);;Textdateien (*.txt)</translation>
    </message>
</context>
<context>
    <name>DownloadPresentation</name>
    <message>
        <source>Connection &amp;status...</source>
        <translation>Verbindungs&amp;status...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>%1 (1 Download)</source>
        <translation>%1 (1 Download)</translation>
    </message>
    <message>
        <source>%1 (%2 Downloads)</source>
        <translation>%1 (%2 Downloads)</translation>
    </message>
    <message>
        <source>%1 (End)</source>
        <translation>%1 (Ende)</translation>
    </message>
</context>
<context>
    <name>DownloadsWindow</name>
    <message>
        <source>%1 (cross-check %2)</source>
        <translation>%1 (Gegenprüfung %2)</translation>
    </message>
    <message>
        <source>%1 (fallback %2)</source>
        <translation>%1 (Ersatz %2)</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>&amp;Ausblenden</translation>
    </message>
    <message>
        <source>&amp;Abort Downloads</source>
        <translation>Downloads a&amp;bbrechen</translation>
    </message>
    <message>
        <source>Downloads</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Wertpapier</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>[%1] - Abort downloads...</source>
        <translation>[%1] - Downloads werden abgebrochen...</translation>
    </message>
    <message>
        <source>[%1] - Downloads</source>
        <translation>[%1] - Downloads</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Waiting for memory...</source>
        <translation>Warte auf Speicher...</translation>
    </message>
</context>
<context>
    <name>ExternalViewer</name>
    <message>
        <source>%1 could not be opened: no program is set up to open it.</source>
        <translation>%1 konnte nicht geöffnet werden: Es ist kein Programm zum Öffnen eingerichtet.</translation>
    </message>
</context>
<context>
    <name>ExtrasCommands</name>
    <message>
        <source>The options could not be stored.</source>
        <translation>Die Optionen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Export server configuration</source>
        <translation>Serverkonfiguration exportieren</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Registry Files (*.reg)</source>
        <translation>Registrierungsdateien (*.reg)</translation>
    </message>
</context>
<context>
    <name>HelpCommands</name>
    <message>
        <source>Tickora Version %1

This program is free software under the GNU General Public License, version 3 or later.

Installed server configuration version: %2</source>
        <translation>Tickora Version %1

Dieses Programm ist freie Software unter der GNU General Public License, Version 3 oder später.

Installierte Version der Serverkonfiguration: %2</translation>
    </message>
    <message>
        <source>About Tickora</source>
        <translation>Über Tickora</translation>
    </message>
</context>
<context>
    <name>ImportDialog</name>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Case insensitive</source>
        <translation>Groß-/Kleinschreibung ignorieren</translation>
    </message>
    <message>
        <source>Read file</source>
        <translation>Datei lesen</translation>
    </message>
    <message>
        <source>View file in Notepad</source>
        <translation>Datei im Editor anzeigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Import quotations for &quot;%1&quot;</source>
        <translation>Kurse importieren für „%1“</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>URL or local file path:</source>
        <translation>URL oder lokaler Dateipfad:</translation>
    </message>
    <message>
        <source>Thousands/decimal separator format:</source>
        <translation>Format der Tausender-/Dezimaltrennzeichen:</translation>
    </message>
    <message>
        <source>File format:</source>
        <translation>Dateiformat:</translation>
    </message>
    <message>
        <source>Use the place holders [&amp;day], [&amp;month], [&amp;year], [&amp;hour], [&amp;minute] and [&amp;value] to specify quotation date/time and value position/format. Regular expressions are also allowed in the format definition.

You can use the place holder [&amp;dummyvalue] to specify values to be skipped (e.g. high/low quotation, etc.).
The place holder [&amp;symbol] can be used to match selected the item&apos;s symbol.</source>
        <translation>Mit den Platzhaltern [&amp;day], [&amp;month], [&amp;year], [&amp;hour], [&amp;minute] und [&amp;value] legen Sie Position und Format von Datum/Uhrzeit und Wert des Kurses fest. Auch reguläre Ausdrücke sind in der Formatangabe erlaubt.

Mit dem Platzhalter [&amp;dummyvalue] kennzeichnen Sie Werte, die übersprungen werden (z. B. Tageshoch/-tief).
Der Platzhalter [&amp;symbol] steht für das Symbol des gewählten Wertpapiers.</translation>
    </message>
    <message>
        <source>The file has been successfully loaded. Press ok to import quotations.</source>
        <translation>Die Datei wurde erfolgreich geladen. Drücken Sie OK, um die Kurse zu importieren.</translation>
    </message>
    <message>
        <source>Common layouts:</source>
        <translation>Übliche Aufbauten:</translation>
    </message>
</context>
<context>
    <name>ImportLocationDialog</name>
    <message>
        <source>Local file</source>
        <translation>Lokale Datei</translation>
    </message>
    <message>
        <source>Internet download</source>
        <translation>Download aus dem Internet</translation>
    </message>
    <message>
        <source>File path</source>
        <translation>Dateipfad</translation>
    </message>
    <message>
        <source>Import location</source>
        <translation>Importquelle</translation>
    </message>
    <message>
        <source>Note: if you use yahoo&apos;s historical quotes server, you might need to change item&apos;s symbol from ISIN/WKN to ticker to get URL template working (e.g. 710000.F-&gt;DCXGn.F).</source>
        <translation>Hinweis: Beim Server für historische Kurse von Yahoo müssen Sie das Symbol des Wertpapiers eventuell von ISIN/WKN auf das Tickersymbol ändern, damit die URL-Vorlage funktioniert (z. B. 710000.F-&gt;DCXGn.F).</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Period begin:</source>
        <translation>Beginn des Zeitraums:</translation>
    </message>
    <message>
        <source>Period end:</source>
        <translation>Ende des Zeitraums:</translation>
    </message>
    <message>
        <source>Import URL Template:</source>
        <translation>URL-Vorlage für den Import:</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
</context>
<context>
    <name>InvestmentDialog</name>
    <message>
        <source>Quantity:</source>
        <translation>Stückzahl:</translation>
    </message>
    <message>
        <source>Quotation:</source>
        <translation>Kurs:</translation>
    </message>
    <message>
        <source>Comission / Taxes:</source>
        <translation>Gebühren / Steuern:</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Wert:</translation>
    </message>
    <message>
        <source>Buy</source>
        <translation>Kauf</translation>
    </message>
    <message>
        <source>Sell</source>
        <translation>Verkauf</translation>
    </message>
    <message>
        <source>Dividends</source>
        <translation>Dividenden</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>Wertpapier:</translation>
    </message>
</context>
<context>
    <name>ItemChartPage</name>
    <message>
        <source>Start</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Chart color:</source>
        <translation>Farbe im Diagramm:</translation>
    </message>
    <message>
        <source>Show grid lines</source>
        <translation>Gitterlinien anzeigen</translation>
    </message>
    <message>
        <source>Period to show</source>
        <translation>Angezeigter Zeitraum</translation>
    </message>
    <message>
        <source>Values on the Axes</source>
        <translation>Werte an den Achsen</translation>
    </message>
    <message>
        <source>Percentual</source>
        <translation>Prozentual</translation>
    </message>
    <message>
        <source>Nominal</source>
        <translation>Nominal</translation>
    </message>
    <message>
        <source>Values on the Graphic</source>
        <translation>Werte in der Grafik</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Square mark</source>
        <translation>Quadratische Markierung</translation>
    </message>
</context>
<context>
    <name>ItemCommands</name>
    <message>
        <source>Do you really want to delete the marked items?</source>
        <translation>Wollen Sie die markierten Wertpapiere wirklich löschen?</translation>
    </message>
    <message>
        <source>Clipboard could not be opened!</source>
        <translation>Die Zwischenablage konnte nicht geöffnet werden!</translation>
    </message>
    <message>
        <source>Clipboard data could not be read!</source>
        <translation>Die Daten der Zwischenablage konnten nicht gelesen werden!</translation>
    </message>
    <message>
        <source>No items!</source>
        <translation>Keine Wertpapiere!</translation>
    </message>
    <message>
        <source>No items selected!</source>
        <translation>Keine Wertpapiere ausgewählt!</translation>
    </message>
</context>
<context>
    <name>ItemGeneralPage</name>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Wizard</source>
        <translation>Assistent</translation>
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
        <source>Test quotation update</source>
        <translation>Kursabfrage testen</translation>
    </message>
    <message>
        <source>Open web page</source>
        <translation>Webseite öffnen</translation>
    </message>
    <message>
        <source>Repair...</source>
        <translation>Reparieren...</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Symbol / Ticker / ISIN:</source>
        <translation>Symbol / Ticker / ISIN:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Quotation server configuration</source>
        <translation>Konfiguration des Kursservers</translation>
    </message>
</context>
<context>
    <name>ItemInvestmentPage</name>
    <message>
        <source>whenever quotation below:</source>
        <translation>wenn der Kurs fällt unter:</translation>
    </message>
    <message>
        <source>whenever quotation above:</source>
        <translation>wenn der Kurs steigt über:</translation>
    </message>
    <message>
        <source>whenever quotation differs more than</source>
        <translation>wenn der Kurs mehr abweicht als</translation>
    </message>
    <message>
        <source>&amp;Buy</source>
        <translation>&amp;Kauf</translation>
    </message>
    <message>
        <source>&amp;Sell</source>
        <translation>&amp;Verkauf</translation>
    </message>
    <message>
        <source>&amp;Dividends</source>
        <translation>&amp;Dividenden</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <source>Quantity of items invested:</source>
        <translation>Stückzahl im Bestand:</translation>
    </message>
    <message>
        <source>Average item&apos;s buy price:</source>
        <translation>Durchschnittlicher Kaufkurs:</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>% regarding the buy price.</source>
        <translation>% vom Kaufkurs.</translation>
    </message>
</context>
<context>
    <name>ItemPropertiesDialog</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Quotations</source>
        <translation>Kurse</translation>
    </message>
    <message>
        <source>Graphic</source>
        <translation>Grafik</translation>
    </message>
    <message>
        <source>Investment</source>
        <translation>Bestand</translation>
    </message>
    <message>
        <source>Properties of %1</source>
        <translation>Eigenschaften von %1</translation>
    </message>
</context>
<context>
    <name>ItemQuotationDialog</name>
    <message>
        <source>Item quotation</source>
        <translation>Kurs des Wertpapiers</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>Wertpapier:</translation>
    </message>
    <message>
        <source>Quotation on</source>
        <translation>Kurs am</translation>
    </message>
    <message>
        <source>at</source>
        <translation>um</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Wert:</translation>
    </message>
</context>
<context>
    <name>ItemQuotationsPage</name>
    <message>
        <source>&amp;Insert</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Delete &amp;All</source>
        <translation>&amp;Alle löschen</translation>
    </message>
    <message>
        <source>&amp;Split</source>
        <translation>&amp;Split</translation>
    </message>
    <message>
        <source>&amp;1/X</source>
        <translation>&amp;1/X</translation>
    </message>
    <message>
        <source>M&amp;ultiply...</source>
        <translation>&amp;Multiplizieren...</translation>
    </message>
    <message>
        <source>Do you really want to delete all items?</source>
        <translation>Wollen Sie wirklich alle Kurse löschen?</translation>
    </message>
    <message>
        <source>Wrong parameter</source>
        <translation>Falscher Parameter</translation>
    </message>
</context>
<context>
    <name>MainActions</name>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new portfolio
New portfolio</source>
        <translation>Ein neues Depot anlegen
Neues Depot</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing portfolio
Open portfolio</source>
        <translation>Ein vorhandenes Depot öffnen
Depot öffnen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the portfolio
Save portfolio</source>
        <translation>Das Depot speichern
Depot speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>Das Depot unter einem neuen Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Restore from backup...</source>
        <translation>Aus Sicherung &amp;wiederherstellen...</translation>
    </message>
    <message>
        <source>Put a backup that a save kept in the portfolio&apos;s place
Restore</source>
        <translation>Eine beim Speichern angelegte Sicherung an die Stelle des Depots setzen
Wiederherstellen</translation>
    </message>
    <message>
        <source>Update &amp;all quotations	Ctrl+U</source>
        <translation>&amp;Alle Kurse aktualisieren	Ctrl+U</translation>
    </message>
    <message>
        <source>Update the quotations of all items.
Update all</source>
        <translation>Die Kurse aller Wertpapiere aktualisieren.
Alle aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Export...	Ctrl+E</source>
        <translation>&amp;Exportieren...	Ctrl+E</translation>
    </message>
    <message>
        <source>Export quotations to a text or excel file which can be imported by other applications.
Export quotations</source>
        <translation>Kurse in eine Text- oder Excel-Datei exportieren, die andere Programme importieren können.
Kurse exportieren</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Drucken...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>Das Depot drucken
Drucken</translation>
    </message>
    <message>
        <source>P&amp;rint preview</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Ganze Seiten anzeigen
Druckvorschau</translation>
    </message>
    <message>
        <source>Prin&amp;t Setup...</source>
        <translation>Drucker ein&amp;richten...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Drucker und Druckoptionen ändern
Drucker einrichten</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Das Programm beenden; fragt, ob Depots gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>&amp;Insert new item	Ins</source>
        <translation>&amp;Neues Wertpapier einfügen	Ins</translation>
    </message>
    <message>
        <source>Add a new investment to the list.
Add item</source>
        <translation>Ein neues Wertpapier in die Liste aufnehmen.
Wertpapier einfügen</translation>
    </message>
    <message>
        <source>P&amp;roperties	Enter</source>
        <translation>&amp;Eigenschaften	Enter</translation>
    </message>
    <message>
        <source>Show item properties.</source>
        <translation>Die Eigenschaften des Wertpapiers anzeigen.</translation>
    </message>
    <message>
        <source>Show &amp;quotations	Ctrl+Q</source>
        <translation>&amp;Kurse anzeigen	Ctrl+Q</translation>
    </message>
    <message>
        <source>Show the price history of an item.</source>
        <translation>Den Kursverlauf eines Wertpapiers anzeigen.</translation>
    </message>
    <message>
        <source>Import &amp;quotations...	Ctrl+R</source>
        <translation>Kurse &amp;importieren...	Ctrl+R</translation>
    </message>
    <message>
        <source>Import quotations from ASCII file.
Import quotations</source>
        <translation>Kurse aus einer Textdatei importieren.
Kurse importieren</translation>
    </message>
    <message>
        <source>Modify the properties of an item.</source>
        <translation>Die Eigenschaften eines Wertpapiers ändern.</translation>
    </message>
    <message>
        <source>&amp;Properties	</source>
        <translation>&amp;Eigenschaften	</translation>
    </message>
    <message>
        <source>Show &amp;quotations</source>
        <translation>&amp;Kurse anzeigen</translation>
    </message>
    <message>
        <source>&amp;Properties	Enter</source>
        <translation>&amp;Eigenschaften	Enter</translation>
    </message>
    <message>
        <source>&amp;Import quotations...	Ctrl+R</source>
        <translation>Kurse &amp;importieren...	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Delete item	Del</source>
        <translation>Wertpapier &amp;löschen	Del</translation>
    </message>
    <message>
        <source>Delete an item from the list.</source>
        <translation>Ein Wertpapier aus der Liste löschen.</translation>
    </message>
    <message>
        <source>&amp;Cut	Ctrl+X</source>
        <translation>Aus&amp;schneiden	Ctrl+X</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen
Ausschneiden</translation>
    </message>
    <message>
        <source>C&amp;opy	Ctrl+C</source>
        <translation>K&amp;opieren	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Die Auswahl in die Zwischenablage kopieren
Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>Einf&amp;ügen	Ctrl+V</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Den Inhalt der Zwischenablage einfügen
Einfügen</translation>
    </message>
    <message>
        <source>&amp;Update quotation	Ctrl+I</source>
        <translation>Kurs &amp;aktualisieren	Ctrl+I</translation>
    </message>
    <message>
        <source>Update item&apos;s quotation over the internet.</source>
        <translation>Den Kurs des Wertpapiers aus dem Internet aktualisieren.</translation>
    </message>
    <message>
        <source>Upda&amp;te quotation	Ctrl+I</source>
        <translation>Kurs ak&amp;tualisieren	Ctrl+I</translation>
    </message>
    <message>
        <source>Update quotation on date...	Ctrl+D</source>
        <translation>Kurs zu einem Datum aktualisieren...	Ctrl+D</translation>
    </message>
    <message>
        <source>Update item&apos;s quotation on a specific date over the internet.</source>
        <translation>Den Kurs des Wertpapiers zu einem bestimmten Datum aus dem Internet holen.</translation>
    </message>
    <message>
        <source>&amp;Manually update quotation	Ctrl+M</source>
        <translation>Kurs &amp;manuell eingeben	Ctrl+M</translation>
    </message>
    <message>
        <source>Manually update the quotation of an item.
Manually update</source>
        <translation>Den Kurs eines Wertpapiers von Hand eingeben.
Kurs manuell eingeben</translation>
    </message>
    <message>
        <source>&amp;Test quotation &amp;update	Ctrl+T</source>
        <translation>Kursabfrage &amp;testen	Ctrl+T</translation>
    </message>
    <message>
        <source>Test item&apos;s quotation update over the internet.</source>
        <translation>Die Kursabfrage des Wertpapiers über das Internet testen.</translation>
    </message>
    <message>
        <source>Repair rule...</source>
        <translation>Regel reparieren...</translation>
    </message>
    <message>
        <source>Propose a new rule from the item&apos;s page as it is now.</source>
        <translation>Eine neue Regel aus der aktuellen Seite des Wertpapiers vorschlagen.</translation>
    </message>
    <message>
        <source>&amp;Open web page	Ctrl+G</source>
        <translation>&amp;Webseite öffnen	Ctrl+G</translation>
    </message>
    <message>
        <source>Open the web page, from which the quotation is grabbed.</source>
        <translation>Die Webseite öffnen, von der der Kurs gelesen wird.</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Die Symbolleiste ein- oder ausblenden
Symbolleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Statusbar</source>
        <translation>S&amp;tatusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Connection status</source>
        <translation>&amp;Verbindungsstatus</translation>
    </message>
    <message>
        <source>Show the connection status.</source>
        <translation>Den Verbindungsstatus anzeigen.</translation>
    </message>
    <message>
        <source>Show &amp;percentual values</source>
        <translation>&amp;Prozentuale Werte anzeigen</translation>
    </message>
    <message>
        <source>Toggle show percentual/nominal values in list view.
Percentual/Nominal values</source>
        <translation>In der Liste zwischen prozentualen und nominalen Werten wechseln.
Prozentual/Nominal</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh the view.</source>
        <translation>Die Ansicht aktualisieren.</translation>
    </message>
    <message>
        <source>S&amp;ave view options</source>
        <translation>Ansichtsoptionen spei&amp;chern</translation>
    </message>
    <message>
        <source>Save the view options.</source>
        <translation>Die Ansichtsoptionen speichern.</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>Configure general program options.</source>
        <translation>Die allgemeinen Programmoptionen einstellen.</translation>
    </message>
    <message>
        <source>&amp;Export server configuration...</source>
        <translation>Serverkonfiguration &amp;exportieren...</translation>
    </message>
    <message>
        <source>Export the properties of all defined servers to a registry file</source>
        <translation>Die Eigenschaften aller Server in eine Registrierungsdatei exportieren</translation>
    </message>
    <message>
        <source>&amp;Check server configuration update availability...</source>
        <translation>Auf neue Server&amp;konfiguration prüfen...</translation>
    </message>
    <message>
        <source>Check if a newer application or server configuration version is available.</source>
        <translation>Prüfen, ob eine neuere Programm- oder Serverkonfigurationsversion verfügbar ist.</translation>
    </message>
    <message>
        <source>Inf&amp;o about Tickora...</source>
        <translation>&amp;Info über Tickora...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Urheberrecht anzeigen
Info</translation>
    </message>
    <message>
        <source>&amp;Frequently Asked Questions (FAQ)</source>
        <translation>&amp;Häufig gestellte Fragen (FAQ)</translation>
    </message>
    <message>
        <source>Open the frequently asked questions.</source>
        <translation>Die häufig gestellten Fragen öffnen.</translation>
    </message>
    <message>
        <source>Info about &amp;server configuration</source>
        <translation>Hilfe zur &amp;Serverkonfiguration</translation>
    </message>
    <message>
        <source>Open the help on server configurations.</source>
        <translation>Die Hilfe zu Serverkonfigurationen öffnen.</translation>
    </message>
    <message>
        <source>&amp;Application web page</source>
        <translation>&amp;Webseite von Tickora</translation>
    </message>
    <message>
        <source>Open Tickora web page.</source>
        <translation>Die Webseite von Tickora öffnen.</translation>
    </message>
    <message>
        <source>Compare all</source>
        <translation>Alle vergleichen</translation>
    </message>
    <message>
        <source>Compare the rentability of all items.
Compare all</source>
        <translation>Die Rendite aller Wertpapiere vergleichen.
Alle vergleichen</translation>
    </message>
    <message>
        <source>Abort downloads</source>
        <translation>Downloads abbrechen</translation>
    </message>
    <message>
        <source>Abort downloads.
Abort downloads</source>
        <translation>Die Downloads abbrechen.
Downloads abbrechen</translation>
    </message>
    <message>
        <source>Comparison limits</source>
        <translation>Vergleichszeitraum</translation>
    </message>
    <message>
        <source>Set comparison chart limits.
Comparison Limits</source>
        <translation>Den Zeitraum des Vergleichsdiagramms festlegen.
Vergleichszeitraum</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>Next pane</source>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>Zum nächsten Fensterbereich wechseln</translation>
    </message>
    <message>
        <source>Previous pane</source>
        <translation>Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>Zum vorherigen Fensterbereich zurückwechseln</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Item</source>
        <translation>&amp;Wertpapier</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>E&amp;xtras</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1 - Tickora</source>
        <translation>%1 - Tickora</translation>
    </message>
</context>
<context>
    <name>MultiplyDialog</name>
    <message>
        <source>Multiply Item&apos;s Quotations</source>
        <translation>Kurse des Wertpapiers multiplizieren</translation>
    </message>
    <message>
        <source>Multiply quotations of:</source>
        <translation>Kurse multiplizieren von:</translation>
    </message>
    <message>
        <source>by quotations of item:</source>
        <translation>mit den Kursen des Wertpapiers:</translation>
    </message>
    <message>
        <source>Note: This feature can be used e.g. for converting item quotation currency.</source>
        <translation>Hinweis: Damit lassen sich z. B. Kurse in eine andere Währung umrechnen.</translation>
    </message>
</context>
<context>
    <name>NoteDialog</name>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>NumberEntry</name>
    <message>
        <source>Please enter a number.</source>
        <translation>Bitte geben Sie eine Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter a number between %1 and %2.</source>
        <translation>Bitte geben Sie eine Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>Please enter a positive integer.</source>
        <translation>Bitte geben Sie eine positive ganze Zahl ein.</translation>
    </message>
</context>
<context>
    <name>OptionsDialog</name>
    <message>
        <source>Auto-save portfolio file</source>
        <translation>Depotdatei automatisch speichern</translation>
    </message>
    <message>
        <source>Automatically update all items every</source>
        <translation>Alle Wertpapiere automatisch aktualisieren alle</translation>
    </message>
    <message>
        <source>Only in the time between</source>
        <translation>Nur in der Zeit zwischen</translation>
    </message>
    <message>
        <source>Show download status automatically</source>
        <translation>Downloadstatus automatisch anzeigen</translation>
    </message>
    <message>
        <source>Auto-save view options</source>
        <translation>Ansichtsoptionen automatisch speichern</translation>
    </message>
    <message>
        <source>Show downloaded file if quotation not found</source>
        <translation>Heruntergeladene Datei anzeigen, wenn kein Kurs gefunden wurde</translation>
    </message>
    <message>
        <source>General options</source>
        <translation>Allgemeine Optionen</translation>
    </message>
    <message>
        <source>Maximal number of simultaneous downloads: </source>
        <translation>Höchstzahl gleichzeitiger Downloads: </translation>
    </message>
    <message>
        <source>Connections per host:</source>
        <translation>Verbindungen je Server:</translation>
    </message>
    <message>
        <source>User agent:</source>
        <translation>User-Agent:</translation>
    </message>
    <message>
        <source>Hold back quotations that change by more than (%):</source>
        <translation>Kurse zurückhalten, die sich um mehr ändern als (%):</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>and</source>
        <translation>und</translation>
    </message>
    <message>
        <source>Keep daily backups for (days):</source>
        <translation>Tägliche Sicherungen aufbewahren (Tage):</translation>
    </message>
</context>
<context>
    <name>PortfolioList</name>
    <message>
        <source>Use Repair rule... to find a new rule.</source>
        <translation>Mit „Regel reparieren...“ eine neue Regel suchen.</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Served by the fallback %1 since %2</source>
        <translation>Seit %2 vom Ersatzserver %1 bedient</translation>
    </message>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>Quotation rule failing since %1: %2</source>
        <translation>Kursregel schlägt fehl seit %1: %2</translation>
    </message>
    <message>
        <source>Amount invested: %1</source>
        <translation>Anlagebetrag: %1</translation>
    </message>
    <message>
        <source>Amount invested: %1 (Total: %2)</source>
        <translation>Anlagebetrag: %1 (Gesamt: %2)</translation>
    </message>
    <message>
        <source>Amount invested: %1 (Last: %2 Total: %3)</source>
        <translation>Anlagebetrag: %1 (Letzte: %2 Gesamt: %3)</translation>
    </message>
</context>
<context>
    <name>PortfolioListModel</name>
    <message>
        <source>Item</source>
        <translation>Wertpapier</translation>
    </message>
    <message>
        <source>Last Update</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Kurs</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Tief</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>+- Last Day</source>
        <translation>+- Vortag</translation>
    </message>
    <message>
        <source>+- Last</source>
        <translation>+- Letzte</translation>
    </message>
    <message>
        <source>+- Total</source>
        <translation>+- Gesamt</translation>
    </message>
    <message>
        <source>Amount Invested</source>
        <translation>Anlagebetrag</translation>
    </message>
</context>
<context>
    <name>PortfolioListView</name>
    <message>
        <source>Press Ins or choose Item › Insert new item to add your first security.</source>
        <translation>Drücken Sie Einfg oder wählen Sie Wertpapier › Neues Wertpapier einfügen, um Ihr erstes Wertpapier aufzunehmen.</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>The printer could not be opened.</source>
        <translation>Der Drucker konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Printing is not available: %1</source>
        <translation>Drucken ist nicht verfügbar: %1</translation>
    </message>
</context>
<context>
    <name>Printout</name>
    <message>
        <source>Last Update</source>
        <translation>Stand</translation>
    </message>
    <message>
        <source>Amount Invested</source>
        <translation>Anlagebetrag</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Tief</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>+- Last</source>
        <translation>+- Letzte</translation>
    </message>
    <message>
        <source>+- Total</source>
        <translation>+- Gesamt</translation>
    </message>
</context>
<context>
    <name>RepairRuleDialog</name>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Open web page</source>
        <translation>Webseite öffnen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Repair rule: %1</source>
        <translation>Regel reparieren: %1</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Kurs</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Could not open file for reading!</source>
        <translation>Die Datei konnte nicht zum Lesen geöffnet werden!</translation>
    </message>
    <message>
        <source>%1 has no quotation to compare with.</source>
        <translation>%1 hat keinen Kurs zum Vergleich.</translation>
    </message>
    <message>
        <source>Current rule: %1</source>
        <translation>Aktuelle Regel: %1</translation>
    </message>
    <message>
        <source>The rule belongs to server %1, used by %2 items. Change it for all of them?</source>
        <translation>Die Regel gehört zum Server %1, den %2 Wertpapiere nutzen. Für alle ändern?</translation>
    </message>
</context>
<context>
    <name>RestoreBackupDialog</name>
    <message>
        <source>Last save</source>
        <translation>Letzte Speicherung</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>unlesbar</translation>
    </message>
    <message>
        <source>Restore from backup</source>
        <translation>Aus Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>Backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>Saved</source>
        <translation>Gespeichert</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Wertpapiere</translation>
    </message>
    <message>
        <source>Quotations</source>
        <translation>Kurse</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Backups of %1:</source>
        <translation>Sicherungen von %1:</translation>
    </message>
    <message>
        <source>Replace %1 with the backup of %2?</source>
        <translation>%1 durch die Sicherung vom %2 ersetzen?</translation>
    </message>
</context>
<context>
    <name>SaveServerAsDialog</name>
    <message>
        <source>Server configuration</source>
        <translation>Serverkonfiguration</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save as:</source>
        <translation>Speichern als:</translation>
    </message>
</context>
<context>
    <name>ServerLinkFields</name>
    <message>
        <source>How far the two results may differ (0.1 to 100 %)</source>
        <translation>Wie weit die beiden Ergebnisse voneinander abweichen dürfen (0,1 bis 100 %)</translation>
    </message>
    <message>
        <source>Fallback server:</source>
        <translation>Ersatzserver:</translation>
    </message>
    <message>
        <source>Cross-check with:</source>
        <translation>Gegenprüfen mit:</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>-- none --</source>
        <translation>-- keiner --</translation>
    </message>
</context>
<context>
    <name>ServerPropertiesDialog</name>
    <message>
        <source>Advanced &lt;&lt;</source>
        <translation>Erweitert &lt;&lt;</translation>
    </message>
    <message>
        <source>Advanced &gt;&gt;</source>
        <translation>Erweitert &gt;&gt;</translation>
    </message>
    <message>
        <source>Server properties - [%1]</source>
        <translation>Servereigenschaften - [%1]</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>One &quot;Name: value&quot; per line, sent with every download of the server; [&amp;name] and [&amp;symbol] are put in.</source>
        <translation>Ein „Name: Wert“ je Zeile, mit jedem Download des Servers gesendet; [&amp;name] und [&amp;symbol] werden eingesetzt.</translation>
    </message>
    <message>
        <source>Only a stored server sends request headers.</source>
        <translation>Nur ein gespeicherter Server sendet Request-Header.</translation>
    </message>
    <message>
        <source>Replace the server configuration &apos;%1&apos;?</source>
        <translation>Die Serverkonfiguration &apos;%1&apos; ersetzen?</translation>
    </message>
</context>
<context>
    <name>ServerPropertiesLayout</name>
    <message>
        <source>Download URL:</source>
        <translation>Download-URL:</translation>
    </message>
    <message>
        <source>e.g. http://www.example.com/quote?symbol=[&amp;symbol] or file:///home/user/page.html</source>
        <translation>z. B. http://www.example.com/quote?symbol=[&amp;symbol] oder file:///home/user/page.html</translation>
    </message>
    <message>
        <source>Web page download timeout</source>
        <translation>Zeitlimit für den Download der Webseite</translation>
    </message>
    <message>
        <source>Download timeout:</source>
        <translation>Zeitlimit für den Download:</translation>
    </message>
    <message>
        <source>seconds</source>
        <translation>Sekunden</translation>
    </message>
    <message>
        <source>Request headers:</source>
        <translation>Request-Header:</translation>
    </message>
    <message>
        <source>Web page convertion</source>
        <translation>Umwandlung der Webseite</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Convert to semi-html (remove html tag contents, i.e. leave html tags empty &quot;&lt;&gt;&quot;)</source>
        <translation>In Semi-HTML umwandeln (Inhalt der HTML-Tags entfernen, d. h. leere Tags „&lt;&gt;“ lassen)</translation>
    </message>
    <message>
        <source>Convert to text-only (remove html tags completely)</source>
        <translation>In reinen Text umwandeln (HTML-Tags vollständig entfernen)</translation>
    </message>
    <message>
        <source>Quotation format</source>
        <translation>Kursformat</translation>
    </message>
    <message>
        <source>Case insensitive search (don&apos;t differentiate small and capital letters)</source>
        <translation>Suche ohne Beachtung der Groß-/Kleinschreibung</translation>
    </message>
    <message>
        <source>Thousands/decimal separator format:</source>
        <translation>Format der Tausender-/Dezimaltrennzeichen:</translation>
    </message>
    <message>
        <source>Quotation extraction rules</source>
        <translation>Regeln zum Auslesen des Kurses</translation>
    </message>
    <message>
        <source>Start searching for quotation after the following text:</source>
        <translation>Kurs suchen nach folgendem Text:</translation>
    </message>
    <message>
        <source>and </source>
        <translation>und </translation>
    </message>
    <message>
        <source>   html tags and</source>
        <translation>   HTML-Tags und</translation>
    </message>
    <message>
        <source>numbers.</source>
        <translation>Zahlen überspringen.</translation>
    </message>
    <message>
        <source>Standard Search</source>
        <translation>Standardsuche</translation>
    </message>
    <message>
        <source>Advanced Search</source>
        <translation>Erweiterte Suche</translation>
    </message>
    <message>
        <source>JSON path</source>
        <translation>JSON-Pfad</translation>
    </message>
    <message>
        <source>Extract quotation date</source>
        <translation>Kursdatum auslesen</translation>
    </message>
    <message>
        <source>Extract quotation time</source>
        <translation>Kurszeit auslesen</translation>
    </message>
    <message>
        <source>Perl regular expression (extended by TKR variables)</source>
        <translation>Regulärer Ausdruck nach Perl (erweitert um TKR-Variablen)</translation>
    </message>
    <message>
        <source>Quotation match parentesis index:</source>
        <translation>Klammergruppe des Kurses:</translation>
    </message>
    <message>
        <source>Day match index:</source>
        <translation>Klammergruppe des Tages:</translation>
    </message>
    <message>
        <source>Month match index:</source>
        <translation>Klammergruppe des Monats:</translation>
    </message>
    <message>
        <source>Year match index:</source>
        <translation>Klammergruppe des Jahres:</translation>
    </message>
    <message>
        <source>Hour match index:</source>
        <translation>Klammergruppe der Stunde:</translation>
    </message>
    <message>
        <source>Minute match index:</source>
        <translation>Klammergruppe der Minute:</translation>
    </message>
    <message>
        <source>Value path:</source>
        <translation>Pfad des Werts:</translation>
    </message>
    <message>
        <source>Date path:</source>
        <translation>Pfad des Datums:</translation>
    </message>
    <message>
        <source>Time path:</source>
        <translation>Pfad der Uhrzeit:</translation>
    </message>
    <message>
        <source>&amp;Test quotation update</source>
        <translation>Kursabfrage &amp;testen</translation>
    </message>
    <message>
        <source>Save configuration &amp;As...</source>
        <translation>Konfiguration speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ServerWizard</name>
    <message>
        <source>Server Configuration Wizard - [%1]</source>
        <translation>Assistent für die Serverkonfiguration - [%1]</translation>
    </message>
    <message>
        <source>Could not open file for reading!</source>
        <translation>Die Datei konnte nicht zum Lesen geöffnet werden!</translation>
    </message>
</context>
<context>
    <name>SplitDialog</name>
    <message>
        <source>Item Split</source>
        <translation>Aktiensplit</translation>
    </message>
    <message>
        <source>Item:</source>
        <translation>Wertpapier:</translation>
    </message>
    <message>
        <source>Quotations until</source>
        <translation>Kurse bis</translation>
    </message>
    <message>
        <source>divide by</source>
        <translation>teilen durch</translation>
    </message>
</context>
<context>
    <name>StatusPanes</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Double-click for a summary</source>
        <translation>Doppelklick für eine Übersicht</translation>
    </message>
    <message>
        <source>1 Quotation beeing updated</source>
        <translation>1 Kurs wird aktualisiert</translation>
    </message>
    <message>
        <source>%1 Quotations beeing updated</source>
        <translation>%1 Kurse werden aktualisiert</translation>
    </message>
</context>
<context>
    <name>UpdateOnDateDialog</name>
    <message>
        <source>Update items&apos; quotations on date...</source>
        <translation>Kurse zu einem Datum aktualisieren...</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Datum:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Uhrzeit:</translation>
    </message>
    <message>
        <source>This works only with servers whose address uses date and time variables.
Otherwise the latest quotations are downloaded and given the chosen date and time.</source>
        <translation>Das funktioniert nur mit Servern, deren Adresse Datums- und Zeitvariablen enthält.
Sonst werden die neuesten Kurse geladen und mit dem gewählten Datum und der gewählten Uhrzeit gespeichert.</translation>
    </message>
</context>
<context>
    <name>WizardDownloadPage</name>
    <message>
        <source>Next     &gt;</source>
        <translation>Weiter     &gt;</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Quotation web page address:</source>
        <translation>Adresse der Webseite mit dem Kurs:</translation>
    </message>
    <message>
        <source>Note: if the web page consists of frames, enter the address of the frame which shows the quotation (open the frame on its own in the web browser).
The address may hold the variables [&amp;name], [&amp;symbol], [&amp;d], [&amp;dw], [&amp;m], [&amp;mstr] and [&amp;y].</source>
        <translation>Hinweis: Besteht die Webseite aus Frames, geben Sie die Adresse des Frames ein, der den Kurs zeigt (öffnen Sie den Frame für sich im Browser).
Die Adresse darf die Variablen [&amp;name], [&amp;symbol], [&amp;d], [&amp;dw], [&amp;m], [&amp;mstr] und [&amp;y] enthalten.</translation>
    </message>
    <message>
        <source>Press next to download the web page</source>
        <translation>Drücken Sie „Weiter“, um die Webseite herunterzuladen</translation>
    </message>
    <message>
        <source>The file has been successfully downloaded, the web page is shown in the<byte value="xd"/>
web browser. If the page is ok, press next to go to the next step where<byte value="xd"/>
you can configure the quotation extraction rules.</source>
        <translation>Die Datei wurde erfolgreich heruntergeladen; die Webseite wird angezeigt im</translation>
    </message>
</context>
<context>
    <name>WizardRulePage</name>
    <message>
        <source>Get &amp;Configuration</source>
        <translation>&amp;Konfiguration ermitteln</translation>
    </message>
    <message>
        <source>&lt; Back</source>
        <translation>&lt; Zurück</translation>
    </message>
    <message>
        <source>Next &gt;</source>
        <translation>Weiter &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>semi-html</source>
        <translation>Semi-HTML</translation>
    </message>
    <message>
        <source>text-only</source>
        <translation>nur Text</translation>
    </message>
    <message>
        <source>Web page format convertion:</source>
        <translation>Umwandlung der Webseite:</translation>
    </message>
    <message>
        <source>(standard = semi-html)</source>
        <translation>(Standard = Semi-HTML)</translation>
    </message>
    <message>
        <source>Quotation&apos;s thousands/decimal separator format:</source>
        <translation>Format der Tausender-/Dezimaltrennzeichen des Kurses:</translation>
    </message>
    <message>
        <source>Quotation which is to be extracted from the web page:
(actual value shown on the web page in the browser, e.g. 22,65)</source>
        <translation>Kurs, der aus der Webseite ausgelesen werden soll:
(der Wert, den der Browser auf der Webseite zeigt, z. B. 22,65)</translation>
    </message>
    <message>
        <source>Select quotation extraction rule (related web page text will be highlighted):</source>
        <translation>Regel zum Auslesen des Kurses wählen (der zugehörige Text der Webseite wird hervorgehoben):</translation>
    </message>
    <message>
        <source>XPath: %1</source>
        <translation>XPath: %1</translation>
    </message>
</context>
<context>
    <name>XPathRuleFields</name>
    <message>
        <source>XPath</source>
        <translation>XPath</translation>
    </message>
    <message>
        <source>XPath 1.0 expressions on the page&apos;s HTML; use the web page format convertion &quot;none&quot;.</source>
        <translation>XPath-1.0-Ausdrücke auf das HTML der Seite; wählen Sie bei der Umwandlung der Webseite „keine“.</translation>
    </message>
    <message>
        <source>Value XPath:</source>
        <translation>XPath des Werts:</translation>
    </message>
    <message>
        <source>Date XPath:</source>
        <translation>XPath des Datums:</translation>
    </message>
    <message>
        <source>Time XPath:</source>
        <translation>XPath der Uhrzeit:</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>tickora needs a display (DISPLAY or WAYLAND_DISPLAY). Without one, run &quot;tickora -u FILE&quot; or &quot;tickora-cli update FILE&quot; to update a portfolio.
</source>
        <translation>tickora braucht eine Anzeige (DISPLAY oder WAYLAND_DISPLAY). Ohne Anzeige aktualisieren Sie ein Depot mit „tickora -u DATEI“ oder „tickora-cli update DATEI“.
</translation>
    </message>
    <message>
        <source>tickora -u: no portfolio file given.
</source>
        <translation>tickora -u: keine Depotdatei angegeben.
</translation>
    </message>
    <message>
        <source>The built-in quotation servers could not be stored.
</source>
        <translation>Die mitgelieferten Kursserver konnten nicht gespeichert werden.
</translation>
    </message>
</context>
</TS>
