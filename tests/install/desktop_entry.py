"""Reads an installed program the way the desktop does.

    desktop_entry.py exec FILE      the command line of a desktop entry, one argument a line
    desktop_entry.py tabs TITLE     the tab captions of the window TITLE, through the
                                    accessibility bus, one a line
"""
import sys
import time

KEY_FILE_ESCAPES = {"s": " ", "n": "\n", "t": "\t", "r": "\r", "\\": "\\"}
EXEC_ESCAPABLE = '"`$\\'


def key_file_value(path, group, key):
    current = None
    with open(path, encoding="utf-8") as entry:
        for line in entry.read().splitlines():
            if line.startswith("[") and line.endswith("]"):
                current = line[1:-1]
            elif current == group and line.split("=", 1)[0].strip() == key:
                return unescape_value(line.split("=", 1)[1].strip())
    raise SystemExit(f"{path}: no {key} in [{group}]")


def unescape_value(raw):
    out, i = [], 0
    while i < len(raw):
        if raw[i] == "\\" and i + 1 < len(raw):
            out.append(KEY_FILE_ESCAPES.get(raw[i + 1], "\\" + raw[i + 1]))
            i += 2
        else:
            out.append(raw[i])
            i += 1
    return "".join(out)


def exec_arguments(command):
    """Splits an Exec value into arguments as the desktop launches it."""
    args, current, quoted, started, i = [], [], False, False, 0
    while i < len(command):
        c = command[i]
        if quoted and c == "\\" and i + 1 < len(command) and command[i + 1] in EXEC_ESCAPABLE:
            current.append(command[i + 1])
            i += 1
        elif c == '"':
            quoted, started = not quoted, True
        elif c == " " and not quoted:
            if started:
                args.append("".join(current))
            current, started = [], False
        elif c == "%" and i + 1 < len(command) and command[i + 1] == "%":
            current.append("%")
            started = True
            i += 1
        else:
            current.append(c)
            started = True
        i += 1
    if quoted:
        raise SystemExit(f"unterminated quote in Exec: {command}")
    if started:
        args.append("".join(current))
    return args


def find_window(node, title, depth=0):
    if depth > 2:
        return None
    if node.get_name() == title and node.get_role() != Atspi.Role.APPLICATION:
        return node
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        found = child and find_window(child, title, depth + 1)
        if found:
            return found
    return None


def page_tabs(node):
    if node.get_role() == Atspi.Role.PAGE_TAB:
        return [node.get_name()]
    tabs = []
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child:
            tabs += page_tabs(child)
    return tabs


def window_tabs(title, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        window = find_window(Atspi.get_desktop(0), title)
        tabs = window and page_tabs(window)
        if tabs:
            return tabs
        time.sleep(0.2)
    raise SystemExit(f'no window "{title}" with tabs on the accessibility bus')


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("exec", "tabs"):
        raise SystemExit(__doc__)
    if sys.argv[1] == "exec":
        for arg in exec_arguments(key_file_value(sys.argv[2], "Desktop Entry", "Exec")):
            print(arg)
    else:
        import gi

        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi

        for tab in window_tabs(sys.argv[2]):
            print(tab)
