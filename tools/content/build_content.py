#!/usr/bin/env python3
"""Compiles the Italian texts of tools/content/ into the files the program
reads from its data directory: the attribution texts of OpzioneT\\, the
information messages and update instructions of Appoggio\\ and the
principles of Principi.txt.

Every output is a text file in Windows-1252 with CR LF line ends. Each
source line is checked against the width the program shows, so a text that
would be cut on screen stops the build with the line that is too long.

    tools/content/build_content.py [--data DIR] [--check]

--check compares the outputs with what is in DIR instead of writing them
(exit status 1 when a file differs).
"""

import argparse
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent

POINT_TEXT_CODES = ["So", "Lu", "Me", "Ve", "Ma", "Gi", "Sa", "Nn", "Ns", "As", "Mc"]
SIGN_TEXT_CODES = ["Ar", "To", "Ge", "Cn", "Le", "Ve", "Bi", "Sc", "Sa", "Cp", "Aq", "Pe"]
SHEET_POINTS = ["Sole", "Luna", "Merc", "Vene", "Mart", "Giov", "Satu", "NNor", "NSud"]

# Characters the texts may use: Windows-1252 printable text without the
# control characters; '#' is kept out of the messages (it separates them).
ALLOWED = re.compile(r"^[\x20-\x7e\u00a0-\u00ff\u2019\u201c\u201d\u2013\u2014\u20ac]*$")


class ContentError(Exception):
    pass


def fail(source, number, message):
    raise ContentError("%s, riga %d: %s" % (source, number, message))


def read_tsv(path, columns=2):
    """Rows of a tab-separated source; '#' starts a comment line."""
    rows = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        parts = line.split("\t")
        if len(parts) != columns:
            fail(path.name, number, "attese %d colonne separate da tabulazione" % columns)
        if not ALLOWED.match(line.replace("\t", " ")):
            fail(path.name, number, "carattere non rappresentabile")
        rows.append((number, [p.rstrip() for p in parts]))
    return rows


def check_width(path, number, text, width):
    if len(text) > width:
        fail(path.name, number, "testo di %d caratteri, al massimo %d: %r" % (len(text), width, text))
    if not text:
        fail(path.name, number, "testo vuoto")


def general_lines(path, codes, kind):
    """Code, a blank and the text from the fourth character (at most 80)."""
    lines = []
    for number, (code, text) in read_tsv(path):
        if code not in codes:
            fail(path.name, number, "codice di %s sconosciuto %r" % (kind, code))
        check_width(path, number, text, 80)
        lines.append(code + " " + text)
    return lines


def point_specific(path):
    """Key in columns 1-21, text from column 22. Keys of four characters
    (decades) show 70 characters in the subdivision lists; every other key
    60 (the attribution panel and the sheets)."""
    entries = []
    seen = set()
    for number, (key, text) in read_tsv(path):
        if len(key) not in (4, 6, 8) or " " in key:
            fail(path.name, number, "chiave di 4, 6 o 8 caratteri attesa, trovata %r" % key)
        if key in seen:
            fail(path.name, number, "chiave ripetuta %r" % key)
        seen.add(key)
        check_width(path, number, text, 70 if len(key) == 4 else 60)
        if len(key) in (4, 6):
            check_accord(path, number, key, text)
        else:
            check_header_spelling(path, number, text)
        entries.append((key, text))
    return entries


# How each point is written at the head of its term, decade and aspect texts:
# always the same label, so one planet never appears under two spellings.
POINT_LABELS = {"Sole": "Sole", "Luna": "Luna", "Merc": "Merc.", "Vene": "Ven.", "Mart": "Marte", "Giov": "Giove",
                "Satu": "Sat.", "NNor": "N.Nord", "NSud": "N.Sud", "Asce": "Asc.", "Mcie": "MC"}
DECADE_POINTS = {"SO": "Sole", "LU": "Luna", "ME": "Merc", "VE": "Vene", "MA": "Mart", "GI": "Giov", "SA": "Satu",
                 "NN": "NNor", "NS": "NSud", "AS": "Asce", "MC": "Mcie"}
# Temperament of each planet (c caldo, f freddo, u umido, s secco); the North
# Node has the nature of Jupiter and Venus, the South Node that of Saturn and Mars.
TEMPERAMENTS = {"Sole": "cs", "Luna": "fu", "Mercurio": "s", "Venere": "cu", "Marte": "cs", "Giove": "cu",
                "Saturno": "fs", "NNor": "cu", "NSud": "fs"}
PLANET_NAMES = {"Sole": "Sole", "Luna": "Luna", "Merc": "Mercurio", "Vene": "Venere", "Mart": "Marte",
                "Giov": "Giove", "Satu": "Saturno", "NNor": "NNor", "NSud": "NSud"}
FEMININE = {"Luna", "Vene"}


def accord(point, ruler):
    """The accord of a point with the ruler of its term or decade: the same
    planet is strengthened, the same temperament concordant, one quality in
    common tempered, none in contrast; the angles have no temperament."""
    if point not in PLANET_NAMES:
        return "neutro"
    planet = PLANET_NAMES[point]
    ending = "a" if point in FEMININE else "o"
    if planet == ruler:
        return "rafforzat" + ending
    mine, theirs = set(TEMPERAMENTS[planet]), set(TEMPERAMENTS[ruler])
    common = mine & theirs
    if common == mine == theirs:
        return "concorde"
    return "temperat" + ending if common else "in contrasto"


TERM_TEXT = re.compile(r"^(\S+) T(\d\d), (Saturno|Giove|Marte|Venere|Mercurio): ([a-z ]+); \S")
DECADE_TEXT = re.compile(r"^(\S+) ([123])ª (\w+), (\w+): ([a-z ]+); \S")


def check_accord(path, number, key, text):
    """Every term and decade text opens with the point, the ruler and their
    accord, in one fixed header."""
    if len(key) == 6:
        point, match = key[:4], TERM_TEXT.match(text)
        shape = "PUNTO Tnn, GOVERNATORE: ACCORDO; testo"
    else:
        point, match = DECADE_POINTS.get(key[:2]), DECADE_TEXT.match(text)
        shape = "PUNTO nª SEGNO, GOVERNATORE: ACCORDO; testo"
    if point not in POINT_LABELS or not match:
        fail(path.name, number, "attesa la forma %r, trovato %r" % (shape, text))
    label, ruler, said = match.group(1), match.groups()[-2], match.groups()[-1]
    if label != POINT_LABELS[point]:
        fail(path.name, number, "il punto si scrive %r, trovato %r" % (POINT_LABELS[point], label))
    if said != accord(point, ruler):
        fail(path.name, number, "accordo %r, atteso %r" % (said, accord(point, ruler)))


# Spellings a header must not use for a point: each point has its label only.
OTHER_SPELLINGS = ("Mercurio", "Venere", "Saturno", "Nodo N.", "Nodo S.", "Ascendente", "Mediocielo")
ASPECT_NAMES = ("Congiunzione", "Opposizione", "Quadrato", "Trigono", "Sestile")


def check_header_spelling(path, number, text):
    """A decan or mirror text opens with the point's label; an aspect text
    with the aspect's full name and the two labels."""
    header = text.split(": ", 1)[0]
    if header.startswith(OTHER_SPELLINGS):
        fail(path.name, number, "il punto va scritto con la sua sigla (%s): %r" % (", ".join(POINT_LABELS.values()), text))
    first = header.split(" ", 1)[0]
    if first in ("Congiunz.", "Opposizi."):
        fail(path.name, number, "l'aspetto va scritto per intero: %r" % text)
    if first in ASPECT_NAMES and " " in header:
        for point in header.split(" ", 1)[1].split("-"):
            if point not in POINT_LABELS.values():
                fail(path.name, number, "il punto %r va scritto con la sua sigla" % point)


def check_plant_lists(path, kind):
    """The plants a general text names carry that planet in their primary
    signature, or that sign in their zodiacal one, in the remedy database."""
    plants = {}
    for line in (HERE / "remedies" / "piante.tsv").read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            cells = line.split("\t")
            plants[cells[0].lower()] = cells[4] if kind == "punto" else cells[6]
    names = {"So": "Sole", "Lu": "Luna", "Me": "Mercurio", "Ve": "Venere", "Ma": "Marte", "Gi": "Giove",
             "Sa": "Saturno"} if kind == "punto" else {
             "Ar": "Ariete", "To": "Toro", "Ge": "Gemelli", "Cn": "Cancro", "Le": "Leone", "Ve": "Vergine",
             "Bi": "Bilancia", "Sc": "Scorpione", "Sa": "Sagittario", "Cp": "Capricorno", "Aq": "Acquario",
             "Pe": "Pesci"}
    for number, (code, text) in read_tsv(path):
        if not text.startswith("Piante ") or code not in names:
            continue
        for plant in text.split(": ", 1)[1].rstrip(".").split(", "):
            signature = plants.get(plant)
            if signature is None:
                fail(path.name, number, "la pianta %r non è nella banca dati dei rimedi" % plant)
            if names[code] not in signature:
                fail(path.name, number, "%r ha la segnatura %r, non %s" % (plant, signature, names[code]))


def sign_specific(path):
    lines = []
    for number, (key, text) in read_tsv(path):
        if len(key) != 7 or key[:2] not in SIGN_TEXT_CODES or key[2:4] not in ("An", "Ca"):
            fail(path.name, number, "chiave di segno di 7 caratteri attesa, trovata %r" % key)
        check_width(path, number, text, 50)
        lines.append(key.ljust(20) + text)
    return lines


def messages(path):
    """A Markdown source with one '## n' heading per message, numbered from 1
    without gaps. Each message becomes a block after a line with '#'."""
    blocks = {}
    current = None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        heading = re.match(r"^## (\d+)\b", line)
        if heading:
            current = int(heading.group(1))
            if current in blocks:
                fail(path.name, number, "messaggio %d ripetuto" % current)
            blocks[current] = []
            continue
        if current is None:
            continue
        if "#" in line:
            fail(path.name, number, "il carattere '#' separa i messaggi e non può stare nel testo")
        if not ALLOWED.match(line):
            fail(path.name, number, "carattere non rappresentabile")
        if len(line) > 40:
            fail(path.name, number, "riga di %d caratteri, al massimo 40" % len(line))
        blocks[current].append(line)
    numbers = sorted(blocks)
    if numbers != list(range(1, len(numbers) + 1)):
        raise ContentError("%s: i messaggi devono essere numerati da 1 senza lacune" % path.name)
    out = []
    for n in numbers:
        body = blocks[n]
        while body and not body[-1].strip():
            body.pop()
        while body and not body[0].strip():
            body.pop(0)
        if not body:
            raise ContentError("%s: il messaggio %d è vuoto" % (path.name, n))
        out.append("#%02d" % n)
        out.extend(body)
    out.append("#FINE")
    return out


def plain_text(path, width):
    """A Markdown-free text kept as it is written, line by line."""
    lines = path.read_text(encoding="utf-8").splitlines()
    for number, line in enumerate(lines, 1):
        if not ALLOWED.match(line):
            fail(path.name, number, "carattere non rappresentabile")
        if len(line) > width:
            fail(path.name, number, "riga di %d caratteri, al massimo %d" % (len(line), width))
    while lines and not lines[-1].strip():
        lines.pop()
    return lines


def principles(path):
    """Fifteen groups of five lines, blank lines between groups; each line at
    most 40 characters (the archive keeps 40)."""
    groups = [g for g in re.split(r"\n\s*\n", path.read_text(encoding="utf-8").strip()) if g.strip()]
    groups = [g for g in groups if not g.lstrip().startswith("#")]
    if len(groups) != 15:
        raise ContentError("%s: attesi 15 gruppi, trovati %d" % (path.name, len(groups)))
    out = []
    for k, group in enumerate(groups, 1):
        lines = group.splitlines()
        if len(lines) != 5:
            raise ContentError("%s: il gruppo %d ha %d righe invece di 5" % (path.name, k, len(lines)))
        for line in lines:
            if len(line) > 40 or not ALLOWED.match(line):
                raise ContentError("%s: gruppo %d, riga troppo lunga o non rappresentabile: %r" % (path.name, k, line))
        out.extend(lines)
    return out


def encode(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def outputs():
    t = HERE / "testi"
    check_plant_lists(t / "punti_generali.tsv", "punto")
    check_plant_lists(t / "segni_generali.tsv", "segno")
    specific = point_specific(t / "punti_specifici.tsv")
    sheet = [(k, x) for k, x in specific if len(k) == 6 and k[:4] in SHEET_POINTS]
    files = {
        "OpzioneT/SpgPian.txt": general_lines(t / "punti_generali.tsv", POINT_TEXT_CODES, "punto"),
        "OpzioneT/SpgPianSpe.Txt": [k.ljust(21) + x for k, x in specific],
        "OpzioneT/SpgPianCan.Txt": [k.ljust(21) + x for k, x in sheet],
        "OpzioneT/SpgSegni.txt": general_lines(t / "segni_generali.tsv", SIGN_TEXT_CODES, "segno"),
        "OpzioneT/SpgSegnSpe.txt": sign_specific(t / "segni_specifici.tsv"),
        "Appoggio/Messaggi.txt": messages(HERE / "messaggi.md"),
        "Appoggio/Aggiorna1.txt": plain_text(HERE / "aggiornamenti" / "aggiorna1.txt", 70),
        "Appoggio/Aggiorna2.txt": plain_text(HERE / "aggiornamenti" / "aggiorna2.txt", 70),
        "Principi.txt": principles(HERE / "principi.txt"),
    }
    return {name: encode(lines) for name, lines in files.items()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", type=pathlib.Path, default=ROOT / "data")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    try:
        built = outputs()
    except (ContentError, OSError) as error:
        print("errore: %s" % error, file=sys.stderr)
        return 2
    differing = []
    for name, data in built.items():
        target = args.data / name
        if args.check:
            if not target.exists() or target.read_bytes() != data:
                differing.append(name)
            continue
        target.parent.mkdir(parents=True, exist_ok=True)
        temporary = target.with_name(target.name + ".tmp")
        temporary.write_bytes(data)
        temporary.replace(target)
    if differing:
        print("da ricompilare: " + ", ".join(differing), file=sys.stderr)
        return 1
    if not args.check:
        print("scritti %d file in %s" % (len(built), args.data))
    return 0


if __name__ == "__main__":
    sys.exit(main())
