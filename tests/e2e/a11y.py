#!/usr/bin/python3
"""Reads the running program's window from outside, through the accessibility bus, as a screen
reader would, and checks it: every skinned control with its role and name, names that follow
the colour, a button's press action that does what its click does, and the main menu opened
from the keyboard with its items read as they show.

    a11y.py en|zh WINDOW_ID

Prints one line per check ("ok   ..." or "FAIL ...") and the tree it found; exits 1 on any
failure. Every wait polls for its condition."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

LANGUAGE, WINDOW = sys.argv[1], sys.argv[2]
TIMEOUT = float(os.environ.get("HUEBIRD_A11Y_TIMEOUT", "30"))

# The settings file a11y.sh writes: swatch 1 is active and shows E94560.
NAMES = {
    "en": {
        "buttons": ["Main menu", "Minimise", "Close", "Red minus 5", "Red plus 5",
                    "Green minus 5", "Green plus 5", "Blue minus 5", "Blue plus 5",
                    "Red, green and blue minus 5", "Red, green and blue plus 5"],
        "swatches": ["Swatch 1, #E94560, active", "Swatch 2, #0510C8", "Swatch 3, #00FF00",
                     "Swatch 4, #FFFFFF"],
        "readout": ["Red 233", "Green 069", "Blue 096", "Red hex E9", "Green hex 45",
                    "Blue hex 60"],
        "red plus": "Red plus 5",
        "after": ("Red 238", "Red hex EE", "Swatch 1, #EE4560, active"),
        "copy": "Copy  Ctrl+C/F4",
        "menu": ["Favourites", "Settings", "Actions", "Copy  Ctrl+C/F4", "Copy as", "Paste  Ctrl+V/F5", "Paste any colour",
                 "Undo  Ctrl+Z/F6", "Minimise", "Close", "Help", "About"],
    },
    "zh": {
        "buttons": ["主菜单", "最小化", "关闭", "红色减 5", "红色加 5", "绿色减 5", "绿色加 5",
                    "蓝色减 5", "蓝色加 5", "红绿蓝都减 5", "红绿蓝都加 5"],
        "swatches": ["色块 1, #E94560, 当前", "色块 2, #0510C8", "色块 3, #00FF00",
                     "色块 4, #FFFFFF"],
        "readout": ["红 233", "绿 069", "蓝 096", "红 十六进制 E9", "绿 十六进制 45",
                    "蓝 十六进制 60"],
        "red plus": "红色加 5",
        "after": ("红 238", "红 十六进制 EE", "色块 1, #EE4560, 当前"),
        "copy": "拷贝  Ctrl+C/F4",
        "menu": ["收藏夹", "设置", "操作", "拷贝  Ctrl+C/F4", "复制为", "粘贴  Ctrl+V/F5", "粘贴颜色代码",
                 "撤消  Ctrl+Z/F6", "最小", "关闭", "帮助", "关于"],
    },
}[LANGUAGE]

failed = 0


def report(ok, what, detail=""):
    global failed
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failed += 1
        if detail:
            print("     " + detail.replace("\n", "\n     "), flush=True)


def wait_for(condition, seconds=TIMEOUT):
    """The condition's first true value within the time, else its last value."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            value = condition()
        except Exception:  # the tree changes while it is read: look again
            value = None
        if value or time.monotonic() > deadline:
            return value
        time.sleep(0.05)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Huebird":
            app.set_cache_mask(Atspi.Cache.NONE)  # names change; read them afresh
            return app
    return None


def walk(node, depth=0):
    """(node, depth) for the node and everything under it."""
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def controls(app):
    """The window's controls by role: {role name: [(name, node)]}, in tree order."""
    found = {}
    for node, _ in walk(app):
        found.setdefault(node.getRoleName(), []).append((node.name, node))
    return found


def named(app, role, name):
    for node, _ in walk(app):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() == "press":
            return action.doAction(i)
    raise RuntimeError("no press action on %r" % node.name)


# A popup menu is no child of the application (the toolkit lists windows only); a screen
# reader meets it through the focus, as the highlighted item moves. The items seen focused.
focused = []


def on_focus(event):
    if event.detail1 and event.source is not None and event.source.getRoleName() == "menu item":
        focused.append(event.source)


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def focused_menu():
    """The menu that holds the last focused item, with its items' names, while it shows."""
    pump()
    if not focused:
        return None
    menu = focused[-1].parent
    if menu is None or not menu.getState().contains(pyatspi.STATE_SHOWING):
        return None
    names = [c.name for c in menu if c is not None and c.getRoleName() != "separator"]
    return menu, names


def shows(node):
    pump()
    return node.getState().contains(pyatspi.STATE_SHOWING)


def open_menu_by_key(key):
    """Presses `key` at the window, then Down to highlight the first item; the menu it opened."""
    del focused[:]
    subprocess.run(["xdotool", "windowfocus", "--sync", WINDOW], check=False, timeout=10)
    subprocess.run(["xdotool", "key", key], check=True, timeout=10)
    # The menu takes the keyboard when it opens; Down then reaches it and highlights an item.
    def highlighted():
        subprocess.run(["xdotool", "key", "Down"], check=True, timeout=10)
        return wait_for(focused_menu, 1)
    return wait_for(highlighted)


def clipboard():
    result = subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True,
                            text=True, timeout=10)
    return result.stdout if result.returncode == 0 else None


app = wait_for(application)
report(app is not None, LANGUAGE + ": the program is on the accessibility bus")
if app is None:
    sys.exit(1)

# Every skinned control, with its role and name.
def complete():
    found = controls(app)
    names = {role: [n for n, _ in found.get(role, [])] for role in ("push button", "image", "label")}
    if all(n in names["push button"] for n in NAMES["buttons"]) and \
            all(n in names["image"] for n in NAMES["swatches"]) and \
            all(n in names["label"] for n in NAMES["readout"]):
        return found
    return None


found = wait_for(complete)
tree = "\n".join("  " * d + "%s: %s" % (n.getRoleName(), n.name) for n, d in walk(app))
print("     the tree:\n     " + tree.replace("\n", "\n     "), flush=True)
final = controls(app)
for role, key in (("push button", "buttons"), ("image", "swatches"), ("label", "readout")):
    names = [n for n, _ in final.get(role, [])]
    report(all(n in names for n in NAMES[key]),
           "%s: the %s are %ss with their names" % (LANGUAGE, key, role),
           "wanted %s\ngot    %s" % (NAMES[key], names))
if not found:
    sys.exit(1)

windows = [(n.getRoleName(), n.name) for n in app if n is not None]
report(windows == [("frame", "Huebird")], LANGUAGE + ": the window reads as a frame named Huebird",
       "top level: %s" % windows)

active = [n for n, node in final["image"] if node.getState().contains(pyatspi.STATE_SELECTED)]
report(active == [NAMES["swatches"][0]], LANGUAGE + ": the active swatch alone is selected",
       "selected: %s" % active)

# A press on "red plus 5" through the bus does what a click does: the readout and the active
# swatch, read back through the bus, show red 5 higher.
press(named(app, "push button", NAMES["red plus"]))
red, red_hex, swatch = NAMES["after"]
stepped = wait_for(lambda: named(app, "label", red) and named(app, "label", red_hex)
                   and named(app, "image", swatch))
report(bool(stepped), LANGUAGE + ": the press action of '%s' steps red by 5" % NAMES["red plus"],
       "labels now: %s" % [n for n, _ in controls(app).get("label", [])])

# Shift+F10 opens the main menu at the window; its items read as they show.
pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
menu = open_menu_by_key("shift+F10")
report(bool(menu), LANGUAGE + ": Shift+F10 opens the main menu")
if menu:
    node, names = menu
    report(focused[0].name == NAMES["menu"][0],
           LANGUAGE + ": its first item is read when highlighted", "read: %r" % focused[0].name)
    report(names == NAMES["menu"], LANGUAGE + ": the main menu's items read as they show",
           "wanted %s\ngot    %s" % (NAMES["menu"], names))
    # The copy item's press action copies, as its click does; the menu closes.
    press(named(node, "menu item", NAMES["copy"]))
    copied = wait_for(lambda: (clipboard() or "").strip() == "EE4560")
    report(bool(copied), LANGUAGE + ": the copy item's press action puts EE4560 on the clipboard",
           "clipboard: %r" % clipboard())
    report(bool(wait_for(lambda: not shows(node))),
           LANGUAGE + ": the menu closes after the item's press")

    # The Menu key opens it too; Escape closes it.
    again = open_menu_by_key("Menu")
    report(bool(again), LANGUAGE + ": the Menu key opens it too")
    if again:
        subprocess.run(["xdotool", "key", "Escape"], check=True, timeout=10)
        report(bool(wait_for(lambda: not shows(again[0]))), LANGUAGE + ": Escape closes it")

sys.exit(1 if failed else 0)
