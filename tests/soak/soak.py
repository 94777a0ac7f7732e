#!/usr/bin/env python3
"""The game under a long, hostile operator: a raw console on port 3000 that mixes every valid
order with garbage (unknown codes, short payloads, a giant door count, bursts of 10,000
messages) while xdotool walks the player. Every probe scan must be answered within a second,
the game must never end on its own, and its resident memory is recorded every ten seconds."""

import os
import random
import socket
import struct
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import kestrivon_e2e as e2e


def frame(payload):
    return struct.pack(">I", len(payload)) + payload


def message(code, *fields):
    payload = struct.pack(">i", code)
    for field in fields:
        payload += field
    return frame(payload)


def i32(value):
    return struct.pack(">i", value)


def load_map(index, doors):
    return message(1, i32(index), i32(len(doors)), *(i32(v) for v in doors))


class Peer:
    """The accepted game connection: counts the replies to scans as they arrive."""

    def __init__(self, connection):
        self.connection = connection
        self.buffer = b""
        self.scan_replies = 0
        self.messages = 0

    def send(self, data):
        self.connection.sendall(data)

    def pump(self, seconds):
        self.connection.settimeout(seconds)
        try:
            data = self.connection.recv(1 << 16)
        except socket.timeout:
            return
        if not data:
            raise AssertionError("the game closed the connection")
        self.buffer += data
        while len(self.buffer) >= 4:
            length = struct.unpack(">I", self.buffer[:4])[0]
            if len(self.buffer) < 4 + length:
                break
            code = struct.unpack(">i", self.buffer[4:8])[0]
            self.buffer = self.buffer[4 + length:]
            self.messages += 1
            if code == 3:
                self.scan_replies += 1

    def wait_scan_replies(self, expected, limit):
        started = time.time()
        while self.scan_replies < expected:
            if time.time() - started > limit:
                raise AssertionError("only %d of %d scans answered after %.1f s"
                                     % (self.scan_replies, expected, limit))
            self.pump(0.05)
        return time.time() - started


def walker(game, stop):
    while not stop.is_set():
        try:
            game.key(random.choice("wwwad"))
        except Exception:
            pass
        time.sleep(0.7)


def main(build_dir, seconds):
    random.seed(20261206)
    record = os.path.join(build_dir, "soak", "rss.csv")
    os.makedirs(os.path.dirname(record), exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        e2e.copy_runtime_folder(build_dir, folder)
        listener = socket.socket()
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", 3000))
        listener.listen(1)
        game = e2e.Game(folder)
        stop = threading.Event()
        try:
            game.join("127.0.0.1")
            listener.settimeout(20)
            connection, _ = listener.accept()
            peer = Peer(connection)
            doors = [8, 10, 12, 14, 16, 18, 20, 22]
            scans_sent = 0
            worst_probe = 0.0
            samples = []
            started = time.time()
            next_sample = started
            next_level = started
            threading.Thread(target=walker, args=(game, stop), daemon=True).start()
            while time.time() - started < seconds:
                now = time.time()
                action = "a scan"
                if now >= next_level:
                    peer.send(load_map(random.randrange(7), doors))
                    next_level = now + 60
                    action = "a new level"
                roll = random.random()
                if roll < 0.15:
                    peer.send(message(0, i32(random.randrange(8, 24))))
                    action = "a door order"
                elif roll < 0.25:
                    peer.send(message(3, bytes([random.randrange(2)])))
                    action = "a shock"
                elif roll < 0.30:
                    peer.send(message(5))
                    action = "power on"
                elif roll < 0.40:
                    peer.send(message(4, i32(random.randrange(3, 8))))
                    action = "a locate"
                elif roll < 0.50:
                    peer.send(message(random.randrange(7, 1000), os.urandom(random.randrange(12))))
                    action = "an unknown code"
                elif roll < 0.60:
                    code = random.randrange(7)
                    peer.send(frame(struct.pack(">i", code)[:random.randrange(4)] if code != 1
                                    else i32(1) + i32(3)))
                    action = "a short payload"
                elif roll < 0.63:
                    peer.send(message(1, i32(random.randrange(7)), i32(2**31 - 1), i32(8), i32(10)))
                    action = "a giant door count"
                elif roll < 0.65:
                    # A burst is answered whole before the probe, which times one request.
                    peer.send(message(2) * 10000)
                    scans_sent += 10000
                    peer.wait_scan_replies(scans_sent, 30)
                    action = "a burst"
                peer.send(message(2))
                scans_sent += 1
                probe = peer.wait_scan_replies(scans_sent, 30)
                worst_probe = max(worst_probe, probe)
                if probe > 1.0:
                    raise AssertionError("a scan took %.2f s to be answered, %d s in, after %s"
                                         % (probe, now - started, action))
                assert game.process.poll() is None, "the game ended"
                if now >= next_sample:
                    with open("/proc/%d/status" % game.process.pid) as status:
                        rss = next(int(line.split()[1]) for line in status
                                   if line.startswith("VmRSS"))
                    samples.append((round(now - started), rss // 1024))
                    next_sample = now + 10
                peer.pump(0.02)
            with open(record, "w") as out:
                out.write("seconds,rss_mb\n")
                out.writelines("%d,%d\n" % sample for sample in samples)
            settled = [rss for t, rss in samples if t >= 60] or [rss for _, rss in samples]
            print("soak: %d s, %d messages from the game, %d scans answered, worst probe %.3f s,"
                  " rss %d MB at start, %d..%d MB after the first minute"
                  % (seconds, peer.messages, peer.scan_replies, worst_probe, samples[0][1],
                     min(settled), max(settled)))
            assert max(settled) - min(settled) < 20, "memory grew: %s" % samples
        finally:
            stop.set()
            game.stop()
            listener.close()


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 600)
