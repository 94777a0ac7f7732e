#!/usr/bin/env python3
"""A track or effect that is missing or unreadable ends the game with status 1 while it loads,
at the first such file in load order (the six tracks, then the 32 effects). The audio library
names a missing file on the error stream; a damaged one it only calls invalid."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kestrivon_e2e as e2e


def run_without(build_dir, missing=(), garbled=()):
    """Runs the game in a copy of the run-time folder lacking some files; returns (status, errors)."""
    with tempfile.TemporaryDirectory(prefix="kestrivon-audio-") as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        for name in missing:
            os.remove(os.path.join(folder, "data", name))
        for name in garbled:
            with open(os.path.join(folder, "data", name), "wb") as damaged:
                damaged.write(b"RIFF\x10\x00\x00\x00WAVEjunk" * 4)
        game = e2e.start(folder, "kestrivon")
        try:
            _, errors = game.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            e2e.stop(game)
            raise AssertionError("the game kept running without %s" % (missing or garbled,))
        return game.returncode, errors


def expect_failure_naming(build_dir, named, not_named=(), **damage):
    status, errors = run_without(build_dir, **damage)
    assert status == 1, "status %d for %s:\n%s" % (status, damage, errors)
    assert named in errors, "%s not named in:\n%s" % (named, errors)
    for name in not_named:
        assert name not in errors, "%s named although an earlier file failed:\n%s" % (name, errors)


def main(build_dir):
    expect_failure_naming(build_dir, "Layer3.wav", ["Ambiance.wav", "Bip.wav"],
                          missing=["music/Layer3.wav", "music/Ambiance.wav", "sfx/Bip.wav"])
    expect_failure_naming(build_dir, "MonsterAwake.wav", ["Player_Death.WAV"],
                          missing=["sfx/MonsterAwake.wav", "sfx/Player_Death.WAV"])
    expect_failure_naming(build_dir, "Monster_Respawn.WAV", missing=["sfx/Monster_Respawn.WAV"])
    expect_failure_naming(build_dir, "invalid", garbled=["sfx/Voice_Level0.wav"])
    expect_failure_naming(build_dir, "invalid", ["Bip.wav"], garbled=["music/MenuMusic.wav"],
                          missing=["sfx/Bip.wav"])
    print("missing audio: ok")


if __name__ == "__main__":
    main(sys.argv[1])
