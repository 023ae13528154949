#!/usr/bin/env python3
"""Writes the seed corpus (fuzz/corpus/) in the input format of host/tool/fuzz_one.cpp.

Run from the repository root after changing the input format; the seeds are
committed and run as regression tests by dtm_tests.
"""
import os
import shutil
import struct

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")

# Operation codes (host/tool/fuzz_one.cpp) and the order of the steering variables
# (host/tool/check_data_sets.cpp).
SET_VALUE, REQUEST, VALIDITY, RUN_METHOD, RESTART, NULL_ANSWERS = range(6)
THROW_INTEGER, THROW_EXCEPTION, THROW_OTHER = 0, 2, 3
STEERING = {
    "manu_sensor_type": ([1, 2, 3, 4, 5, 6, 7, 8, 9, 10], 11),
    "manu_mode": ([0, 1, 2], 3),
    "manu_unit_display": ([0, 1, 2], 3),
    "manu_pH_enabled": ([0, 1], 2),
    "manu_relay_number": ([0, 1, 2, 3, 4], 5),
    "manu_relay_select_relay": ([0, 1, 2, 3], 4),
    "manu_relay_function": ([1, 2, 3, 4, 5, 6, 7, 8], 9),
    "manu_check_select": ([0, 1], 2),
    "manu_alarm_enable_code": ([0, 83, 9998], 9999),
    "manu_s_version_enabled": ([0, 1], 2),
    "manu_cleaning_function_enabled": ([0, 1], 2),
    "manu_current_input_enabled": ([0, 1], 2),
}
STEERING_INDEX = {name: i for i, name in enumerate(STEERING)}
METHOD_COUNT = 85
OWN_CLASS = 7  # the class of the number's own kind
CLASSES = range(7)  # variable, command, menu, method, refresh, unit, block


def number(n):
    """An object number as the harness reads it (-1..662)."""
    return struct.pack("<H", n + 1)


def set_int(name, value):
    return bytes([SET_VALUE, STEERING_INDEX[name], 0]) + struct.pack("<i", value)


def set_text(name, text):
    return bytes([SET_VALUE, STEERING_INDEX[name], 4, len(text)]) + text


def set_none(name):
    return bytes([SET_VALUE, STEERING_INDEX[name], 5])


def set_double(name, special):
    return bytes([SET_VALUE, STEERING_INDEX[name], 2, special])


def set_long(n, special):
    """Variable number n set to the harness's special long of that index (0: the smallest)."""
    return bytes([SET_VALUE, 128]) + number(n) + bytes([1, special])


def request(n, cls=OWN_CLASS, other_name=False):
    return bytes([REQUEST]) + number(n) + bytes([cls | (0x10 if other_name else 0)])


def validity(n, asked):
    return bytes([VALIDITY]) + number(n) + bytes([OWN_CLASS, asked])


def run(method, suppress=False, abort_from=None, throw_at=None, result=0, selections=(), argument=0,
        throw_kind=THROW_INTEGER, acknowledge=(), ask=()):
    flags = (1 if suppress else 0) | (2 if abort_from else 0) | (4 if throw_at else 0)
    flags |= {0: 0, 1: 2, -7: 3}[result] << 3
    flags |= len(selections) << 5
    out = bytes([RUN_METHOD, flags])
    if abort_from:
        out += bytes([abort_from - 1])
    if throw_at:
        out += bytes([throw_at - 1]) + struct.pack("<i", 0) + bytes([throw_kind])
    out += bytes(s & 0xFF for s in selections)
    out += bytes([len(acknowledge) << 1 | len(ask) << 3])
    out += bytes(a & 0xFF for a in acknowledge) + bytes(a & 0xFF for a in ask)
    out += struct.pack("<i", argument)
    return out + bytes([method % 200, method // 200])


def run_number(n):
    return bytes([RUN_METHOD, 0, 0]) + struct.pack("<i", 0) + bytes([255]) + number(n)


def spread(step, offset=0):
    """Requests over the whole number range."""
    return b"".join(request(n) for n in range(1 + offset, 661, step))


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    os.makedirs(CORPUS)
    seeds = {}
    for offset in range(0, 14, 2):
        seeds[f"requests-{offset:02}"] = spread(14, offset)
    for name, (domain, outside) in STEERING.items():
        for value in domain + [outside]:
            seeds[f"{name}-{value}"] = set_int(name, value) + spread(20, value % 20)
        seeds[f"{name}-missing"] = set_none(name) + spread(20, 3)
        seeds[f"{name}-text"] = set_text(name, b"1") + spread(20, 7)
        seeds[f"{name}-nan"] = set_double(name, 5) + spread(20, 11)
    for method in range(METHOD_COUNT):
        seeds[f"method-{method:02}"] = (
            run(method) + run(method, selections=[1]) + run(method, abort_from=1) +
            run(method, abort_from=3, suppress=True) + run(method, throw_at=4) + run(method, result=1))
    seeds["relays-selected"] = (set_int("manu_relay_number", 4) + set_int("manu_alarm_enable_code", 83) +
                                b"".join(run(m, selections=[s]) for m in range(METHOD_COUNT) for s in (3,))[:600])
    seeds["wrong-classes"] = b"".join(request(n, cls) for n in (1, 59, 125, 209, 216, 227, 447, 600) for cls in CLASSES)
    seeds["other-names"] = b"".join(request(n, OWN_CLASS, True) for n in range(1, 661, 15))
    seeds["validity"] = b"".join(validity(n, a) for n in (-1, 0, 1, 59, 209, 300, 315, 661) for a in range(3))
    seeds["unknown-methods"] = b"".join(run_number(n) for n in (-1, 0, 1, 59, 315, 661, 700))
    for method in range(0, METHOD_COUNT, 4):
        seeds[f"host-faults-{method:02}"] = (
            run(method, throw_at=3, throw_kind=THROW_EXCEPTION) + run(method, throw_at=5, throw_kind=THROW_OTHER) +
            run(method, acknowledge=[1, -1], ask=[1, 2], selections=[1, 1]))
    for flags in range(1, 8):
        seeds[f"null-answers-{flags}"] = (bytes([NULL_ANSWERS, flags]) + spread(40, flags) +
                                          validity(700, 0) + run(flags) + run_number(700))
    # The real-temperature window computes with the temperature and its offset.
    seeds["long-extremes"] = b"".join(set_long(variable, special) + request(220)
                                      for special in range(8) for variable in (221, 207))
    seeds["restart"] = request(227) + bytes([RESTART]) + number(227) + bytes([OWN_CLASS]) + request(227)
    for name, data in seeds.items():
        with open(os.path.join(CORPUS, name), "wb") as f:
            f.write(data)
    print(f"{len(seeds)} seeds in {CORPUS}")


if __name__ == "__main__":
    main()
