#!/usr/bin/env python3
"""Follows the virtual board's call record ("time Name args" per line) and prints
a board's state each time calls change it (once for the calls that arrive
together): its eight digital outputs (# on, . off) and its two analog
levels. Ends once every board that was
opened is closed again, or after 10 s without a new call.

Usage: board_state.py TRACE_FILE [LINE_PREFIX]
"""
import sys
import time

path = sys.argv[1]
prefix = sys.argv[2] if len(sys.argv) > 2 else ""
digital, analog, opened = {}, {}, set()
current = None


def show(address, text=None):
    if text is None:
        lamps = "".join("#" if digital.get((address, n)) else "." for n in range(1, 9))
        text = "outputs 1-8 %s  analog 1 %3d  analog 2 %3d" % (
            lamps, analog.get((address, 1), 0), analog.get((address, 2), 0))
    print("%sboard %d  %s" % (prefix, address, text), flush=True)


def apply(name, args, answer):
    """Applies one call with its answer (None when the line has none);
    returns the board it changed, if any."""
    global current
    if name == "OpenDevice":
        if answer == -1:
            return None
        opened.add(args[0])
        current = args[0]
        return current
    if name == "SetCurrentDevice":
        if answer != -1:  # a board not open keeps the one selected before
            current = args[0]
    elif name in ("SetDigitalChannel", "ClearDigitalChannel"):
        on = name == "SetDigitalChannel"
        if bool(digital.get((current, args[0]))) != on:
            digital[(current, args[0])] = on
            return current
    elif name == "OutputAnalogChannel":
        level = args[1] % 256
        if analog.get((current, args[0]), 0) != level:
            analog[(current, args[0])] = level
            return current
    elif name == "CloseDevice":  # closes every board
        for board in sorted(opened):
            show(board, "closed")
        opened.clear()
    return None


def call_arguments(fields):
    """The call's arguments: the numbers before what a line may add after
    them (" = result (N us)", " @process"); and its answer, or None."""
    arguments = []
    for field in fields:
        if not field.lstrip("-").isdigit():
            break
        arguments.append(int(field))
    rest = fields[len(arguments):]
    answer = int(rest[1]) if len(rest) > 1 and rest[0] == "=" and rest[1].lstrip("-").isdigit() else None
    return arguments, answer


def follow():
    pending, idle_since = "", time.time()
    while time.time() - idle_since < 10:
        try:
            with open(path) as trace:
                trace.seek(follow.offset)
                chunk = trace.read()
                follow.offset = trace.tell()
        except FileNotFoundError:
            chunk = ""
        if not chunk:
            time.sleep(0.02)
            continue
        idle_since = time.time()
        pending += chunk
        *lines, pending = pending.split("\n")
        changed = []
        for line in lines:
            fields = line.strip().split()[1:]  # without the time
            if not fields or line.startswith("#"):
                continue
            if fields[0] == "CloseDevice":
                for board in changed:
                    show(board)
                changed = []
            board = apply(fields[0], *call_arguments(fields[1:]))
            if board is not None and board not in changed:
                changed.append(board)
            if fields[0] == "CloseDevice" and not opened:
                return
        for board in changed:
            show(board)


follow.offset = 0
follow()
