#!/usr/bin/env python3
"""Writes the batch companion's man page from its template and the program's own --help,
so that the page lists exactly the commands and options the installed program knows.

Usage: cli_man_page.py QUORVEL_CLI TEMPLATE OUTPUT
"""
import re
import subprocess
import sys

COMMAND = re.compile(r"^  ([a-z][a-z-]*) +(.*)$")
OPTION = re.compile(r"^  (--[a-z-]+)(?: (\S+))? +(.*)$")


def roff(text):
    """Escapes text for a man page line: backslashes, hyphens, and a leading dot or quote."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def sections(help_text):
    commands, options, current = [], [], None
    for line in help_text.splitlines():
        if line == "Commands:":
            current = commands
        elif line == "Options:":
            current = options
        elif current is commands and COMMAND.match(line):
            name, summary = COMMAND.match(line).groups()
            commands.append(f".TP\n.B {roff(name)}\n{roff(summary)}")
        elif current is options and OPTION.match(line):
            name, value, summary = OPTION.match(line).groups()
            usage = f'.BI "{roff(name)} " "{roff(value)}"' if value else f".B {roff(name)}"
            options.append(f".TP\n{usage}\n{roff(summary)}")
        elif current is not None and line.strip():
            sys.exit(f"cli_man_page.py: cannot read this --help line: {line!r}")
    if not commands or not options:
        sys.exit("cli_man_page.py: no commands or options found in the --help text")
    return "\n".join(commands), "\n".join(options)


def main():
    cli, template, output = sys.argv[1:4]
    help_text = subprocess.run([cli, "--help"], check=True, capture_output=True, text=True).stdout
    commands, options = sections(help_text)
    with open(template, encoding="utf-8") as source:
        page = source.read()
    page = page.replace("%COMMANDS%", commands).replace("%OPTIONS%", options)
    with open(output, "w", encoding="utf-8") as target:
        target.write(page)


if __name__ == "__main__":
    main()
