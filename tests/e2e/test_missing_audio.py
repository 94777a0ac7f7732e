#!/usr/bin/env python3
"""A missing or damaged track or effect ends the game with status 1 while it loads, at the first
such file in load order (the tracks, then the effects): the audio library names a missing file
on the error stream, a damaged one it calls invalid."""

import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e

# Files removed, files damaged, what the error stream names, what it does not.
CASES = ((["music/Layer3.wav", "sfx/Bip.wav"], [], "Layer3.wav", "Bip.wav"),
         (["sfx/Bip.wav"], ["music/MenuMusic.wav"], "invalid", "Bip.wav"))


def main(build_dir):
    for missing, damaged, named, not_named in CASES:
        with tempfile.TemporaryDirectory() as folder:
            e2e.copy_runtime_folder(build_dir, folder)
            for name in missing:
                os.remove(os.path.join(folder, "data", name))
            for name in damaged:
                with open(os.path.join(folder, "data", name), "wb") as out:
                    out.write(b"RIFF\x10\x00\x00\x00WAVEjunk" * 4)
            with e2e.Program(folder, "kestrivon") as game:
                status = game.process.wait(timeout=30 * e2e.PACE)
                errors = "\n".join(game.errors.drain())
            assert status == 1, "status %d without %s" % (status, missing)
            assert named in errors and not_named not in errors, (missing, damaged, errors)
    print("missing audio: ok")


if __name__ == "__main__":
    main(sys.argv[1])
