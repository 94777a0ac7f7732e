#!/usr/bin/env python3
"""The game under a long, hostile operator: a raw console on port 3000 mixes every valid order
with garbage (unknown codes, short payloads, a giant door count, bursts of 10,000 messages) while
xdotool walks the player. Every probe scan is answered (the slowest answer and the number slower
than a second are reported), every key press goes through, the game never ends, and its resident
memory, sampled every ten seconds, settles after the first minute."""

import collections
import contextlib
import os
import random
import socket
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import kestrivon_e2e as e2e

SCAN, MONSTER_POSITION = 2, 3
BURST = 10000
DOORS = list(range(8, 24, 2))


def message(code, *fields):
    """A console message as bytes: its code and fields (32-bit integers or bytes) in a frame."""
    payload = struct.pack(">i", code) + b"".join(
        field if isinstance(field, bytes) else struct.pack(">i", field) for field in fields)
    return struct.pack(">I", len(payload)) + payload


class RawOperator:
    """A raw console for bytes no console would send, counting the game's messages by code."""

    def __init__(self, connection):
        self.connection, self.buffer, self.received = connection, b"", collections.Counter()
        connection.settimeout(0.05)

    def answered(self, scans):
        """Seconds until every scan sent so far is answered; half a minute without one fails."""
        started = time.time()
        while self.received[MONSTER_POSITION] < scans:
            assert time.time() - started < 30 * e2e.PACE, "only %d of %d scans answered" % (
                self.received[MONSTER_POSITION], scans)
            with contextlib.suppress(socket.timeout):
                data = self.connection.recv(1 << 16)
                assert data, "the game closed the connection"
                self.buffer += data
            while len(self.buffer) >= 8 and len(self.buffer) >= 4 + (
                    size := struct.unpack(">I", self.buffer[:4])[0]):
                self.received[struct.unpack(">i", self.buffer[4:8])[0]] += 1
                self.buffer = self.buffer[4 + size:]
        return time.time() - started


def short_payload():
    """A level order with its level alone, or a whole frame whose payload stops inside a code."""
    code, cut = random.randrange(7), random.randrange(4)
    return message(1, 3) if code == 1 else struct.pack(">I", cut) + struct.pack(">i", code)[:cut]


# What the operator sends before each probe scan, with its weight.
ORDERS = (
    (0.15, "a door order", lambda: message(0, random.randrange(8, 24))),
    (0.10, "a shock", lambda: message(3, bytes([random.randrange(2)]))),
    (0.05, "power on", lambda: message(5)),
    (0.10, "a locate", lambda: message(4, random.randrange(3, 8))),
    (0.10, "an unknown code", lambda: message(random.randrange(7, 1000),
                                              os.urandom(random.randrange(12)))),
    (0.10, "a short payload", short_payload),
    (0.03, "a giant door count", lambda: message(1, random.randrange(7), 2**31 - 1, 8, 10)),
    (0.02, "a burst", lambda: message(SCAN) * BURST),
)


def main(build_dir, seconds):
    random.seed(20261206)
    with tempfile.TemporaryDirectory() as folder, \
            socket.create_server(("127.0.0.1", 3000)) as listener, \
            e2e.Game(e2e.copy_runtime_folder(build_dir, folder)) as game:
        game.join("127.0.0.1")
        listener.settimeout(20 * e2e.PACE)
        peer = RawOperator(listener.accept()[0])
        scans, delays, samples, failed_keys = 0, [], [], []
        started = next_step = next_sample = next_level = time.time()
        while (now := time.time()) - started < seconds:
            if now >= next_level:
                peer.connection.sendall(message(1, random.randrange(7), len(DOORS), *DOORS))
                next_level = now + 60
            if now >= next_step:
                try:
                    game.key(random.choice("wwwad"))
                except subprocess.CalledProcessError as failure:
                    failed_keys.append(failure.stderr)
                next_step = now + 0.7
            _, action, order = random.choices(ORDERS, [row[0] for row in ORDERS])[0]
            peer.connection.sendall(order())
            # A burst is answered whole before the probe, which times one request.
            if action == "a burst":
                scans += BURST
                peer.answered(scans)
            peer.connection.sendall(message(SCAN))
            scans += 1
            delays.append(peer.answered(scans))
            assert game.process.poll() is None, "the game ended"
            if now >= next_sample:
                pages = int(open("/proc/%d/statm" % game.process.pid).read().split()[1])
                samples.append((round(now - started), pages * os.sysconf("SC_PAGE_SIZE") >> 20))
                next_sample = now + 10
        settled = [rss for t, rss in samples if t >= 60] or [rss for _, rss in samples]
        print("soak: %d s, %d messages from the game, %d scans answered, worst probe %.3f s (%d over"
              " 1 s), %d key presses failed, rss %d MB at start, %d..%d MB after the first minute" % (
                  seconds, sum(peer.received.values()), scans, max(delays),
                  sum(delay > 1 for delay in delays), len(failed_keys), samples[0][1],
                  min(settled), max(settled)))
        assert not failed_keys, "xdotool failed: %s" % failed_keys[:3]
        assert max(settled) - min(settled) < 20, "memory grew: %s" % samples


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 600)
