#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

Seeds come from what the tests feed the agent: the outputs of every router of
the lab files (examples/ and tests/data/labs/), the router outputs kept as
files (tests/data/outputs/) or spelt out in the collector cases
(tests/data/agent-steps.json) and the agent tests, and the lab files
themselves.
Each seed is named after a digest of its bytes, so running the script again
gives the same files.

    scripts/fuzz-seeds.py [--labgen PATH]   (PATH: a built quillon-labgen,
                                             to add a small generated router)
"""

import argparse
import glob
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
MAX_SEED = 64 * 1024

# Which parse steps read the answer to each command.
COMMAND_TARGETS = {
    "show clns protocol": ["interface_list", "service_id"],
    "show clns interface": ["clns_interface"],
    "show run": ["transmit_intervals"],
    "show isis neighbors detail": ["isis_neighbors"],
    "show clns is-neighbors detail": ["clns_neighbors"],
    "show clns": ["net_addr"],
    "show isis hostname | include \\*": ["hostname"],
    "show isis database | include \\*": ["dis"],
    "show isis database": ["pseudo_node", "dis"],
}

# The order in which the whole-router target takes the answers.
ROUTER_COMMANDS = [
    "show clns protocol",
    "show clns interface",
    "show run",
    "show isis neighbors detail",
    "show clns is-neighbors detail",
    "show clns",
    "show isis hostname | include \\*",
    "show isis database | include \\*",
    "show isis database",
]

# Bytes a report may meet in device output: control characters, NUL,
# ill-formed and overlong UTF-8, surrogates, and valid multi-byte text.
REPORT_SEEDS = [
    b"Ethernet0/0",
    b"\x00\x01\x1f\x7f line\r\n\ttab \"quote\" \\backslash",
    b"\xc3\x28 \xa0\xa1 \xe2\x28\xa1 \xe2\x82\x28 \xf0\x28\x8c\xbc \xf0\x90\x28\xbc",
    b"\xc0\xaf \xe0\x80\xaf \xed\xa0\x80 \xf4\x90\x80\x80 \xff\xfe",
    "caf\u00e9 \u65e5\u672c \U0001F600 \u2028\u2029".encode("utf-8"),
]

# Pattern-service inputs: an expression on the first line, text after it.
REGEX_SEEDS = [
    b"([a-z]+)([0-9]+)?\nabc123 def x9 456 ghi\n",
    b"interface Ethernet0/0[\r\n][[:space:]]+ip address ([0-9.]+)\n!\ninterface Ethernet0/0\n"
    b" ip address 10.0.0.1 255.0.0.0\ninterface Ethernet0/00\n ip address 10.0.0.2 255.0.0.0\n",
    b"Serial1/0[[:space:]]is[[:space:]]*(administratively)?[[:space:]]*(up|down),.*[\r\n]\n"
    b"Serial1/0 is up, line protocol is up\nSerial1/00 is administratively down, line\r\n",
    b"abc|xbc\nxxbc abc xbcabc\n",
    b"a[|]b|c\na|b c ab\n",
    b"x*\nxxyxx\n",
    b"[[:space:]]*(Level-1)[[:space:]]Metric:[[:space:]]([0-9]+)\n    Level-1 Metric: 10, "
    b"Priority: 64\n    Level-1 Metric: 20\n",
    b"ab{2}c?\nabbc abbbc ab abb\n",
    b"Gi0/0+\nGi0/0 Gi0/000 Gi0/1\n",
    b"\\.([0-9]+)-[0-9]+\nr1.00-00 r1.01-00 r2.10-01\n",
]

# Interface descriptions as ifDescr gives them; "#" marks a row without an
# index and "!" one whose value is not a string.
TRANSLATOR_SEEDS = [
    "Ethernet0/0\nSerial1/0\nFastEthernet0/1.100\nGigabitEthernet1/0/1\n"
    "Serial2/0:1\nLoopback0\nNull0\nPort-channel1\nATM1/0.32 point-to-point\n",
    "Ethernet0\nFastEthernet0\nEthernet0\n#Serial0/0\n!Serial0/1\n\nTunnel100\n"
    "Multilink 1\nE\nSerial1 0/1\nVlan-interface10\n",
]


def cpp_literals(text):
    """The string literals of a C++ source, adjacent ones joined, decoded."""
    token = re.compile(
        r'R"([^(\s]*)\((.*?)\)\1"|"((?:[^"\\\n]|\\.)*)"|(//[^\n]*|/\*.*?\*/)|(\s+)|(.)',
        re.S)
    blobs = []
    current = None
    for match in token.finditer(text):
        raw_body, plain, comment, blank = match.group(2), match.group(3), match.group(4), \
            match.group(5)
        if raw_body is not None:
            piece = raw_body.encode("latin-1", "replace")
        elif plain is not None:
            piece = decode_escapes(plain)
        elif comment is not None or blank is not None:
            continue
        else:
            if current is not None:
                blobs.append(current)
            current = None
            continue
        current = piece if current is None else current + piece
    if current is not None:
        blobs.append(current)
    return blobs


def json_strings(node):
    """Every string in a JSON value, as bytes."""
    if isinstance(node, str):
        return [node.encode("utf-8")]
    items = node.values() if isinstance(node, dict) else node if isinstance(node, list) else []
    return [blob for item in items for blob in json_strings(item)]


def decode_escapes(body):
    out = bytearray()
    i = 0
    simple = {"n": 10, "r": 13, "t": 9, "0": 0, "\\": 92, '"': 34, "'": 39, "a": 7,
              "b": 8, "f": 12, "v": 11, "?": 63}
    while i < len(body):
        c = body[i]
        if c != "\\":
            out += c.encode("utf-8")
            i += 1
            continue
        n = body[i + 1]
        if n == "x":
            j = i + 2
            while j < len(body) and body[j] in "0123456789abcdefABCDEF":
                j += 1
            out.append(int(body[i + 2:j], 16) & 0xFF)
            i = j
        elif n in "01234567":
            j = i + 1
            while j < len(body) and j < i + 4 and body[j] in "01234567":
                j += 1
            out.append(int(body[i + 1:j], 8) & 0xFF)
            i = j
        else:
            out.append(simple.get(n, ord(n) & 0xFF))
            i += 2
    return bytes(out)


def classify(blob):
    """The targets a literal from the tests is an output for."""
    text = blob.decode("latin-1")
    targets = set()
    if "Interfaces supported by IS-IS" in text or "IS-IS Router:" in text:
        targets.update(["interface_list", "service_id"])
    if "line protocol is" in text or "Circuit Type:" in text or "Routing Protocol:" in text:
        targets.add("clns_interface")
    if "csnp-interval" in text or "lsp-interval" in text or "\ninterface " in text:
        targets.add("transmit_intervals")
    if "SNPA:" in text:
        targets.add("isis_neighbors")
    if "IP Address(es)" in text:
        targets.add("clns_neighbors")
    if "NET:" in text:
        targets.add("net_addr")
    if "Link State Database" in text:
        targets.update(["pseudo_node", "dis"])
    elif re.search(r"\.[0-9a-f]{2}-[0-9]{2}\s+\*", text):
        targets.add("dis")
    if re.search(r"^\s*\*\s+[0-9.]+\s+\S+", text, re.M):
        targets.add("hostname")
    return targets


class Corpus:
    def __init__(self):
        self.seeds = {}

    def add(self, target, data):
        if isinstance(data, str):
            data = data.encode("utf-8")
        if not data or len(data) > MAX_SEED:
            return
        self.seeds.setdefault(target, set()).add(data)

    def add_lab(self, lab_bytes):
        self.add("lab_loader", lab_bytes)
        lab = json.loads(lab_bytes)
        for device in lab.get("devices", []):
            commands = device.get("commands", {})
            for command, output in commands.items():
                for target in COMMAND_TARGETS.get(command, []):
                    self.add(target, output)
            rows = device.get("ifDescr")
            lines = []
            for index, value in rows or []:
                if not isinstance(value, str):
                    lines.append("!")
                elif index is None:
                    lines.append("#" + value)
                else:
                    lines.append(value)
            if lines:
                self.add("translator", "\n".join(lines))
            if commands:
                parts = [commands.get(c, "").encode("utf-8") for c in ROUTER_COMMANDS]
                walk = "\n".join(lines).encode("utf-8") if rows is not None else None
                router = b"\0".join(parts + ([walk] if walk is not None else []))
                self.add("whole_router", router)

    def write(self):
        for target, seeds in sorted(self.seeds.items()):
            folder = os.path.join(CORPUS, target)
            shutil.rmtree(folder, ignore_errors=True)
            os.makedirs(folder)
            for data in seeds:
                name = hashlib.sha1(data).hexdigest()[:16]
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            print(f"{target}: {len(seeds)} seeds, {sum(len(s) for s in seeds)} bytes")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--labgen", help="a built quillon-labgen")
    arguments = parser.parse_args()

    corpus = Corpus()
    labs = [os.path.join(ROOT, "examples", "lab.json")]
    labs += sorted(glob.glob(os.path.join(ROOT, "tests", "data", "labs", "*.json")))
    for path in labs:
        with open(path, "rb") as f:
            corpus.add_lab(f.read())
    if arguments.labgen:
        for k in ("2", "5"):
            corpus.add_lab(subprocess.run([arguments.labgen, k], check=True,
                                          capture_output=True).stdout)

    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "data", "outputs", "**", "*"),
                                 recursive=True)):
        if os.path.isfile(path):
            with open(path, "rb") as f:
                blob = f.read()
            for target in classify(blob):
                corpus.add(target, blob)

    blobs = []
    with open(os.path.join(ROOT, "tests", "data", "agent-steps.json"), encoding="utf-8") as f:
        blobs += json_strings(json.load(f))
    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "agent", "*.cpp"))):
        with open(path, encoding="utf-8") as f:
            blobs += cpp_literals(f.read())
    for blob in blobs:
        if len(blob) < 8:
            continue
        for target in classify(blob):
            corpus.add(target, blob)

    # Real IOS-XE outputs: every XE parse step reads each of them.
    for path in sorted(glob.glob(os.path.join(ROOT, "tests", "data", "real", "*", "*.txt"))):
        with open(path, "rb") as f:
            corpus.add("xe_steps", f.read())

    for data in REPORT_SEEDS:
        corpus.add("report_text", data)
    for data in TRANSLATOR_SEEDS:
        corpus.add("translator", data)
    for data in REGEX_SEEDS:
        corpus.add("regex_steps", data)
    corpus.write()
    return 0


if __name__ == "__main__":
    sys.exit(main())
