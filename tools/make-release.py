#!/usr/bin/env python3
"""Puts the release zip together: Quorlan.exe, README.txt, LICENSE, THIRD-PARTY-NOTICES.txt
and SHA256SUMS, with every time stamp and attribute fixed, so that one commit always packs to
the same bytes.

Usage: make-release.py EXE VERSION BUILD_FOLDER OUTPUT_ZIP   (SOURCE_DATE_EPOCH in the
environment gives the files' time)."""

import hashlib
import os
import sys
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def windows_text(text, bom=False):
    body = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
    return (b"\xef\xbb\xbf" if bom else b"") + body


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def notices(build):
    """The notices of everything linked into the exe, from the sources the build used."""
    parts = [
        ("libjpeg-turbo (JPEG writing)",
         "This software is based in part on the work of the Independent JPEG Group.\n\n"
         + read(os.path.join(build, "libjpeg-turbo", "notices", "LICENSE.md")) + "\n"
         + read(os.path.join(build, "libjpeg-turbo", "notices", "README.ijg"))),
        ("ISA-L, Intel(R) Intelligent Storage Acceleration Library (PNG compression)",
         read(os.path.join(build, "isa-l", "notices", "LICENSE"))),
        ("Tesseract OCR (text recognition)",
         "Copyright 1988-1995 Hewlett Packard Company.\n"
         "Copyright 2006-2019 Google Inc.\n"
         "Licensed under the Apache License, Version 2.0; its authors and the licence follow.\n\n"
         + read(os.path.join(build, "tesseract", "notices", "AUTHORS")) + "\n"
         + read(os.path.join(build, "tesseract", "notices", "LICENSE"))),
        ("Leptonica (image handling for text recognition)",
         read(os.path.join(build, "leptonica", "notices", "leptonica-license.txt"))),
        ("Tesseract's trained data for Japanese and English (tessdata_fast, as packaged by "
         "Debian: tesseract-ocr-jpn, tesseract-ocr-eng)",
         "Copyright 1988-1995 Hewlett Packard Company.\n"
         "Copyright 2006-2022 Google Inc.\n"
         "Licensed under the Apache License, Version 2.0 (its text is given above, with "
         "Tesseract OCR).\n\n"
         + read("/usr/share/doc/tesseract-ocr-jpn/copyright")),
        ("MinGW-w64 runtime and winpthreads (as packaged by Debian)",
         read("/usr/share/doc/mingw-w64-common/copyright")),
        ("GCC runtime libraries: libgcc and libstdc++ (GPL 3 with the GCC Runtime Library "
         "Exception; as packaged by Debian)",
         read("/usr/share/doc/gcc-mingw-w64-base/copyright")),
    ]
    text = ("Quorlan.exe is built with the following software, whose notices follow in full.\n"
            "Quorlan.exe には次のソフトウェアが含まれています。各ソフトウェアの著作権表示と\n"
            "ライセンスを以下に示します。\n\n")
    for name, body in parts:
        rule = "=" * 78
        text += f"{rule}\n{name}\n{rule}\n\n{body.rstrip()}\n\n"
    return text


def main():
    exe, version, build, output = sys.argv[1:5]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip holds no time before 1980
    with open(exe, "rb") as f:
        program = f.read()
    files = {
        "Quorlan.exe": program,
        "README.txt": windows_text(read(os.path.join(ROOT, "packaging", "README.txt"))
                                   .replace("@VERSION@", version), bom=True),
        "LICENSE": windows_text(read(os.path.join(ROOT, "LICENSE"))),
        "THIRD-PARTY-NOTICES.txt": windows_text(notices(build), bom=True),
    }
    sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n"
                   for name, data in sorted(files.items()))
    files["SHA256SUMS"] = sums.encode("ascii")
    folder = f"Quorlan-{version}"
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with zipfile.ZipFile(output, "w") as archive:
        for name in ["Quorlan.exe", "README.txt", "LICENSE", "THIRD-PARTY-NOTICES.txt",
                     "SHA256SUMS"]:
            info = zipfile.ZipInfo(f"{folder}/{name}", date_time=stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # no Unix owner or mode
            info.external_attr = 0
            archive.writestr(info, files[name], compresslevel=9)
    for name in ["Quorlan.exe", "README.txt", "LICENSE", "THIRD-PARTY-NOTICES.txt",
                 "SHA256SUMS"]:
        print(f"  {len(files[name]):>9} bytes  {name}")
    print(sums, end="")


main()
