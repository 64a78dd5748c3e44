#!/usr/bin/env python3
"""Installs the build into a temporary prefix and checks the installed tree: every file the
desktop and man need is there, the desktop entry, metadata and icon agree on one name and on
the version, the man pages render without warnings and the installed batch companion runs.

Usage: check_install_tree.py BUILD_DIR APP_ID VERSION
"""
import pathlib
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree


def expected_files(app_id):
    return [
        "bin/quorvel",
        "bin/quorvel-cli",
        f"share/applications/{app_id}.desktop",
        f"share/metainfo/{app_id}.metainfo.xml",
        f"share/icons/hicolor/scalable/apps/{app_id}.svg",
        f"share/icons/hicolor/48x48/apps/{app_id}.png",
        f"share/icons/hicolor/128x128/apps/{app_id}.png",
        "share/man/man1/quorvel.1",
        "share/man/man1/quorvel-cli.1",
        "share/doc/quorvel/copyright",
    ]


def png_size(path):
    header = path.read_bytes()[:24]
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")


def desktop_entry(path):
    entry = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        key, sep, value = line.partition("=")
        if sep:
            entry[key] = value
    return entry


def problems(prefix, app_id, version):
    missing = [name for name in expected_files(app_id) if not (prefix / name).is_file()]
    if missing:
        yield from (f"missing {name}" for name in missing)
        return
    icons = prefix / "share/icons/hicolor"
    for size in (48, 128):
        path = icons / f"{size}x{size}/apps/{app_id}.png"
        if path.is_file() and png_size(path) != (size, size):
            yield f"{path.relative_to(prefix)} is {png_size(path)}, not {size} x {size} pixels"

    entry = desktop_entry(prefix / f"share/applications/{app_id}.desktop")
    if entry.get("Icon") != app_id:
        yield f"the desktop entry's icon is {entry.get('Icon')!r}, not {app_id!r}"
    if not (prefix / "bin" / entry.get("Exec", "").split(" ")[0]).is_file():
        yield f"the desktop entry runs {entry.get('Exec')!r}, which is not installed in bin"

    metainfo = ElementTree.parse(prefix / f"share/metainfo/{app_id}.metainfo.xml").getroot()
    if metainfo.findtext("id") != app_id:
        yield f"the metadata id is {metainfo.findtext('id')!r}"
    if metainfo.findtext("launchable") != f"{app_id}.desktop":
        yield f"the metadata launches {metainfo.findtext('launchable')!r}"
    releases = [release.get("version") for release in metainfo.iter("release")]
    if version not in releases:
        yield f"the metadata's releases {releases} lack version {version}"
    categories = [category.text for category in metainfo.iter("category")]
    if categories != entry.get("Categories", "").rstrip(";").split(";"):
        yield f"the metadata's categories {categories} differ from the desktop entry's"

    for page in ("quorvel.1", "quorvel-cli.1"):
        render = subprocess.run(["groff", "-man", "-ww", "-z", str(prefix / "share/man/man1" / page)],
                                capture_output=True, text=True)
        if render.returncode != 0 or render.stderr:
            yield f"{page} renders with warnings: {render.stderr.strip()}"

    start = subprocess.run([str(prefix / "bin/quorvel-cli"), "start", "--year", "2024"],
                           capture_output=True, text=True)
    if start.returncode != 0 or f"Welcome to Quorvel Version {version}" not in start.stdout:
        yield f"the installed quorvel-cli start failed ({start.returncode}): {start.stderr.strip()}"


def main():
    build, app_id, version = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as temporary:
        prefix = pathlib.Path(temporary)
        subprocess.run(["cmake", "--install", build, "--prefix", str(prefix)], check=True,
                       stdout=subprocess.DEVNULL)
        found = list(problems(prefix, app_id, version))
    for line in found:
        print(line)
    print(f"{len(found)} problems in the installed tree")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
