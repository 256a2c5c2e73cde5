#!/usr/bin/env python3
"""The RIS and BibTeX filters against bibutils, another program that reads and writes both.

A generated library and a small one of harder cases (LIBRARY: suffixes, particles, an
organisation, characters the code page lacks, specials, dashes and quotes) go out through
cartcli --to ris and --to bibtex; bibutils' ris2xml and bib2xml must find every reference in
those files with the same title and authors. What bibutils' xml2ris and xml2bib write from the
same references must read back through cartcli into those titles and authors again. Skipped
(exit 77) when bibutils is not installed.

bibutils reads a few correct forms wrongly, which the harder library leaves out: "{\OE}" as
"\O" and "E", "{\textasciicircum}" as an arrowhead, and "{}" between two quotes or hyphens
as nothing.

usage: bibutils_peer_test.py CARTCLI REFGEN LIBRARY WORK_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

MODS = "{http://www.loc.gov/mods/v3}"
TOOLS = ["ris2xml", "bib2xml", "xml2ris", "xml2bib"]


def run(args, out=None):
    with open(out, "wb") if out else open(os.devnull, "wb") as sink:
        result = subprocess.run(args, stdout=sink, stderr=subprocess.PIPE)
    if result.returncode != 0:
        sys.exit("%s failed: %s" % (" ".join(args), result.stderr.decode(errors="replace")))


def tidy(text):
    """Blanks as one blank; an apostrophe as TeX prints it (bibutils reads ' as one)."""
    return " ".join(text.replace("\u2019", "'").split())


def name_key(words):
    """The words of a name, order, punctuation and the braces of an organisation's name
    aside; initials written together ("KW") count as one word each."""
    tokens = []
    for word in re.split(r"[\s.,{}]+", tidy(words)):
        if word.isupper() and word.isalpha() and len(word) <= 3:
            tokens.extend(word)
        elif word:
            tokens.append(word)
    return tuple(sorted(tokens))


def text_of(data):
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1252")


def refer_references(path):
    """(title, authors) of each reference of a refer file."""
    with open(path, "rb") as file:
        text = text_of(file.read())
    references = []
    for block in re.split(r"\r?\n\s*\r?\n", text):
        lines = block.splitlines()
        title = next((l[3:] for l in lines if l.startswith("%T ")), "")
        authors = tuple(name_key(l[3:]) for l in lines if l.startswith("%A "))
        if lines:
            references.append((tidy(title), authors))
    return sorted(references)


def mods_references(path):
    references = []
    for mods in ElementTree.parse(path).getroot().iter(MODS + "mods"):
        title = mods.find(MODS + "titleInfo/" + MODS + "title")
        authors = []
        for name in mods.findall(MODS + "name"):
            role = name.find(MODS + "role/" + MODS + "roleTerm")
            if role is None or role.text == "author":
                parts = [part.text or "" for part in name.findall(MODS + "namePart")]
                authors.append(name_key(" ".join(parts)))
        references.append((tidy(title.text or "") if title is not None else "", tuple(authors)))
    return sorted(references)


def compare(what, found, expected):
    missing = [r for r in expected if r not in found]
    if len(found) != len(expected) or missing:
        print("%s: %d references, %d expected; first not found: %s"
              % (what, len(found), len(expected), missing[:3]))
        return False
    print("%s: all %d references found" % (what, len(expected)))
    return True


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    if not all(shutil.which(tool) for tool in TOOLS):
        print("bibutils is not installed: skipped")
        return 77
    cartcli, refgen, library, work = sys.argv[1:]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    os.environ["CARTULAN_CONFIG"] = os.path.join(work, "settings")
    open(os.environ["CARTULAN_CONFIG"], "w").close()
    path = lambda name: os.path.join(work, name)
    run([refgen, "400", "11", path("generated.ref")])
    ok = True
    for source in (path("generated.ref"), library):
        print("== " + os.path.basename(source))
        run([cartcli, "convert", source, path("ours.ref")])
        ours = refer_references(path("ours.ref"))
        for form, reader, writer in (("ris", "ris2xml", "xml2ris"),
                                     ("bibtex", "bib2xml", "xml2bib")):
            run([cartcli, "convert", "--to", form, source, path("ours." + form)])
            run([reader, "-nt", path("ours." + form)], path(form + ".xml"))
            ok &= compare(reader + " of our " + form, mods_references(path(form + ".xml")), ours)
            run([writer, path(form + ".xml")], path("peer." + form))
            run([cartcli, "convert", "--from", form, path("peer." + form), path("peer.ref")])
            ok &= compare("our reading of " + writer, refer_references(path("peer.ref")), ours)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
