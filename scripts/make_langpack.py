#!/usr/bin/env python3
"""Builds resources/langpack.xml, the program's language pack, from the tables in
resources/lang/:

  languages.tsv  tag, English name, name in the language itself (the packs, in order)
  texts.tsv      id, comment for translators, English text (every id of the pack)
  <tag>.tsv      id, text: one file per language

Checks, each failing with a non-zero exit status:
  - the languages are exactly the expected tags in the expected order;
  - every language file holds every id of texts.tsv once and no other id;
  - eng.tsv matches the English column of texts.tsv;
  - a text is empty only where the English text is empty;
  - texts marked "[same in all languages]" are identical in every language;
  - leading and trailing blanks, a trailing "..." and the file patterns are kept.

  make_langpack.py          check and write resources/langpack.xml
  make_langpack.py --check  check, and also that resources/langpack.xml is up to date
  make_langpack.py --partial  while translating: languages without a file yet are left
                             out of the entries (they show the English text)
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANG_DIR = os.path.join(ROOT, "resources", "lang")
OUT = os.path.join(ROOT, "resources", "langpack.xml")

EXPECTED_TAGS = ["eng", "ara", "ind", "bel", "zhs", "deu", "spa", "ell", "fra",
                 "ita", "jpn", "kor", "hun", "nld", "pol", "rus", "tur", "ukr"]
SAME_MARK = "[same in all languages]"

errors = []


def fail(msg):
    errors.append(msg)


partial = False


def read_tsv(name, columns):
    path = os.path.join(LANG_DIR, name)
    if not os.path.exists(path):
        if not partial:
            fail(f"{name}: missing")
        return None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[0].startswith("\ufeff"):
        lines[0] = lines[0][1:]
    rows = []
    for n, line in enumerate(lines[1:], start=2):  # the first line names the columns
        line = line.rstrip("\r")
        if line == "":
            continue
        cells = line.split("\t")
        if len(cells) != columns:
            fail(f"{name}:{n}: {len(cells)} columns, expected {columns}")
            continue
        rows.append((n, cells))
    return rows


def blanks(text):
    return (len(text) - len(text.lstrip(" ")), len(text) - len(text.rstrip(" ")))


def check_text(tag, tid, english, text, same):
    where = f"{tag}.tsv: id {tid}"
    if same:
        if text != english:
            fail(f"{where}: must be the same in all languages: {english!r}, not {text!r}")
        return
    if english and not text.strip():
        fail(f"{where}: empty")
    if text != text.strip(" ") or english != english.strip(" "):
        if (blanks(text)[0] > 0) != (blanks(english)[0] > 0) or (blanks(text)[1] > 0) != (blanks(english)[1] > 0):
            fail(f"{where}: leading/trailing blank differs from English {english!r}: {text!r}")
    if english.endswith("...") and not text.endswith("..."):
        fail(f"{where}: must end with \"...\" like the English text")
    if "\t" in text or "\n" in text:
        fail(f"{where}: tab or line break in text")


def escape_text(text):
    out = text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    # The reader drops white space around element text; blanks that belong to the
    # text are written as character references.
    core = out.strip(" ")
    lead = len(out) - len(out.lstrip(" "))
    trail = len(out) - len(out.rstrip(" ")) if core else 0
    return "&#160;" * lead + core + "&#160;" * trail


def escape_attr(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;").replace('"', "&quot;")
            .replace("\n", "&#10;").replace("\r", "&#13;"))


def escape_comment(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def build():
    langs = read_tsv("languages.tsv", 3) or []
    tags = [c[0] for _, c in langs]
    if tags != EXPECTED_TAGS:
        fail(f"languages.tsv: tags {tags}, expected {EXPECTED_TAGS}")

    texts = read_tsv("texts.tsv", 3) or []
    ids, comments, english = [], {}, {}
    for n, (tid, comment, text) in texts:
        if not tid.isdigit():
            fail(f"texts.tsv:{n}: id {tid!r} is not a number")
        if tid in english:
            fail(f"texts.tsv:{n}: id {tid} twice")
            continue
        ids.append(tid)
        comments[tid] = comment
        english[tid] = text

    per_lang = {}
    for tag in tags:
        rows = read_tsv(f"{tag}.tsv", 2)
        if rows is None:
            continue
        table = {}
        for n, (tid, text) in rows:
            if tid not in english:
                fail(f"{tag}.tsv:{n}: unknown id {tid}")
            elif tid in table:
                fail(f"{tag}.tsv:{n}: id {tid} twice")
            else:
                table[tid] = text
        for tid in ids:
            if tid not in table:
                fail(f"{tag}.tsv: id {tid} missing")
                continue
            same = comments[tid].startswith(SAME_MARK) or tag == "eng"
            check_text(tag, tid, english[tid], table[tid], same)
        per_lang[tag] = table

    out = ["\ufeff<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
           "<!-- Made by scripts/make_langpack.py from resources/lang/*.tsv; edit those, not this file. -->",
           "<lang>", "<languages>"]
    for _, (tag, eng_name, true_name) in langs:
        out.append(f'<entry tagName="{escape_attr(tag)}" engName="{escape_attr(eng_name)}" '
                   f'trueName="{escape_attr(true_name)}"></entry>')
    out += ["</languages>", "<entries>"]
    for tid in ids:
        out.append(f'<entry id="{tid}">{escape_comment(comments[tid])}')
        for tag in tags:
            if tag not in per_lang:
                continue
            text = per_lang[tag].get(tid, "")
            out.append(f"  <{tag}>{escape_text(text)}</{tag}>")
        out.append("</entry>")
    out += ["</entries>", "</lang>", ""]
    return "\n".join(out).encode("utf-8")


def main(argv):
    global partial
    check_only = "--check" in argv[1:]
    partial = "--partial" in argv[1:] and not check_only
    data = build()
    if not errors and check_only:
        try:
            with open(OUT, "rb") as f:
                if f.read() != data:
                    fail("resources/langpack.xml is out of date: run scripts/make_langpack.py")
        except OSError:
            fail("resources/langpack.xml is missing: run scripts/make_langpack.py")
    if errors:
        for e in errors[:200]:
            print(e, file=sys.stderr)
        if len(errors) > 200:
            print(f"... and {len(errors) - 200} more", file=sys.stderr)
        return 1
    if not check_only:
        with open(OUT, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
