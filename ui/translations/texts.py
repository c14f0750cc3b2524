#!/usr/bin/python3
"""The Japanese texts of the window program and the command line, for their translations.

The windows' texts are UTF-8 string literals in the models (engine/, main/, tools/) and in the
layout tables of ui/, and the command line's captions are in cli/; below ui/ no Qt marks them,
so lupdate cannot find them. This script reads
every such literal that holds a Japanese letter (kana or kanji; units such as "℃" or "゜C" and
numbers hold none and stay as they are) and

  texts.py list ROOT                 prints them, one JSON string a line
  texts.py cpp ROOT OUT              writes them as QT_TRANSLATE_NOOP("toluvek", ...) entries
                                     into OUT, which lupdate reads
  texts.py check ROOT TS             fails unless TS gives every text a finished translation,
                                     and holds no text that no longer occurs (run by ctest)
  texts.py table TS OUT              writes TS's translations into OUT as C++ initialisers
                                     {"Japanese", "English"}, sorted by the Japanese text's
                                     UTF-8 bytes, for the command line, which has no Qt

Adjacent literals are joined, as the compiler joins them. Comments are skipped. The clipboard
report (main/report.cpp) is left out: it is a record of a calculation, written in Japanese.
"""

import json
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

CONTEXT = "toluvek"
FOLDERS = ("engine", "main", "tools", "ui", "cli")
LEFT_OUT = {"main/report.cpp"}
# Named in its own language, the same in every translation: the Help menu's choice of language.
KEPT = {"日本語 / English", "日本語"}


def is_japanese_letter(character):
    code = ord(character)
    return (0x3041 <= code <= 0x3096 or  # hiragana
            0x30A1 <= code <= 0x30FA or 0x30FC == code or  # katakana, prolonged sound mark
            0x3400 <= code <= 0x4DBF or 0x4E00 <= code <= 0x9FFF or  # kanji
            0xFF66 <= code <= 0xFF9D)  # half-width katakana (not the voicing marks ﾞ ﾟ)


def has_japanese_letter(text):
    return any(is_japanese_letter(c) for c in text)


PREFIXES = ("", "u8", "u", "U", "L", "R", "u8R", "uR", "UR", "LR")
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", "\"": "\"", "'": "'", "0": "\0",
           "?": "?", "a": "\a", "b": "\b", "f": "\f", "v": "\v"}


def literals(source):
    """The string literals of a C++ source, adjacent ones joined, comments skipped."""
    found = []
    current = None  # the literal being joined, while only blanks and comments follow it
    i, n = 0, len(source)
    while i < n:
        c = source[i]
        if source.startswith("//", i):
            i = source.find("\n", i)
            i = n if i < 0 else i
            continue
        if source.startswith("/*", i):
            end = source.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        if c == "'":  # a character literal, or a digit separator (1'000)
            if i > 0 and source[i - 1].isalnum() and source[i - 1] not in "uUL":
                i += 1
                continue
            i += 1
            while i < n and source[i] != "'":
                i += 2 if source[i] == "\\" else 1
            i += 1
            continue
        if c == '"':
            # An encoding prefix (u8, u, U, L) and a raw marker belong to the literal.
            j = i
            while j > 0 and (source[j - 1].isalnum() or source[j - 1] == "_"):
                j -= 1
            prefix = source[j:i]
            if prefix not in PREFIXES:
                prefix = ""
            if prefix.endswith("R"):
                open_paren = source.index("(", i)
                delimiter = source[i + 1:open_paren]
                close = source.index(")" + delimiter + '"', open_paren)
                text = source[open_paren + 1:close]
                i = close + len(delimiter) + 2
            else:
                text, i = unescape(source, i + 1)
            while i < n and (source[i].isalnum() or source[i] == "_"):  # a suffix: _s, sv
                i += 1
            current = text if current is None else current + text
            continue
        if c.isspace():
            i += 1
            continue
        if c.isalpha():
            # An encoding prefix right before a quote continues the literal being joined.
            j = i
            while j < n and (source[j].isalnum() or source[j] == "_"):
                j += 1
            if j < n and source[j] == '"' and source[i:j] in PREFIXES:
                i = j
                continue
        if current is not None:
            found.append(current)
            current = None
        i += 1
    if current is not None:
        found.append(current)
    return found


def unescape(source, i):
    """The text of a literal whose first character is at i, and the index after its quote."""
    text = []
    while source[i] != '"':
        if source[i] == "\\":
            escape = source[i + 1]
            if escape in ESCAPES:
                text.append(ESCAPES[escape])
                i += 2
            elif escape == "x":
                j = i + 2
                while source[j] in "0123456789abcdefABCDEF":
                    j += 1
                text.append(chr(int(source[i + 2:j], 16)))
                i = j
            else:
                raise ValueError("unknown escape \\" + escape)
        else:
            text.append(source[i])
            i += 1
    return "".join(text), i + 1


def texts(root):
    """Every Japanese text of the window program, once each, in the order first found."""
    root = pathlib.Path(root)
    seen = {}
    for folder in FOLDERS:
        for path in sorted((root / folder).rglob("*")):
            relative = path.relative_to(root).as_posix()
            if path.suffix not in (".cpp", ".hpp") or relative in LEFT_OUT:
                continue
            if relative.startswith("ui/artwork/"):
                continue  # the painters of the documentation's pictures
            for text in literals(path.read_text(encoding="utf-8")):
                if has_japanese_letter(text) and text not in KEPT:
                    seen.setdefault(text, relative)
    return list(seen)


def cpp_literal(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return '"' + escaped + '"'


def write_cpp(root, out):
    lines = ["// Made by ui/translations/texts.py for lupdate; not compiled.",
             "static const char* const kTexts[] = {"]
    lines += ["    QT_TRANSLATE_NOOP(\"%s\", %s)," % (CONTEXT, cpp_literal(t)) for t in texts(root)]
    lines.append("};")
    content = "\n".join(lines) + "\n"
    out = pathlib.Path(out)
    if not out.exists() or out.read_text(encoding="utf-8") != content:
        out.write_text(content, encoding="utf-8")


def check(root, ts):
    """The faults of the translation file TS; empty when it is complete."""
    wanted = set(texts(root))
    faults = []
    translated = set()
    for context in ElementTree.parse(ts).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source")
            translation = message.find("translation")
            kind = translation.get("type") if translation is not None else "missing"
            # A translation with shorter forms for tight places holds each as a length variant.
            forms = [] if translation is None else (
                [v.text or "" for v in translation.iter("lengthvariant")] or [translation.text or ""])
            if name != CONTEXT:
                faults.append("in another context %r: %r" % (name, source))
            elif kind in ("unfinished", "missing") or not all(f.strip() for f in forms):
                faults.append("not translated: %r" % source)
            elif kind in ("obsolete", "vanished") or source not in wanted:
                faults.append("no longer in the program: %r" % source)
            elif any(has_japanese_letter(f) for f in forms):
                faults.append("Japanese left in the translation of %r" % source)
            translated.add(source)
    faults += ["missing from %s: %r" % (ts, t) for t in sorted(wanted - translated)]
    return faults


def translations(ts):
    """(source, translation) of every finished message of TS; of a translation with shorter
    forms, the full one."""
    pairs = []
    for message in ElementTree.parse(ts).getroot().iter("message"):
        translation = message.find("translation")
        if translation is None or translation.get("type") in ("unfinished", "obsolete",
                                                              "vanished"):
            continue
        forms = [v.text or "" for v in translation.iter("lengthvariant")] or [translation.text or ""]
        pairs.append((message.findtext("source"), forms[0]))
    return pairs


def write_table(ts, out):
    pairs = sorted(translations(ts), key=lambda pair: pair[0].encode("utf-8"))
    lines = ["// Made by ui/translations/texts.py from %s." % pathlib.Path(ts).name]
    lines += ["{%s, %s}," % (cpp_literal(source), cpp_literal(english)) for source, english in pairs]
    content = "\n".join(lines) + "\n"
    out = pathlib.Path(out)
    if not out.exists() or out.read_text(encoding="utf-8") != content:
        out.write_text(content, encoding="utf-8")


def main(argv):
    if len(argv) == 3 and argv[1] == "list":
        for text in texts(argv[2]):
            print(json.dumps(text, ensure_ascii=False))
        return 0
    if len(argv) == 4 and argv[1] == "cpp":
        write_cpp(argv[2], argv[3])
        return 0
    if len(argv) == 4 and argv[1] == "table":
        write_table(argv[2], argv[3])
        return 0
    if len(argv) == 4 and argv[1] == "check":
        faults = check(argv[2], argv[3])
        for fault in faults:
            print(fault)
        print("%d texts, %d faults" % (len(texts(argv[2])), len(faults)))
        return 1 if faults else 0
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
