<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Caption</name>
    <message>
        <source>Atmos Press</source>
        <translation>Luftdruck</translation>
    </message>
    <message>
        <source>Inlet Air Wet Bulb Temp</source>
        <translation>Feuchtkugeltemperatur Lufteintritt</translation>
    </message>
    <message>
        <source>Inlet Air Dry Bulb Temp</source>
        <translation>Trockenkugeltemperatur Lufteintritt</translation>
    </message>
    <message>
        <source>Hot Water Temp</source>
        <translation>Warmwassertemperatur</translation>
    </message>
    <message>
        <source>Approach = TCold-Twb</source>
        <translation>Kühlgrenzabstand = TCold-Twb</translation>
    </message>
    <message>
        <source>Liquid/Gas Ratio</source>
        <translation>Wasser/Luft-Verhältnis</translation>
    </message>
    <message>
        <source>Circulating Water Flow</source>
        <translation>Umlaufwassermenge</translation>
    </message>
    <message>
        <source>Blowdown Cycles of Conc</source>
        <translation>Eindickungszahl</translation>
    </message>
    <message>
        <source>Drift Loss</source>
        <translation>Tropfenverlust</translation>
    </message>
    <message>
        <source>Makeup Water Temp</source>
        <translation>Zusatzwassertemperatur</translation>
    </message>
    <message>
        <source>Fan Total Press</source>
        <translation>Ventilator-Gesamtdruck</translation>
    </message>
    <message>
        <source>Fan Efficency</source>
        <translation>Ventilator-Wirkungsgrad</translation>
    </message>
    <message>
        <source>Wet bulb</source>
        <translation>Feuchtkugeltemperatur</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Spreizung</translation>
    </message>
    <message>
        <source>Water flow</source>
        <translation>Wasserstrom</translation>
    </message>
    <message>
        <source>Heat load</source>
        <translation>Wärmelast</translation>
    </message>
    <message>
        <source>Fan power</source>
        <translation>Ventilatorleistung</translation>
    </message>
    <message>
        <source>Barometric pressure</source>
        <translation>Luftdruck</translation>
    </message>
</context>
<context>
    <name>CsvRecords</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>is not a number: “%1” (decimal mark “%2”)</source>
        <translation>ist keine Zahl: „%1“ (Dezimalzeichen „%2“)</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>column %1 is in %2, not in %3</source>
        <translation>Spalte %1 ist in %2, nicht in %3</translation>
    </message>
    <message>
        <source>no column %1: the first line must name the columns %2</source>
        <translation>keine Spalte %1: die erste Zeile muss die Spalten %2 nennen</translation>
    </message>
    <message>
        <source>line %1: %2 %3</source>
        <translation>Zeile %1: %2 %3</translation>
    </message>
</context>
<context>
    <name>NumberBoxes</name>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>is not a number: “%1” (decimal mark “%2”)</source>
        <translation>ist keine Zahl: „%1“ (Dezimalzeichen „%2“)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>the tab %1 has nothing to print</source>
        <translation>die Registerkarte %1 hat nichts zu drucken</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>Design</source>
        <translation>Auslegung</translation>
    </message>
    <message>
        <source>Tower</source>
        <translation>Kühlturm</translation>
    </message>
    <message>
        <source>through the design point</source>
        <translation>durch den Auslegungspunkt</translation>
    </message>
    <message>
        <source>as given</source>
        <translation>wie angegeben</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>the design&apos;s KaV/L is no demand</source>
        <translation>das KaV/L der Auslegung ergibt keinen Bedarf</translation>
    </message>
    <message>
        <source>%1 %2 · printed %3</source>
        <translation>%1 %2 · gedruckt %3</translation>
    </message>
</context>
<context>
    <name>StudyDocument</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>The maker&apos;s curves were not opened: %1</source>
        <translation>Die Herstellerkurven wurden nicht geöffnet: %1</translation>
    </message>
    <message>
        <source>The load file was not opened: %1</source>
        <translation>Die Lastdatei wurde nicht geöffnet: %1</translation>
    </message>
    <message>
        <source>%1 cannot be saved: %2</source>
        <translation>%1 lässt sich nicht speichern: %2</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::AcceptanceModel</name>
    <message>
        <source>Capability, char. curve (%)</source>
        <translation>Leistungsfähigkeit, Kennlinie (%)</translation>
    </message>
    <message>
        <source>Capability (%)</source>
        <translation>Leistungsfähigkeit (%)</translation>
    </message>
    <message>
        <source>Capability, maker&apos;s curves (%)</source>
        <translation>Leistungsfähigkeit, Herstellerkurven (%)</translation>
    </message>
    <message>
        <source>Predicted flow (%1)</source>
        <translation>Erwarteter Durchfluss (%1)</translation>
    </message>
    <message>
        <source>Predicted cold water (%1)</source>
        <translation>Erwartetes Kaltwasser (%1)</translation>
    </message>
    <message>
        <source>Deviation (%1)</source>
        <translation>Abweichung (%1)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Nothing pasted: %1</source>
        <translation>Nichts eingefügt: %1</translation>
    </message>
    <message>
        <source>Nothing to paste: copy rows of P, Twb, Tdb, THot, TCold, Flow and FanPower from a spreadsheet first.</source>
        <translation>Nichts einzufügen: zuerst Zeilen mit P, Twb, Tdb, THot, TCold, Flow und FanPower aus einer Tabellenkalkulation kopieren.</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>column %1 names no power unit (hp or kW)</source>
        <translation>Spalte %1 nennt keine Leistungseinheit (hp oder kW)</translation>
    </message>
    <message>
        <source>mean of %1 readings</source>
        <translation>Mittel aus %1 Messungen</translation>
    </message>
    <message>
        <source>Slope m</source>
        <translation>Steigung m</translation>
    </message>
    <message>
        <source>Design fan power</source>
        <translation>Ventilatorleistung der Auslegung</translation>
    </message>
    <message>
        <source>Design fan power must be above 0</source>
        <translation>Die Ventilatorleistung der Auslegung muss über 0 liegen</translation>
    </message>
    <message>
        <source>The %1 limit %2</source>
        <translation>Die Grenze für %1 %2</translation>
    </message>
    <message>
        <source>The %1 limit must be above 0</source>
        <translation>Die Grenze für %1 muss über 0 liegen</translation>
    </message>
    <message>
        <source>maker&apos;s curves: </source>
        <translation>Herstellerkurven: </translation>
    </message>
    <message>
        <source>; maker&apos;s curves: </source>
        <translation>; Herstellerkurven: </translation>
    </message>
    <message>
        <source>No verdict: the maker&apos;s curves given are refused</source>
        <translation>Kein Urteil: die angegebenen Herstellerkurven sind abgelehnt</translation>
    </message>
    <message>
        <source>%1 (by the %2)</source>
        <translation>%1 (nach: %2)</translation>
    </message>
    <message>
        <source>wet bulb %1, range %2 (%3 % of design)</source>
        <translation>Feuchtkugel %1, Spreizung %2 (%3 % der Auslegung)</translation>
    </message>
    <message>
        <source>Capability: not evaluated</source>
        <translation>Leistungsfähigkeit: nicht ausgewertet</translation>
    </message>
    <message>
        <source>The design: %1</source>
        <translation>Die Auslegung: %1</translation>
    </message>
    <message>
        <source>Capability —</source>
        <translation>Leistungsfähigkeit —</translation>
    </message>
    <message>
        <source>Type, paste (Ctrl+V) or open the test readings: P, Twb, Tdb, THot, TCold, Flow and FanPower, a row each.</source>
        <translation>Messwerte der Abnahme eingeben, einfügen (Strg+V) oder öffnen: P, Twb, Tdb, THot, TCold, Flow und FanPower, je eine Zeile.</translation>
    </message>
    <message>
        <source>No reading evaluated</source>
        <translation>Keine Messung ausgewertet</translation>
    </message>
    <message>
        <source>The mean of %1 readings: %2</source>
        <translation>Das Mittel aus %1 Messungen: %2</translation>
    </message>
    <message>
        <source>Capability %1 %</source>
        <translation>Leistungsfähigkeit %1 %</translation>
    </message>
    <message>
        <source>Capability %1 % by the maker&apos;s curves, %2 % by the characteristic curve</source>
        <translation>Leistungsfähigkeit %1 % nach den Herstellerkurven, %2 % nach der Kennlinie</translation>
    </message>
    <message>
        <source>The mean of %1 %2: predicted cold water %3, deviation %4 (measured − predicted)</source>
        <translation>Das Mittel aus %1 %2: erwartetes Kaltwasser %3, Abweichung %4 (gemessen − erwartet)</translation>
    </message>
    <message>
        <source>reading</source>
        <translation>Messung</translation>
    </message>
    <message>
        <source>readings</source>
        <translation>Messungen</translation>
    </message>
    <message>
        <source>
By the maker&apos;s curves: predicted flow %1 %2 (adjusted flow %3), predicted cold water %4, deviation %5</source>
        <translation>
Nach den Herstellerkurven: erwarteter Durchfluss %1 %2 (umgerechneter Durchfluss %3), erwartetes Kaltwasser %4, Abweichung %5</translation>
    </message>
    <message>
        <source>
By the maker&apos;s curves: </source>
        <translation>
Nach den Herstellerkurven: </translation>
    </message>
    <message>
        <source>
Reading %1 %2</source>
        <translation>
Messung %1 %2</translation>
    </message>
    <message>
        <source>
%1 outside the test limits (marked in the table): not a valid test</source>
        <translation>
%1 außerhalb der Prüfgrenzen (in der Tabelle markiert): keine gültige Abnahme</translation>
    </message>
    <message>
        <source>1 reading</source>
        <translation>1 Messung</translation>
    </message>
    <message>
        <source>%1 readings</source>
        <translation>%1 Messungen</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::AcceptanceTab</name>
    <message>
        <source>The cross-plot needs the mean reading read on the maker&apos;s curves.</source>
        <translation>Das Kreuzdiagramm braucht die mittlere Messung, auf den Herstellerkurven abgelesen.</translation>
    </message>
    <message>
        <source>Open Readings</source>
        <translation>Messwerte öffnen</translation>
    </message>
    <message>
        <source>CSV file (*.csv);;All files (*)</source>
        <translation>CSV-Datei (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Induced draft</source>
        <translation>Saugend</translation>
    </message>
    <message>
        <source>Forced draft</source>
        <translation>Drückend</translation>
    </message>
    <message>
        <source>&amp;Open Readings…</source>
        <translation>Mess&amp;werte öffnen…</translation>
    </message>
    <message>
        <source>S&amp;lope m</source>
        <translation>&amp;Steigung m</translation>
    </message>
    <message>
        <source>Design fan po&amp;wer</source>
        <translation>Ventilatorleistung Ausle&amp;gung</translation>
    </message>
    <message>
        <source>D&amp;raft</source>
        <translation>Ventilato&amp;ranordnung</translation>
    </message>
    <message>
        <source>As the table shows</source>
        <translation>Wie die Tabelle</translation>
    </message>
    <message>
        <source>The unit the readings&apos; fan power was logged in. The design fan power may name its own: 12.7hp or 9.5kW; a bare number is in the unit shown.</source>
        <translation>Die Einheit, in der die Ventilatorleistung der Messungen aufgezeichnet wurde. Die Ventilatorleistung der Auslegung darf ihre eigene nennen: 12.7hp oder 9.5kW; eine bloße Zahl gilt in der angezeigten Einheit.</translation>
    </message>
    <message>
        <source>Readings&apos; fan power &amp;in</source>
        <translation>Ventilatorleistung der Messungen &amp;in</translation>
    </message>
    <message>
        <source>Maker&apos;s curves (optional: they then decide)</source>
        <translation>Herstellerkurven (wahlweise: sie entscheiden dann)</translation>
    </message>
    <message>
        <source>Open C&amp;urves…</source>
        <translation>&amp;Kurven öffnen…</translation>
    </message>
    <message>
        <source>From the &amp;Design Tower</source>
        <translation>Aus dem Auslegungs&amp;turm</translation>
    </message>
    <message>
        <source>The design tower&apos;s own performance curves, as the Performance curves tab shows them</source>
        <translation>Die eigenen Leistungskurven des Auslegungsturms, wie sie der Reiter Leistungskurven zeigt</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Open Maker&apos;s Curves</source>
        <translation>Herstellerkurven öffnen</translation>
    </message>
    <message>
        <source>The design has no tower to draw curves of.</source>
        <translation>Die Auslegung hat keinen Turm, dessen Kurven sich zeichnen ließen.</translation>
    </message>
    <message>
        <source>Test limits (±, of the design)</source>
        <translation>Prüfgrenzen (±, bezogen auf die Auslegung)</translation>
    </message>
    <message>
        <source>Test report</source>
        <translation>Abnahmebericht</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>Tower</source>
        <translation>Kühlturm</translation>
    </message>
    <message>
        <source>Test date</source>
        <translation>Prüfdatum</translation>
    </message>
    <message>
        <source>Tested by</source>
        <translation>Geprüft von</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>Acceptance test</source>
        <translation>Abnahme</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::ChartView</name>
    <message>
        <source>   approach %1 %2 (nearest curve)</source>
        <translation>   Kühlgrenzabstand %1 %2 (nächste Kurve)</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::CurvesTab</name>
    <message>
        <source>No tower: the design&apos;s KaV/L is no demand</source>
        <translation>Kein Turm: das KaV/L der Auslegung ist kein Bedarf</translation>
    </message>
    <message>
        <source>%1 % flow, %2 % range</source>
        <translation>%1 % Durchfluss, %2 % Spreizung</translation>
    </message>
    <message>
        <source>Wet bulb (%1)</source>
        <translation>Feuchtkugel (%1)</translation>
    </message>
    <message>
        <source>cannot write %1: there is no tower to draw curves of</source>
        <translation>%1 lässt sich nicht schreiben: es gibt keinen Turm, dessen Kurven sich zeichnen ließen</translation>
    </message>
    <message>
        <source>Performance curves</source>
        <translation>Leistungskurven</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::DemandTab</name>
    <message>
        <source>Point at the chart to read L/G, KaV/L and the approach.</source>
        <translation>Auf das Diagramm zeigen, um L/G, KaV/L und den Kühlgrenzabstand abzulesen.</translation>
    </message>
    <message>
        <source>Demand curves</source>
        <translation>Bedarfskurven</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::InputPanel</name>
    <message>
        <source>&amp;Atmos Press</source>
        <translation>Lu&amp;ftdruck</translation>
    </message>
    <message>
        <source>Inlet Air Wet &amp;Bulb Temp</source>
        <translation>Feuchtku&amp;geltemp. Lufteintritt</translation>
    </message>
    <message>
        <source>Inlet Air &amp;Dry Bulb Temp</source>
        <translation>&amp;Trockenkugeltemp. Lufteintritt</translation>
    </message>
    <message>
        <source>Hot Water &amp;Temp</source>
        <translation>&amp;Warmwassertemperatur</translation>
    </message>
    <message>
        <source>Appr&amp;oach = TCold-Twb</source>
        <translation>&amp;Kühlgrenzabstand = TCold-Twb</translation>
    </message>
    <message>
        <source>&amp;Liquid/Gas Ratio</source>
        <translation>Wasser/&amp;Luft-Verhältnis</translation>
    </message>
    <message>
        <source>Circulating Water Flo&amp;w</source>
        <translation>&amp;Umlaufwassermenge</translation>
    </message>
    <message>
        <source>Blowdown &amp;Cycles of Conc</source>
        <translation>&amp;Eindickungszahl</translation>
    </message>
    <message>
        <source>Drift Lo&amp;ss</source>
        <translation>Tr&amp;opfenverlust</translation>
    </message>
    <message>
        <source>Ma&amp;keup Water Temp</source>
        <translation>&amp;Zusatzwassertemperatur</translation>
    </message>
    <message>
        <source>Fan Total P&amp;ress</source>
        <translation>Ve&amp;ntilator-Gesamtdruck</translation>
    </message>
    <message>
        <source>Fan Efficenc&amp;y</source>
        <translation>Ventilator-W&amp;irkungsgrad</translation>
    </message>
    <message>
        <source>Slope &amp;m</source>
        <translation>Steigung &amp;m</translation>
    </message>
    <message>
        <source>Air</source>
        <translation>Luft</translation>
    </message>
    <message>
        <source>Water</source>
        <translation>Wasser</translation>
    </message>
    <message>
        <source>Fan</source>
        <translation>Ventilator</translation>
    </message>
    <message>
        <source>Tower KaV/L = C·(L/G)^−m</source>
        <translation>Turm KaV/L = C·(L/G)^−m</translation>
    </message>
    <message>
        <source>Thro&amp;ugh the design point</source>
        <translation>Durch den Auslegungs&amp;punkt</translation>
    </message>
    <message>
        <source>&amp;Given C</source>
        <translation>&amp;Vorgegebenes C</translation>
    </message>
    <message>
        <source>Operating point</source>
        <translation>Betriebspunkt</translation>
    </message>
    <message>
        <source>Tower C</source>
        <translation>Turm C</translation>
    </message>
    <message>
        <source>Approach</source>
        <translation>Kühlgrenzabstand</translation>
    </message>
    <message>
        <source>Cold water</source>
        <translation>Kaltwasser</translation>
    </message>
    <message>
        <source>KaV/L</source>
        <translation>KaV/L</translation>
    </message>
    <message>
        <source>No operating point: </source>
        <translation>Kein Betriebspunkt: </translation>
    </message>
    <message>
        <source>No tower through the design point: the design&apos;s KaV/L is no demand</source>
        <translation>Kein Turm durch den Auslegungspunkt: das KaV/L der Auslegung ist kein Bedarf</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::MakerCurvesModel</name>
    <message>
        <source>Nothing pasted: %1</source>
        <translation>Nichts eingefügt: %1</translation>
    </message>
    <message>
        <source>Nothing to paste: copy rows of Flow, Range, Twb and TCold.</source>
        <translation>Nichts einzufügen: zuerst Zeilen mit Flow, Range, Twb und TCold kopieren.</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>Maker&apos;s curves, row %1: %2 %3</source>
        <translation>Herstellerkurven, Zeile %1: %2 %3</translation>
    </message>
    <message>
        <source>Maker&apos;s curves refused: %1</source>
        <translation>Herstellerkurven abgelehnt: %1</translation>
    </message>
    <message>
        <source> (row %1</source>
        <translation> (Zeile %1</translation>
    </message>
    <message>
        <source>, as row %1</source>
        <translation>, wie Zeile %1</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::PerformanceModel</name>
    <message>
        <source>Tower C</source>
        <translation>Turm C</translation>
    </message>
    <message>
        <source>Tower m</source>
        <translation>Turm m</translation>
    </message>
    <message>
        <source>is not a finite number</source>
        <translation>ist keine endliche Zahl</translation>
    </message>
    <message>
        <source>must be greater than 0</source>
        <translation>muss größer als 0 sein</translation>
    </message>
    <message>
        <source>must be 0 or more</source>
        <translation>muss 0 oder mehr sein</translation>
    </message>
    <message>
        <source>%1 %2; the results are those of the last usable inputs.</source>
        <translation>%1 %2; die Ergebnisse sind die der letzten brauchbaren Eingaben.</translation>
    </message>
    <message>
        <source>No tower through the design point: a driving force of the design is zero or negative, so its KaV/L is no demand</source>
        <translation>Kein Turm durch den Auslegungspunkt: eine treibende Kraft der Auslegung ist null oder negativ, daher ist ihr KaV/L kein Bedarf</translation>
    </message>
    <message>
        <source>No operating point: </source>
        <translation>Kein Betriebspunkt: </translation>
    </message>
    <message>
        <source>Calculated</source>
        <translation>Berechnet</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::PerformanceTab</name>
    <message>
        <source>the tab %1 has no chart</source>
        <translation>der Reiter %1 hat kein Diagramm</translation>
    </message>
    <message>
        <source>cannot print on %1</source>
        <translation>Drucken auf %1 nicht möglich</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 lässt sich nicht schreiben</translation>
    </message>
    <message>
        <source>cannot write %1: name the file .svg, .pdf or .png</source>
        <translation>%1 lässt sich nicht schreiben: die Datei muss auf .svg, .pdf oder .png enden</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::PerformanceWindow</name>
    <message>
        <source>SVG image (*.svg);;PDF document (*.pdf);;PNG image (*.png)</source>
        <translation>SVG-Grafik (*.svg);;PDF-Dokument (*.pdf);;PNG-Bild (*.png)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV-Tabelle (*.csv)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Open &amp;Weather File…</source>
        <translation>&amp;Wetterdatei öffnen…</translation>
    </message>
    <message>
        <source>&amp;Recent Weather Files</source>
        <translation>&amp;Zuletzt geöffnete Wetterdateien</translation>
    </message>
    <message>
        <source>Export &amp;Chart…</source>
        <translation>Diagramm e&amp;xportieren…</translation>
    </message>
    <message>
        <source>Export &amp;Table…</source>
        <translation>&amp;Tabelle exportieren…</translation>
    </message>
    <message>
        <source>Save &amp;Worksheet…</source>
        <translation>&amp;Arbeitsblatt speichern…</translation>
    </message>
    <message>
        <source>Test &amp;Report…</source>
        <translation>Abnahmeb&amp;ericht…</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy Table</source>
        <translation>Tabelle &amp;kopieren</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Veltrane Performance</source>
        <translation>Ü&amp;ber Veltrane Performance</translation>
    </message>
    <message>
        <source>About Veltrane Performance</source>
        <translation>Über Veltrane Performance</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Veltrane Performance&lt;/b&gt; %1&lt;/p&gt;&lt;p&gt;Rating, demand curves and the worksheet of a wet, counter-flow, mechanical-draft cooling tower, live as the inputs change.&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Veltrane Performance&lt;/b&gt; %1&lt;/p&gt;&lt;p&gt;Nachrechnung, Bedarfskurven und Arbeitsblatt eines nassen Gegenstrom-Kühlturms mit Ventilator, laufend aktuell, während sich die Eingaben ändern.&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;US Customary Units</source>
        <translation>&amp;US-Einheiten</translation>
    </message>
    <message>
        <source>&amp;SI Units</source>
        <translation>&amp;SI-Einheiten</translation>
    </message>
    <message>
        <source>Units:</source>
        <translation>Einheiten:</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>S&amp;prache</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;Systemsprache</translation>
    </message>
    <message>
        <source>The language changes at the next start.</source>
        <translation>Die Sprache wechselt beim nächsten Start.</translation>
    </message>
    <message>
        <source>Export Chart</source>
        <translation>Diagramm exportieren</translation>
    </message>
    <message>
        <source>The chart was not saved</source>
        <translation>Das Diagramm wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>The file was not saved</source>
        <translation>Die Datei wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>Export Table</source>
        <translation>Tabelle exportieren</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Arbeitsblatt speichern</translation>
    </message>
    <message>
        <source>Text file (*.txt)</source>
        <translation>Textdatei (*.txt)</translation>
    </message>
    <message>
        <source>Test Report</source>
        <translation>Abnahmebericht</translation>
    </message>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>The test report was not written.</source>
        <translation>Der Abnahmebericht wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>Nothing was printed</source>
        <translation>Es wurde nichts gedruckt</translation>
    </message>
    <message>
        <source>&amp;Inputs Panel</source>
        <translation>&amp;Eingabebereich</translation>
    </message>
    <message>
        <source>&amp;New Study</source>
        <translation>&amp;Neue Studie</translation>
    </message>
    <message>
        <source>&amp;Open Study…</source>
        <translation>Studie ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Recent &amp;Studies</source>
        <translation>Zuletzt geöffnete &amp;Studien</translation>
    </message>
    <message>
        <source>&amp;Save Study</source>
        <translation>Studie s&amp;peichern</translation>
    </message>
    <message>
        <source>Save Study &amp;As…</source>
        <translation>Studie speichern &amp;unter…</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>Veltrane Performance stopped before the changes to a study were saved. Restore them?</source>
        <translation>Veltrane Performance wurde beendet, bevor die Änderungen an einer Studie gespeichert waren. Wiederherstellen?</translation>
    </message>
    <message>
        <source>The changes were not restored</source>
        <translation>Die Änderungen wurden nicht wiederhergestellt</translation>
    </message>
    <message>
        <source>Save the changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Open Study</source>
        <translation>Studie öffnen</translation>
    </message>
    <message>
        <source>Veltrane study (*.veltrane)</source>
        <translation>Veltrane-Studie (*.veltrane)</translation>
    </message>
    <message>
        <source>The study was not opened</source>
        <translation>Die Studie wurde nicht geöffnet</translation>
    </message>
    <message>
        <source>The study was not saved</source>
        <translation>Die Studie wurde nicht gespeichert</translation>
    </message>
    <message>
        <source>Save Study</source>
        <translation>Studie speichern</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::RecentFiles</name>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::WeatherHoursModel</name>
    <message>
        <source>no figures</source>
        <translation>keine Werte</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Tag</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <source>Load (%)</source>
        <translation>Last (%)</translation>
    </message>
    <message>
        <source>Cold water (%1)</source>
        <translation>Kaltwasser (%1)</translation>
    </message>
    <message>
        <source>Air flow (%)</source>
        <translation>Luftstrom (%)</translation>
    </message>
    <message>
        <source>Makeup (%1)</source>
        <translation>Zusatzwasser (%1)</translation>
    </message>
    <message>
        <source>Fan power (%1)</source>
        <translation>Ventilatorleistung (%1)</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::WeatherYearModel</name>
    <message>
        <source>cannot read %1: no such file or no permission</source>
        <translation>%1 lässt sich nicht lesen: keine solche Datei oder keine Berechtigung</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>The load </source>
        <translation>Die Last </translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>; and %1 more</source>
        <translation>; und %1 weitere</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Hours
(h)</source>
        <translation>Stunden
(h)</translation>
    </message>
    <message>
        <source>Mean cold
water (%1)</source>
        <translation>Mittleres Kalt-
wasser (%1)</translation>
    </message>
    <message>
        <source>Above
setpoint (h)</source>
        <translation>Über dem
Sollwert (h)</translation>
    </message>
    <message>
        <source>Evaporation
(%1)</source>
        <translation>Verdunstung
(%1)</translation>
    </message>
    <message>
        <source>Blowdown
(%1)</source>
        <translation>Abflutung
(%1)</translation>
    </message>
    <message>
        <source>Drift
(%1)</source>
        <translation>Tropfenverlust
(%1)</translation>
    </message>
    <message>
        <source>Makeup
(%1)</source>
        <translation>Zusatzwasser
(%1)</translation>
    </message>
    <message>
        <source>Fan energy
(%1)</source>
        <translation>Ventilator-
energie (%1)</translation>
    </message>
    <message>
        <source>Mean air
flow (%)</source>
        <translation>Mittlerer Luft-
strom (%)</translation>
    </message>
    <message>
        <source>the file gives no design wet bulbs; the design uses </source>
        <translation>die Datei nennt keine Auslegungs-Feuchtkugeltemperaturen; die Auslegung verwendet </translation>
    </message>
    <message>
        <source>site: 0.4 % wet bulb %1 %2; the design uses %3</source>
        <translation>Standort: 0,4-%-Feuchtkugeltemperatur %1 %2; die Auslegung verwendet %3</translation>
    </message>
    <message>
        <source>Year of %1 h: fan energy %2, makeup water %3, mean cold water reached %4, %5 h above the setpoint.</source>
        <translation>Jahr mit %1 h: Ventilatorenergie %2, Zusatzwasser %3, mittleres erreichtes Kaltwasser %4, %5 h über dem Sollwert.</translation>
    </message>
    <message>
        <source>No hour of the file has an operating point.</source>
        <translation>Keine Stunde der Datei hat einen Betriebspunkt.</translation>
    </message>
    <message>
        <source> The file is short of a year: a year of its own hours.</source>
        <translation> Die Datei umfasst kein ganzes Jahr: ein Jahr aus ihren eigenen Stunden.</translation>
    </message>
    <message>
        <source> A leap year.</source>
        <translation> Ein Schaltjahr.</translation>
    </message>
    <message>
        <source> Left out: %1 h (unreadable %2 h, no wet bulb %3 h, no operating point %4 h, no leaving air %5 h).</source>
        <translation> Ausgelassen: %1 h (unlesbar %2 h, ohne Feuchtkugeltemperatur %3 h, ohne Betriebspunkt %4 h, ohne Austrittsluft %5 h).</translation>
    </message>
    <message>
        <source> Bad hours: %1 (%2%3).</source>
        <translation> Fehlerhafte Stunden: %1 (%2%3).</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::WorksheetTab</name>
    <message>
        <source>&amp;Save Worksheet…</source>
        <translation>Arbeitsblatt &amp;speichern…</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Arbeitsblatt</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::YearModel</name>
    <message>
        <source>Bin %1, %2 %3</source>
        <translation>Bin %1, %2 %3</translation>
    </message>
    <message>
        <source>Hours (h)</source>
        <translation>Stunden (h)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>is negative</source>
        <translation>ist negativ</translation>
    </message>
    <message>
        <source>Bin %1: %2</source>
        <translation>Bin %1: %2</translation>
    </message>
    <message>
        <source>The setpoint </source>
        <translation>Der Sollwert </translation>
    </message>
    <message>
        <source>The VFD minimum air flow </source>
        <translation>Der minimale Luftstrom mit FU </translation>
    </message>
    <message>
        <source>No tower: the design&apos;s KaV/L is no demand, so no bin can be rated.</source>
        <translation>Kein Turm: das KaV/L der Auslegung ist kein Bedarf, daher lässt sich kein Bin nachrechnen.</translation>
    </message>
    <message>
        <source>No bins: type, paste or open some.</source>
        <translation>Keine Bins: welche eingeben, einfügen oder öffnen.</translation>
    </message>
    <message>
        <source>Year of %1: fan energy %2, makeup water %3, mean cold water reached %4, %5 above the setpoint</source>
        <translation>Jahr mit %1: Ventilatorenergie %2, Zusatzwasser %3, mittleres erreichtes Kaltwasser %4, %5 über dem Sollwert</translation>
    </message>
    <message>
        <source>No bin with hours has an operating point.</source>
        <translation>Kein Bin mit Stunden hat einen Betriebspunkt.</translation>
    </message>
    <message>
        <source> (by %1 on average, %2·h).</source>
        <translation> (im Mittel um %1, %2·h).</translation>
    </message>
    <message>
        <source> Left out: bin%1 %2 (no figures; %3).</source>
        <translation> Ausgelassen: Bin%1 %2 (ohne Werte; %3).</translation>
    </message>
    <message>
        <source>Cold water</source>
        <translation>Kaltwasser</translation>
    </message>
    <message>
        <source>Air flow (%)</source>
        <translation>Luftstrom (%)</translation>
    </message>
    <message>
        <source>Makeup (%1)</source>
        <translation>Zusatzwasser (%1)</translation>
    </message>
    <message>
        <source>Fan energy (%1)</source>
        <translation>Ventilatorenergie (%1)</translation>
    </message>
    <message>
        <source>Above setpoint (%1)</source>
        <translation>Über dem Sollwert (%1)</translation>
    </message>
    <message>
        <source>Degree-hours above setpoint (%1·h)</source>
        <translation>Gradstunden über dem Sollwert (%1·h)</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>no operating point: </source>
        <translation>kein Betriebspunkt: </translation>
    </message>
    <message>
        <source>The VFD minimum air flow must be above 0 % and no more than 100 %</source>
        <translation>Der minimale Luftstrom mit FU muss über 0 % und höchstens 100 % betragen</translation>
    </message>
</context>
<context>
    <name>veltrane::performance::YearTab</name>
    <message>
        <source>month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>bin</source>
        <translation>Bin</translation>
    </message>
    <message>
        <source>Fan energy by %1 (%2)</source>
        <translation>Ventilatorenergie je %1 (%2)</translation>
    </message>
    <message>
        <source>Makeup water by %1 (%2)</source>
        <translation>Zusatzwasser je %1 (%2)</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Monat</translation>
    </message>
    <message>
        <source>Bin by wet bulb (%1)</source>
        <translation>Bin nach Feuchtkugeltemperatur (%1)</translation>
    </message>
    <message>
        <source>Fan energy</source>
        <translation>Ventilatorenergie</translation>
    </message>
    <message>
        <source>Makeup water</source>
        <translation>Zusatzwasser</translation>
    </message>
    <message>
        <source>Cold water &amp;setpoint:</source>
        <translation>Kaltwasser-&amp;Sollwert:</translation>
    </message>
    <message>
        <source>Full speed</source>
        <translation>Volle Drehzahl</translation>
    </message>
    <message>
        <source>Variable speed (VFD)</source>
        <translation>Drehzahlgeregelt (FU)</translation>
    </message>
    <message>
        <source>Two-speed</source>
        <translation>Zwei Drehzahlstufen</translation>
    </message>
    <message>
        <source>&amp;Fan control:</source>
        <translation>&amp;Ventilatorregelung:</translation>
    </message>
    <message>
        <source>VFD &amp;minimum air flow:</source>
        <translation>&amp;Minimaler Luftstrom mit FU:</translation>
    </message>
    <message>
        <source>Weather file</source>
        <translation>Wetterdatei</translation>
    </message>
    <message>
        <source>Open &amp;Weather File…</source>
        <translation>&amp;Wetterdatei öffnen…</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt</translation>
    </message>
    <message>
        <source>Use &amp;Bins</source>
        <translation>B&amp;ins verwenden</translation>
    </message>
    <message>
        <source>Close the weather file and rate the bins again</source>
        <translation>Die Wetterdatei schließen und wieder die Bins nachrechnen</translation>
    </message>
    <message>
        <source>&amp;Load:</source>
        <translation>&amp;Last:</translation>
    </message>
    <message>
        <source>Load &amp;File…</source>
        <translation>Las&amp;tdatei…</translation>
    </message>
    <message>
        <source>% of design</source>
        <translation>% der Auslegung</translation>
    </message>
    <message>
        <source>&amp;Hourly Table…</source>
        <translation>St&amp;undentabelle…</translation>
    </message>
    <message>
        <source>Weather &amp;bins (Ctrl+V pastes rows):</source>
        <translation>Wette&amp;r-Bins (Strg+V fügt Zeilen ein):</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>Ö&amp;ffnen…</translation>
    </message>
    <message>
        <source>Sa&amp;ve…</source>
        <translation>S&amp;peichern…</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>Hin&amp;zufügen</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Calculating the year…</source>
        <translation>Das Jahr wird berechnet…</translation>
    </message>
    <message>
        <source>: the figures are those of the last usable bins and controls.</source>
        <translation>: die Werte sind die der letzten brauchbaren Bins und Regelungen.</translation>
    </message>
    <message>
        <source>The bins were not opened</source>
        <translation>Die Bins wurden nicht geöffnet</translation>
    </message>
    <message>
        <source>The bins were not saved</source>
        <translation>Die Bins wurden nicht gespeichert</translation>
    </message>
    <message>
        <source>None: the year is that of the bins below.</source>
        <translation>Keine: das Jahr ist das der Bins unten.</translation>
    </message>
    <message>
        <source>Load from %1 (typing a percent replaces it)</source>
        <translation>Last aus %1 (ein eingegebener Prozentwert ersetzt sie)</translation>
    </message>
    <message>
        <source>The load </source>
        <translation>Die Last </translation>
    </message>
    <message>
        <source>The weather file was not opened</source>
        <translation>Die Wetterdatei wurde nicht geöffnet</translation>
    </message>
    <message>
        <source>Open Weather File</source>
        <translation>Wetterdatei öffnen</translation>
    </message>
    <message>
        <source>EnergyPlus weather file (*.epw)</source>
        <translation>EnergyPlus-Wetterdatei (*.epw)</translation>
    </message>
    <message>
        <source>The load file was not opened</source>
        <translation>Die Lastdatei wurde nicht geöffnet</translation>
    </message>
    <message>
        <source>Open Load File</source>
        <translation>Lastdatei öffnen</translation>
    </message>
    <message>
        <source>CSV file (*.csv)</source>
        <translation>CSV-Datei (*.csv)</translation>
    </message>
    <message>
        <source>Hours of %1</source>
        <translation>Stunden von %1</translation>
    </message>
    <message>
        <source>Open Bins</source>
        <translation>Bins öffnen</translation>
    </message>
    <message>
        <source>Save Bins</source>
        <translation>Bins speichern</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>, minimum air flow %1 %</source>
        <translation>, minimaler Luftstrom %1 %</translation>
    </message>
    <message>
        <source>%1; cold water setpoint %2 %3</source>
        <translation>%1; Kaltwasser-Sollwert %2 %3</translation>
    </message>
    <message>
        <source>Fan control</source>
        <translation>Ventilatorregelung</translation>
    </message>
    <message>
        <source>Weather</source>
        <translation>Wetter</translation>
    </message>
    <message>
        <source>the bins in the table</source>
        <translation>die Bins der Tabelle</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Last</translation>
    </message>
    <message>
        <source> % of design</source>
        <translation> % der Auslegung</translation>
    </message>
</context>
</TS>
