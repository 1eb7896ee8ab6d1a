#!/usr/bin/python3
"""(Re)generate the sample Zirkano 2.0 instrument in samples/instrument/.

The Zirkano 2.0 (vario, GPS, flight recorder) shows its memory as a removable
drive.  This script writes an invented but realistic copy of that drive, so
Tolmaro can be built, demonstrated and tested without a real instrument.
Everything here is made up by this script; it uses only the Python 3 standard
library and a fixed seed, so rerunning it gives byte-identical files.

Layout (relative to the instrument root, names in exactly this letter case):

  SETUP/setupdata.txt       15 lines "Key:value;" each ending CR LF, then one
                            "*" as the very last byte (no line end after it).
  SETUP/<Language>.txt      8 menu text files (Deutsch, Englisch, Franzoesisch,
                            Niederlaendisch, Polnisch, Spanisch, Italienisch,
                            Rumaenisch): Windows-1252, CR LF, one text per line,
                            at most 20 characters; text slot n is line n+1.
                            The slot meanings are in the TEXTS table below.
  SETUP/igcheader.txt       4 lines, LF only, no BOM:
                              ID<4-char pilot id>
                              HOPLTPILOT: <pilot>
                              HOGTYGLIDERTYPE: <glider>
                              HOCCLCOMPETITION CLASS: <class>
  FLIGHTS/YYYY/MM/*.igc     IGC flight logs, CR LF, named
                            YYYY-MM-DD-ZIR-0001-NN.igc (one uses ".IGC");
                            one flies over midnight UTC, one has the old
                            date record "HFDTEddmmyy", one has no fixes.
                            Each header holds the recorder's F records and
                            the three O records of igcheader.txt; the logs
                            of 2026 (firmware 2.1) leave the F record of the
                            glider type empty, naming it in the O record only.
  FLIGHTS/2026/04/          an empty month folder (see "Empty folders").
  WAYPOINTS/waypoints.skt   waypoint store: 52-byte records, no header,
                            big-endian (see pack_waypoint for the layout).

Empty folders: git does not keep empty directories, so a checkout of the repo
lacks FLIGHTS/2026/04/.  This script creates it, and it alone knows it: the
demo and the Windows tests take their sample from this script (--out), not
from git.

Usage:
  /usr/bin/python3 tools/samples/make_sample_instrument.py [--out DIR]

Without --out the sample goes to samples/instrument/ next to tools/.  Files in
the output folder that this script does not write are removed, but only when
the folder is empty or already holds a sample (SETUP/setupdata.txt); any other
non-empty folder is refused.
"""

import argparse
import math
import os
import random
import shutil
import struct
import sys
from collections import namedtuple

SEED = 20250614
ENC = "cp1252"
CRLF = "\r\n"

# --------------------------------------------------------------------------
# SETUP/setupdata.txt
# --------------------------------------------------------------------------

# (key, value as written).  Order matters.
SETUP_DATA = [
    ("Sinkton", "-1.8"),           # sink tone threshold, m/s, one decimal
    ("Steigton", "0.2"),           # climb tone threshold, m/s, one decimal
    ("Timeoffset", "1"),           # hours to add to UTC
    ("Trackinterval", "5"),        # seconds between track fixes
    ("Lautstaerke", "6"),          # volume
    ("Feld1", "2"),                # display field 1 contents
    ("Feld2", "1"),                # display field 2 contents
    ("Sprache", "0"),              # language index, 0 = Deutsch (see LANGUAGES)
    ("Contrast", "14"),            # display contrast
    ("POffset", "0.00"),           # pressure offset, two decimals
    ("TOffset", "0"),              # temperature offset
    ("AirspaceWarnDistance", "500"),  # metres
    ("Unit", "0"),                 # 0 = metric, 1 = imperial
    ("CoordinateFormat", "1"),     # 0 = DD.dddd, 1 = DD MM.mmm, 2 = DD MM SS
    ("Integralzeit", "3"),         # vario integration time, seconds
]


def make_setupdata():
    text = "".join("%s:%s;%s" % (k, v, CRLF) for k, v in SETUP_DATA) + "*"
    return text.encode("ascii")


# --------------------------------------------------------------------------
# SETUP/<Language>.txt  -- the instrument's menu texts
# --------------------------------------------------------------------------

# File names in language index order (setupdata "Sprache"); slots 47..54 name
# the languages in this same order.
LANGUAGES = ["Deutsch", "Englisch", "Franzoesisch", "Niederlaendisch",
             "Polnisch", "Spanisch", "Italienisch", "Rumaenisch"]

# Slot table.  Slot n is line n+1 of every language file.
# Columns: slot, used by Tolmaro ("T") or not (""), meaning, then the text in
# the eight languages in LANGUAGES order (de, en, fr, nl, pl, es, it, ro).
# Windows-1252 has no l-stroke, s/z/c/n-acute, z-dot, a/e-ogonek (Polish) nor
# a-breve, s/t-comma (Romanian): those letters are written plain, as the
# instrument's font would; o-acute (Polish), a-circumflex, i-circumflex
# (Romanian) exist in Windows-1252 and are kept.
TEXTS = [
    (0, "", "main menu title",
     "Hauptmenü", "Main menu", "Menu principal", "Hoofdmenu",
     "Menu glówne", "Menú principal", "Menu principale", "Meniu principal"),
    (1, "", "message: flight started",
     "Flug gestartet", "Flight started", "Vol commencé", "Vlucht gestart",
     "Lot rozpoczety", "Vuelo iniciado", "Volo iniziato", "Zbor început"),
    (2, "", "message: landing detected",
     "Landung erkannt", "Landing detected", "Atterrissage détecté", "Landing herkend",
     "Wykryto ladowanie", "Aterrizaje detectado", "Atterraggio rilevato", "Aterizare detectata"),
    (3, "", "message: low battery",
     "Batterie schwach", "Low battery", "Batterie faible", "Batterij bijna leeg",
     "Slaba bateria", "Batería baja", "Batteria scarica", "Baterie slaba"),
    (4, "", "thermal",
     "Thermik", "Thermal", "Thermique", "Thermiek",
     "Termika", "Térmica", "Termica", "Termica"),
    (5, "", "waypoint",
     "Wegpunkt", "Waypoint", "Balise", "Routepunt",
     "Punkt trasy", "Baliza", "Punto di rotta", "Punct de ruta"),
    (6, "", "airspace",
     "Luftraum", "Airspace", "Espace aérien", "Luchtruim",
     "Przestrzen pow.", "Espacio aéreo", "Spazio aereo", "Spatiu aerian"),
    (7, "", "track log",
     "Tracklog", "Track log", "Trace GPS", "Vluchtspoor",
     "Zapis trasy", "Traza", "Traccia", "Traseu"),
    (8, "", "GPS fix",
     "GPS-Fix", "GPS fix", "Réception GPS", "GPS-fix",
     "Pozycja GPS", "Señal GPS", "Fix GPS", "Semnal GPS"),
    (9, "", "no GPS fix",
     "Kein GPS-Fix", "No GPS fix", "Pas de signal GPS", "Geen GPS-fix",
     "Brak GPS", "Sin señal GPS", "Nessun fix GPS", "Fara semnal GPS"),
    (10, "", "yes",
     "Ja", "Yes", "Oui", "Ja", "Tak", "Sí", "Sì", "Da"),
    (11, "", "no",
     "Nein", "No", "Non", "Nee", "Nie", "No", "No", "Nu"),
    (12, "", "back",
     "Zurück", "Back", "Retour", "Terug", "Wstecz", "Atrás", "Indietro", "Înapoi"),
    (13, "", "save",
     "Speichern", "Save", "Enregistrer", "Opslaan",
     "Zapisz", "Guardar", "Salva", "Salvare"),
    (14, "", "cancel",
     "Abbrechen", "Cancel", "Annuler", "Annuleren",
     "Anuluj", "Cancelar", "Annulla", "Anulare"),
    (15, "", "delete",
     "Löschen", "Delete", "Supprimer", "Wissen",
     "Usun", "Borrar", "Elimina", "Sterge"),
    (16, "", "altitude",
     "Höhe", "Altitude", "Altitude", "Hoogte",
     "Wysokosc", "Altitud", "Quota", "Altitudine"),
    (17, "", "speed",
     "Geschwindigkeit", "Speed", "Vitesse", "Snelheid",
     "Predkosc", "Velocidad", "Velocità", "Viteza"),
    (18, "", "vario",
     "Vario", "Vario", "Vario", "Vario",
     "Wariometr", "Vario", "Vario", "Variometru"),
    (19, "", "distance",
     "Distanz", "Distance", "Distance", "Afstand",
     "Odleglosc", "Distancia", "Distanza", "Distanta"),
    (20, "", "flight time",
     "Flugzeit", "Flight time", "Temps de vol", "Vliegtijd",
     "Czas lotu", "Tiempo de vuelo", "Tempo di volo", "Timp de zbor"),
    (21, "", "glide ratio",
     "Gleitzahl", "Glide ratio", "Finesse", "Glijgetal",
     "Doskonalosc", "Planeo", "Efficienza", "Finete"),
    (22, "T", "heading of the settings pages",
     "Einstellungen", "Settings", "Réglages", "Instellingen",
     "Ustawienia", "Ajustes", "Impostazioni", "Setari"),
    (23, "", "waypoints menu",
     "Wegpunkte", "Waypoints", "Balises", "Routepunten",
     "Punkty trasy", "Balizas", "Punti di rotta", "Puncte de ruta"),
    (24, "", "logbook menu",
     "Flugbuch", "Logbook", "Carnet de vol", "Logboek",
     "Ksiazka lotów", "Libro de vuelos", "Libretto di volo", "Carnet de zbor"),
    (25, "", "message: memory full",
     "Speicher voll", "Memory full", "Mémoire pleine", "Geheugen vol",
     "Pamiec pelna", "Memoria llena", "Memoria piena", "Memorie plina"),
    (26, "", "message: saved",
     "Gespeichert", "Saved", "Enregistré", "Opgeslagen",
     "Zapisano", "Guardado", "Salvato", "Salvat"),
    (27, "", "message: please wait",
     "Bitte warten", "Please wait", "Veuillez patienter", "Even geduld",
     "Prosze czekac", "Espere, por favor", "Attendere", "Asteptati"),
    (28, "T", "heading of the pilot page",
     "Pilotendaten", "Pilot data", "Données pilote", "Pilootgegevens",
     "Dane pilota", "Datos del piloto", "Dati pilota", "Date pilot"),
    (29, "", "pilot",
     "Pilot", "Pilot", "Pilote", "Piloot",
     "Pilot", "Piloto", "Pilota", "Pilot"),
    (30, "", "glider",
     "Gleitschirm", "Glider", "Voile", "Scherm",
     "Skrzydlo", "Parapente", "Vela", "Parapanta"),
    (31, "", "competition class",
     "Wettbewerbsklasse", "Competition class", "Classe compétition", "Wedstrijdklasse",
     "Klasa zawodów", "Clase competición", "Classe gara", "Clasa concurs"),
    (32, "T", "sink tone threshold",
     "Sinkton", "Sink tone", "Son descente", "Daaltoon",
     "Ton opadania", "Tono descenso", "Tono discesa", "Ton coborâre"),
    (33, "T", "climb tone threshold",
     "Steigton", "Climb tone", "Son montée", "Stijgtoon",
     "Ton wznoszenia", "Tono ascenso", "Tono salita", "Ton urcare"),
    (34, "T", "time offset to UTC",
     "Zeitoffset", "Time offset", "Décalage horaire", "Tijdverschil",
     "Przesuniecie czasu", "Diferencia horaria", "Fuso orario", "Decalaj orar"),
    (35, "T", "track recording interval",
     "Trackintervall", "Track interval", "Intervalle trace", "Spoorinterval",
     "Interwal zapisu", "Intervalo traza", "Intervallo traccia", "Interval traseu"),
    (36, "T", "volume",
     "Lautstärke", "Volume", "Volume", "Volume",
     "Glosnosc", "Volumen", "Volume", "Volum"),
    (37, "T", "display contrast",
     "Kontrast", "Contrast", "Contraste", "Contrast",
     "Kontrast", "Contraste", "Contrasto", "Contrast"),
    (38, "T", "units",
     "Einheiten", "Units", "Unités", "Eenheden",
     "Jednostki", "Unidades", "Unità", "Unitati"),
    (39, "T", "coordinate format",
     "Koordinaten", "Coordinates", "Coordonnées", "Coördinaten",
     "Wspólrzedne", "Coordenadas", "Coordinate", "Coordonate"),
    (40, "T", "language",
     "Sprache", "Language", "Langue", "Taal",
     "Jezyk", "Idioma", "Lingua", "Limba"),
    (41, "T", "vario integration time",
     "Integrationszeit", "Integration time", "Temps d'intégration", "Integratietijd",
     "Czas calkowania", "Tiempo integración", "Tempo integrazione", "Timp integrare"),
    (42, "T", "unit system 0: metric",
     "Metrisch", "Metric", "Métrique", "Metrisch",
     "Metryczne", "Métrico", "Metrico", "Metric"),
    (43, "T", "unit system 1: imperial",
     "Imperial", "Imperial", "Impérial", "Imperiaal",
     "Imperialne", "Imperial", "Imperiale", "Imperial"),
    (44, "T", "coordinate format 0",
     "DD.dddd", "DD.dddd", "DD.dddd", "DD.dddd",
     "DD.dddd", "DD.dddd", "DD.dddd", "DD.dddd"),
    (45, "T", "coordinate format 1",
     "DD MM.mmm", "DD MM.mmm", "DD MM.mmm", "DD MM.mmm",
     "DD MM.mmm", "DD MM.mmm", "DD MM.mmm", "DD MM.mmm"),
    (46, "T", "coordinate format 2",
     "DD MM SS", "DD MM SS", "DD MM SS", "DD MM SS",
     "DD MM SS", "DD MM SS", "DD MM SS", "DD MM SS"),
    (47, "T", "language 0: German",
     "Deutsch", "German", "Allemand", "Duits",
     "Niemiecki", "Alemán", "Tedesco", "Germana"),
    (48, "T", "language 1: English",
     "Englisch", "English", "Anglais", "Engels",
     "Angielski", "Inglés", "Inglese", "Engleza"),
    (49, "T", "language 2: French",
     "Französisch", "French", "Français", "Frans",
     "Francuski", "Francés", "Francese", "Franceza"),
    (50, "T", "language 3: Dutch",
     "Niederländisch", "Dutch", "Néerlandais", "Nederlands",
     "Niderlandzki", "Neerlandés", "Olandese", "Olandeza"),
    (51, "T", "language 4: Polish",
     "Polnisch", "Polish", "Polonais", "Pools",
     "Polski", "Polaco", "Polacco", "Poloneza"),
    (52, "T", "language 5: Spanish",
     "Spanisch", "Spanish", "Espagnol", "Spaans",
     "Hiszpanski", "Español", "Spagnolo", "Spaniola"),
    (53, "T", "language 6: Italian",
     "Italienisch", "Italian", "Italien", "Italiaans",
     "Wloski", "Italiano", "Italiano", "Italiana"),
    (54, "T", "language 7: Romanian",
     "Rumänisch", "Romanian", "Roumain", "Roemeens",
     "Rumunski", "Rumano", "Rumeno", "Româna"),
    (55, "", "display field 1",
     "Anzeigefeld 1", "Display field 1", "Champ 1", "Veld 1",
     "Pole 1", "Campo 1", "Campo 1", "Câmp 1"),
    (56, "", "display field 2",
     "Anzeigefeld 2", "Display field 2", "Champ 2", "Veld 2",
     "Pole 2", "Campo 2", "Campo 2", "Câmp 2"),
    (57, "T", "airspace warning distance",
     "Luftraumwarnung", "Airspace warning", "Alerte espace aérien", "Luchtruimalarm",
     "Alarm przestrzeni", "Aviso esp. aéreo", "Avviso spazio aereo", "Alerta spatiu aerian"),
    (58, "", "pressure offset",
     "Druckoffset", "Pressure offset", "Décalage pression", "Drukcorrectie",
     "Korekta cisnienia", "Ajuste presión", "Offset pressione", "Corectie presiune"),
    (59, "", "temperature offset",
     "Temperaturoffset", "Temp. offset", "Décalage temp.", "Temp.correctie",
     "Korekta temp.", "Ajuste temp.", "Offset temperatura", "Corectie temp."),
    (60, "", "battery",
     "Batterie", "Battery", "Batterie", "Batterij",
     "Bateria", "Batería", "Batteria", "Baterie"),
    (61, "", "temperature",
     "Temperatur", "Temperature", "Température", "Temperatuur",
     "Temperatura", "Temperatura", "Temperatura", "Temperatura"),
    (62, "", "go to (navigate to a waypoint)",
     "Gehe zu", "Go to", "Aller à", "Ga naar",
     "Idz do", "Ir a", "Vai a", "Mergi la"),
    (63, "", "question: switch off?",
     "Ausschalten?", "Switch off?", "Éteindre ?", "Uitschakelen?",
     "Wylaczyc?", "¿Apagar?", "Spegnere?", "Oprire?"),
]

MAX_TEXT = 20  # display width in characters


def make_language_files():
    """Return {file name: bytes} for the eight language files."""
    for i, row in enumerate(TEXTS):
        if row[0] != i:
            raise ValueError("TEXTS row %d has slot %r" % (i, row[0]))
        if len(row) != 3 + len(LANGUAGES):
            raise ValueError("TEXTS slot %d has %d columns" % (i, len(row)))
    files = {}
    for li, lang in enumerate(LANGUAGES):
        lines = []
        for row in TEXTS:
            text = row[3 + li]
            if not text or text != text.strip() or len(text) > MAX_TEXT:
                raise ValueError("%s slot %d: bad text %r" % (lang, row[0], text))
            lines.append(text.encode(ENC))  # strict: fails on letters 1252 lacks
        files[lang + ".txt"] = b"".join(l + b"\r\n" for l in lines)
    return files


# --------------------------------------------------------------------------
# SETUP/igcheader.txt  -- the pilot data the instrument writes into IGC files
# --------------------------------------------------------------------------

PILOT_ID = "JoBr"                   # exactly 4 characters
PILOT = "Jonas Brandstetter"        # at most 22 characters
GLIDER = "Nova Mentor 7"            # at most 22 characters
COMP_CLASS = "Paraglider (Sport)"


def pilot_records():
    """The file's three IGC header records (source O), which the instrument
    also puts, as they are, into the header of every flight log."""
    return ["HOPLTPILOT: " + PILOT,
            "HOGTYGLIDERTYPE: " + GLIDER,
            "HOCCLCOMPETITION CLASS: " + COMP_CLASS]


def make_igcheader():
    assert len(PILOT_ID) == 4 and len(PILOT) <= 22 and len(GLIDER) <= 22
    lines = ["ID" + PILOT_ID] + pilot_records()
    return "".join(l + "\n" for l in lines).encode("ascii")


# --------------------------------------------------------------------------
# Places (used for flights and the waypoint store)
# --------------------------------------------------------------------------

Place = namedtuple("Place", "name desc lat lon alt")

# Kind-1 waypoints of the pilot: Isarwinkel / Tegernsee / Walchensee area in
# Bavaria, Koessen in Tyrol, plus a few holiday places further away.
WP = {p.name or "(none)": p for p in [
    # desc is exactly 31 characters: fills the field with no NUL
    Place("BRAUNEC", "Startplatz Brauneck Nord, 1530m", 47.66370, 11.52770, 1530),
    Place("LENGGR", "Landeplatz Lenggries", 47.67710, 11.56680, 680),
    Place("BLOMBG", "Startplatz Blomberg", 47.74200, 11.51400, 1200),
    Place("BLOMLP", "Landeplatz Blomberg Talstation", 47.75300, 11.53300, 700),
    Place("WALLBG", "Startplatz Wallberg", 47.66600, 11.79300, 1620),
    Place("ROTTACH", "Landeplatz Rottach-Egern", 47.68600, 11.77100, 740),
    Place("HERZOG", "Startplatz Herzogstand", 47.61550, 11.30600, 1575),
    Place("WALCHEN", "Landeplatz Walchensee", 47.60100, 11.33300, 805),
    Place("BENEDIK", "Benediktenwand Gipfelkreuz", 47.65250, 11.46600, 1801),
    Place("JOCHBG", "Jochberg", 47.61900, 11.35600, 1565),
    Place("FOCKEN", "Fockenstein", 47.69100, 11.65700, 1564),
    Place("HIRSCHB", "Hirschberg über Kreuth", 47.65600, 11.71500, 1670),
    Place("SYLVEN", "Sylvensteinsee Staumauer", 47.57900, 11.55200, 767),
    Place("", "Außenlandewiese Jachenau", 47.60800, 11.43600, 790),
    Place("KOESSEN", "Startplatz Unterberg Kössen", 47.65150, 12.42400, 1500),
    Place("KOESLP", "Landeplatz Kössen", 47.66800, 12.40500, 590),
    Place("ACHENSE", "Achensee Pertisau Ufer", 47.43800, 11.69500, 930),
    Place("LELYST", "Markermeerdeich Lelystad", 52.51000, 5.47000, -5),
    Place("LIJAR", "Startplatz Lijar, Algodonales", 36.89000, -5.40500, 1000),
    Place("IBITURU", "Pico do Ibituruna, Valadares", -18.88700, -41.99500, 1120),
]}

# Deleted waypoints (kind 0): the instrument only clears the kind byte, so
# old contents stay; one slot is blank (all zero).
DELETED = [
    Place("ARZBACH", "Alter Landeplatz Arzbach", 47.69400, 11.55000, 690),
    Place("TEST1", "Testpunkt", 47.67000, 11.56000, 700),
    Place("BRAUNE2", "Brauneck doppelt", 47.66370, 11.52770, 1530),
    Place("TEGERNS", "Tegernsee Seepromenade", 47.71000, 11.75800, 730),
    None,  # blank record
    Place("GAISBG", "Startplatz Gaisberg Salzburg", 47.80400, 13.11300, 1280),
]

# One record of kind 7, a kind outside 0..5, so that readers must cope with
# kinds they do not know.
KIND7 = Place("GOAL01", "Ziel Lenggries Bahnhof", 47.68000, 11.57400, 679)


# --------------------------------------------------------------------------
# FLIGHTS  -- synthetic IGC flight logs
# --------------------------------------------------------------------------

Flight = namedtuple(
    "Flight",
    "date num upper launch landing start wind_from wind_speed qne turn steps form",
    defaults=("",))
# date (y, m, d); num = flight number of the day; upper = ".IGC" ending;
# start = UTC (h, m, s) of the first fix; wind_from in degrees, speed m/s;
# qne = pressure altitude minus true altitude (m); turn = +1 right, -1 left;
# steps: ("glide", heading deg, fixes) | ("thermal", climb m/s, gain m)
# form: "" as the instrument writes today, "old date" with the date record
# of older firmware (HFDTEddmmyy), "no fixes" for an instrument switched on
# and off again before it had a GPS fix.

FLIGHTS = [
    Flight((2025, 6, 14), 1, False, "BRAUNEC", "LENGGR", (9, 48, 12), 300, 2.5, 31, 1,
           [("glide", 160, 8), ("thermal", 1.2, 320), ("glide", 230, 30),
            ("thermal", 2.4, 560), ("glide", 250, 40), ("glide", 70, 30)]),
    Flight((2025, 6, 14), 2, False, "BRAUNEC", "LENGGR", (13, 21, 40), 290, 3.2, 24, -1,
           [("glide", 150, 10), ("thermal", 2.8, 650), ("glide", 270, 70),
            ("glide", 100, 60)]),
    Flight((2025, 6, 21), 1, False, "WALLBG", "ROTTACH", (11, 5, 3), 20, 2.0, -12, 1,
           [("glide", 200, 10), ("thermal", 1.8, 420), ("glide", 250, 45),
            ("thermal", 3.4, 760), ("glide", 100, 70)]),
    Flight((2025, 7, 5), 1, False, "HERZOG", "WALCHEN", (10, 32, 55), 250, 2.8, 47, -1,
           [("glide", 20, 10), ("thermal", 1.4, 260), ("glide", 80, 50),
            ("thermal", 2.6, 600), ("glide", 300, 60)]),
    Flight((2025, 7, 19), 1, True, "BLOMBG", "BLOMLP", (12, 14, 20), 320, 1.8, 8, 1,
           [("glide", 80, 8), ("thermal", 1.0, 220), ("glide", 180, 20),
            ("thermal", 2.0, 480), ("glide", 240, 20)]),
    Flight((2026, 5, 9), 1, False, "KOESSEN", "KOESLP", (11, 40, 8), 270, 3.0, -28, -1,
           [("glide", 190, 8), ("thermal", 1.6, 380), ("glide", 120, 35),
            ("thermal", 3.2, 820), ("glide", 60, 30), ("thermal", 2.3, 420),
            ("glide", 290, 25)]),
]

# Later flights for the flight book: their thermals are not stored as
# points and they fly with a random sequence of their own, so that the
# flights above and the waypoint store stay as they were.
LATER_FLIGHTS = [
    # A holiday evening in Brazil, UTC-3: launched before midnight UTC,
    # landed after it.
    Flight((2025, 7, 26), 1, False, "IBITURU", "VALADLP", (23, 46, 30), 90, 2.0, 15, 1,
           [("glide", 60, 10), ("thermal", 1.4, 300), ("glide", 40, 40),
            ("thermal", 1.2, 280), ("glide", 220, 40)]),
    Flight((2025, 6, 28), 1, False, "BRAUNEC", "LENGGR", (12, 2, 45), 280, 2.2, 20, -1,
           [("glide", 170, 10), ("thermal", 2.1, 480), ("glide", 260, 40), ("glide", 80, 30)],
           "old date"),
    Flight((2026, 5, 16), 1, False, "KOESSEN", "KOESLP", (10, 5, 0), 0, 0, 0, 1, [], "no fixes"),
]
LATER_SEED = SEED + 1

# A landing field that is no stored waypoint.
LANDINGS = {"VALADLP": Place("VALADLP", "Landeplatz Governador Valadares", -18.86600, -41.97200, 170)}

# launch site names for the IGC header (IGC text is plain ASCII)
SITES = {"BRAUNEC": "Brauneck, Lenggries", "WALLBG": "Wallberg, Rottach-Egern",
         "HERZOG": "Herzogstand, Walchensee", "BLOMBG": "Blomberg, Bad Toelz",
         "KOESSEN": "Unterberg, Koessen", "IBITURU": "Ibituruna, Governador Valadares"}

DT = 5  # seconds between fixes; matches Trackinterval in setupdata
M_PER_DEG = 111320.0
MAX_IGC_BYTES = 20000


def thermal_kind(climb):
    """Thermal point kind 2..5 by average climb (weak .. strong)."""
    if climb < 1.5:
        return 2
    if climb < 2.2:
        return 3
    if climb < 3.0:
        return 4
    return 5


def simulate(fl, rng):
    """Fly one flight; return (fixes, thermals).

    fixes: [(seconds since midnight UTC, lat, lon, pressure alt, GNSS alt)]
    thermals: [(lat, lon, altitude where found, nominal climb)]
    """
    launch, landing = WP[fl.launch], WP.get(fl.landing) or LANDINGS[fl.landing]
    lat0, lon0 = launch.lat, launch.lon
    mx = M_PER_DEG * math.cos(math.radians(lat0))
    wind_to = math.radians(fl.wind_from + 180.0)
    wx, wy = fl.wind_speed * math.sin(wind_to), fl.wind_speed * math.cos(wind_to)
    lx, ly = (landing.lon - lon0) * mx, (landing.lat - lat0) * M_PER_DEG

    st = {"x": 0.0, "y": 0.0, "alt": float(launch.alt), "gerr": 0.0,
          "t": fl.start[0] * 3600 + fl.start[1] * 60 + fl.start[2]}
    fixes, thermals = [], []

    def noise(a):
        return rng.uniform(-a, a)

    def record(moving=True):
        h = 1.5 if moving else 0.8
        st["gerr"] = 0.7 * st["gerr"] + noise(1.8)
        x, y = st["x"] + noise(h), st["y"] + noise(h)
        fixes.append((st["t"], lat0 + y / M_PER_DEG, lon0 + x / mx,
                      int(round(st["alt"] + fl.qne + noise(0.6))),
                      int(round(st["alt"] + st["gerr"]))))
        st["t"] += DT

    def fly(heading_deg, sink, airspeed=None, floor=None):
        a = math.radians(heading_deg)
        v = airspeed if airspeed is not None else 9.8 + noise(0.5)
        st["x"] += (v * math.sin(a) + wx) * DT
        st["y"] += (v * math.cos(a) + wy) * DT
        st["alt"] -= (sink + noise(0.25)) * DT
        if floor is not None:
            st["alt"] = max(st["alt"], floor)
        record()

    def toward(tx, ty):
        return math.degrees(math.atan2(tx - st["x"], ty - st["y"]))

    def dist(tx, ty):
        return math.hypot(tx - st["x"], ty - st["y"])

    # on the launch, wing laid out; then take off
    for _ in range(4):
        record(moving=False)

    for step in fl.steps:
        if step[0] == "glide":
            _, heading, n = step
            for _ in range(n):
                fly(heading + noise(6), 1.2)
        else:
            _, climb, gain = step
            found = (lat0 + st["y"] / M_PER_DEG, lon0 + st["x"] / mx, st["alt"])
            thermals.append(found + (climb,))
            base, top = st["alt"], st["alt"] + gain
            r = 38.0 + noise(8)
            ang = rng.uniform(0, 2 * math.pi)
            cx, cy = st["x"] - r * math.sin(ang), st["y"] - r * math.cos(ang)
            while st["alt"] < top:
                frac = (st["alt"] - base) / gain
                # weaker at the bottom and near the top, strongest in between
                c = climb * (0.55 + 0.9 * math.sin(math.pi * min(frac, 1.0))) + noise(0.7)
                ang += fl.turn * math.radians(72 + noise(12))
                cx, cy = cx + wx * DT, cy + wy * DT
                st["x"], st["y"] = cx + r * math.sin(ang), cy + r * math.cos(ang)
                st["alt"] += c * DT
                record()

    # back to the landing field
    while dist(lx, ly) > 250:
        fly(toward(lx, ly) + noise(4), 1.25)
        if st["alt"] < landing.alt + 150:
            raise ValueError("flight %s: too low to reach %s; give it more height"
                             % (flight_name(fl), fl.landing))
    # lose the height left over the field (big ears / spiral)
    excess = st["alt"] - (landing.alt + 120)
    if excess > 0:
        sink = max(2.5, min(8.0, excess / (30 * DT)))
        a = 0.0
        while st["alt"] > landing.alt + 120:
            a += fl.turn * math.radians(60)
            st["x"] += (9.0 * math.sin(a) + wx) * DT
            st["y"] += (9.0 * math.cos(a) + wy) * DT
            st["alt"] -= (sink + noise(0.4)) * DT
            record()
    # downwind leg to a point 350 m downwind of the field, then final into wind
    wlen = math.hypot(wx, wy) or 1.0
    ax, ay = lx + wx / wlen * 350, ly + wy / wlen * 350
    while dist(ax, ay) > 60 and st["alt"] > landing.alt + 40:
        fly(toward(ax, ay), 1.1)
    while dist(lx, ly) > 12 and st["alt"] > landing.alt:
        v = 8.5
        h = math.radians(toward(lx, ly))
        gs = max(2.0, v + wx * math.sin(h) + wy * math.cos(h))
        steps_left = max(1.0, dist(lx, ly) / (gs * DT))
        sink = min(3.0, max(0.6, (st["alt"] - landing.alt) / (steps_left * DT)))
        fly(math.degrees(h), sink, airspeed=v, floor=float(landing.alt))
    if st["alt"] - landing.alt > 15:
        raise ValueError("flight %s: %d m too high at the field"
                         % (flight_name(fl), st["alt"] - landing.alt))
    st["alt"] = float(landing.alt)
    for _ in range(5):  # on the ground, packing up
        record(moving=False)
    return fixes, thermals


def fmt_coord(value, deg_digits, pos, neg):
    hemi = pos if value >= 0 else neg
    a = abs(value)
    d = int(a)
    m = int(round((a - d) * 60000))
    if m >= 60000:
        d, m = d + 1, m - 60000
    return "%0*d%05d%s" % (deg_digits, d, m, hemi)


def fmt_alt(a):
    return "%05d" % a if a >= 0 else "-%04d" % -a


def flight_name(fl):
    y, m, d = fl.date
    ext = "IGC" if fl.upper else "igc"
    return "FLIGHTS/%04d/%02d/%04d-%02d-%02d-ZIR-0001-%02d.%s" % (y, m, y, m, d, fl.num, ext)


def make_igc(fl, fixes):
    y, m, d = fl.date
    # Firmware 2.1 leaves the recorder's glider record empty: the pilot's O
    # record names the glider.
    firmware21 = y >= 2026
    lines = [
        "AZIR001 Zirkano 2.0",
        ("HFDTE%02d%02d%02d" % (d, m, y % 100) if fl.form == "old date"
         else "HFDTEDATE:%02d%02d%02d,%02d" % (d, m, y % 100, fl.num)),
        "HFFXA035",
        "HFPLTPILOTINCHARGE:" + PILOT,
        "HFCM2CREW2:NIL",
        "HFGTYGLIDERTYPE:" + ("" if firmware21 else GLIDER),
        "HFGIDGLIDERID:",
        "HFDTMGPSDATUM:WGS-1984",
        "HFRFWFIRMWAREVERSION:" + ("2.1.0" if firmware21 else "2.0.4"),
        "HFRHWHARDWAREVERSION:2.0",
        "HFFTYFRTYPE:Zirkano,2.0",
        "HFGPSRECEIVER:Zirkano,ZG-72,72ch,18000",
        "HFPRSPRESSALTSENSOR:Zirkano,ZB-1,9000",
        "HFTZNTIMEZONE:%s" % dict(SETUP_DATA)["Timeoffset"],
        "HFSITSITE:" + SITES[fl.launch],
        "HFCCLCOMPETITIONCLASS:" + COMP_CLASS,
    ] + pilot_records() + [
        "LZIRTRACKINTERVAL:%d" % DT,
    ]
    for t, lat, lon, palt, galt in fixes:
        hh, rest = divmod(t % 86400, 3600)
        mm, ss = divmod(rest, 60)
        lines.append("B%02d%02d%02d%s%sA%s%s" % (
            hh, mm, ss, fmt_coord(lat, 2, "N", "S"), fmt_coord(lon, 3, "E", "W"),
            fmt_alt(palt), fmt_alt(galt)))
    data = "".join(l + CRLF for l in lines).encode("ascii")
    if len(data) >= MAX_IGC_BYTES:
        raise ValueError("%s is %d bytes" % (flight_name(fl), len(data)))
    return data


# --------------------------------------------------------------------------
# WAYPOINTS/waypoints.skt
# --------------------------------------------------------------------------

# One record, 52 bytes, big-endian:
#   0- 3  longitude, float32, radians, negative = west
#   4- 7  latitude,  float32, radians, negative = south
#   8- 9  altitude, int16, metres
#  10-40  description, 31 bytes Windows-1252, NUL-padded (may fill all 31)
#  41-47  name, 7 bytes, NUL-padded (may fill all 7, may be empty)
#  48     kind: 0 deleted, 1 waypoint, 2..5 thermal points, others unknown
#  49-51  reserved, zero
RECORD = struct.Struct(">ffh31s7sB3x")
assert RECORD.size == 52


def pack_waypoint(place, kind):
    if place is None:
        return RECORD.pack(0.0, 0.0, 0, b"", b"", kind)
    desc = place.desc.encode(ENC)
    name = place.name.encode(ENC)
    if len(desc) > 31 or len(name) > 7 or not -32768 <= place.alt <= 32767:
        raise ValueError("waypoint %r does not fit" % (place,))
    return RECORD.pack(math.radians(place.lon), math.radians(place.lat),
                       place.alt, desc, name, kind)


def make_waypoints(thermals_by_flight):
    """The store in the order the pilot created the records."""
    recs = []
    wp = list(WP.values())
    th = []
    for fl, ths in thermals_by_flight:
        y, m, d = fl.date
        for lat, lon, alt, climb in ths:
            desc = "Thermik %.1f m/s %02d.%02d.%02d" % (climb, d, m, y % 100)
            th.append((Place("", desc.replace(".", ",", 1), lat, lon, int(round(alt))),
                       thermal_kind(climb)))
    dele = list(DELETED)

    def add_wp(n):
        for _ in range(n):
            recs.append(pack_waypoint(wp.pop(0), 1))

    def add_th(n):
        for _ in range(n):
            p, k = th.pop(0)
            recs.append(pack_waypoint(p, k))

    def add_del():
        recs.append(pack_waypoint(dele.pop(0), 0))

    add_wp(8); add_del(); add_wp(5); add_del(); add_th(3)
    add_wp(3); add_del(); add_th(2); recs.append(pack_waypoint(KIND7, 7))
    add_wp(2); add_del(); add_th(4); add_del(); add_wp(2); add_del(); add_th(len(th))
    assert not wp and not dele
    return b"".join(recs)


# --------------------------------------------------------------------------
# Putting it together
# --------------------------------------------------------------------------

EMPTY_DIRS = ["FLIGHTS/2026/04"]


def build():
    """Return ({relative path: bytes}, [empty dirs])."""
    rng = random.Random(SEED)
    files = {"SETUP/setupdata.txt": make_setupdata(),
             "SETUP/igcheader.txt": make_igcheader()}
    for name, data in make_language_files().items():
        files["SETUP/" + name] = data
    thermals_by_flight = []
    for fl in FLIGHTS:
        fixes, thermals = simulate(fl, rng)
        files[flight_name(fl)] = make_igc(fl, fixes)
        thermals_by_flight.append((fl, thermals))
    files["WAYPOINTS/waypoints.skt"] = make_waypoints(thermals_by_flight)
    later = random.Random(LATER_SEED)
    for fl in LATER_FLIGHTS:
        fixes = [] if fl.form == "no fixes" else simulate(fl, later)[0]
        files[flight_name(fl)] = make_igc(fl, fixes)
    return files, EMPTY_DIRS


def write_tree(out, files, empty_dirs):
    if os.path.isdir(out) and os.listdir(out) and \
            not os.path.isfile(os.path.join(out, "SETUP", "setupdata.txt")):
        sys.exit("refusing to write into non-empty %s: it holds no sample" % out)
    keep_dirs = {""}
    for rel in list(files) + empty_dirs:
        parts = rel.split("/")
        stop = len(parts) if rel in empty_dirs else len(parts) - 1
        for i in range(1, stop + 1):
            keep_dirs.add("/".join(parts[:i]))
    # remove what this script would not write (stale flights etc.)
    if os.path.isdir(out):
        for dirpath, dirnames, filenames in os.walk(out, topdown=False):
            rel_dir = os.path.relpath(dirpath, out).replace(os.sep, "/")
            rel_dir = "" if rel_dir == "." else rel_dir
            for fn in filenames:
                rel = (rel_dir + "/" + fn).lstrip("/")
                if rel not in files:
                    os.remove(os.path.join(dirpath, fn))
            for dn in dirnames:
                rel = (rel_dir + "/" + dn).lstrip("/")
                if rel not in keep_dirs:
                    shutil.rmtree(os.path.join(dirpath, dn))
    for rel, data in sorted(files.items()):
        path = os.path.join(out, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    for rel in empty_dirs:
        os.makedirs(os.path.join(out, *rel.split("/")), exist_ok=True)


# --------------------------------------------------------------------------
# A waypoint file to put onto the instrument (--task): a day's task around
# the Isarwinkel as a planner exports it, GPX 1.1 in UTF-8. Its points show
# every fate on page 9: one already in the store, long names shortened and
# made unique, a name outside Windows-1252, one without altitude, one far
# off the map, and one written twice.
# --------------------------------------------------------------------------

TASK_POINTS = [   # lat, lon, altitude (None: none), name, description
    (47.67712, 11.56681, 680, "LENGGR", "Landeplatz Lenggries"),
    (47.66380, 11.52700, 1530, "Brauneck Nordstart", ""),
    (47.66100, 11.53000, 1500, "Brauneck Südstart", "Startplatz Süd"),
    (47.71020, 11.61200, 1348, "Zwiesel", "Wendepunkt 1 & Zylinder 400 m"),
    (47.67100, 11.59800, None, "Geierstein", "Wendepunkt 2"),
    (47.63800, 11.65900, 1601, "Seekarkreuz", "Wendepunkt 3"),
    (50.73260, 14.98460, 1012, "Ještěd", "Ausflug nach Liberec"),
    (147.5, 11.7, 730, "Ziel Tegernsee", "Tippfehler in der Breite"),
    (47.71020, 11.61200, 1348, "Zwiesel", "Wendepunkt 1 & Zylinder 400 m"),
]


def make_task_gpx():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<gpx version="1.1" creator="Aufgabenplaner" xmlns="http://www.topografix.com/GPX/1/1">',
             '  <metadata><name>Aufgabe Isarwinkel</name></metadata>']
    for lat, lon, alt, name, desc in TASK_POINTS:
        lines.append('  <wpt lat="%.5f" lon="%.5f">' % (lat, lon))
        if alt is not None:
            lines.append('    <ele>%d</ele>' % alt)
        lines.append('    <name>%s</name>' % name)
        if desc:
            lines.append('    <desc>%s</desc>' % desc.replace('&', '&amp;'))
        lines.append('  </wpt>')
    lines.append('</gpx>')
    return ("\n".join(lines) + "\n").encode("utf-8")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(os.path.dirname(os.path.dirname(here)), "samples", "instrument")
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=default_out,
                    help="instrument root to write (default: %(default)s)")
    ap.add_argument("--task", help="write only the waypoint file of a task to this path")
    args = ap.parse_args()
    if args.task:
        with open(args.task, "wb") as f:
            f.write(make_task_gpx())
        print("wrote %s" % args.task)
        return
    files, empty_dirs = build()
    write_tree(args.out, files, empty_dirs)
    print("wrote %d files and %d empty folder(s) to %s"
          % (len(files), len(empty_dirs), args.out))


if __name__ == "__main__":
    main()
