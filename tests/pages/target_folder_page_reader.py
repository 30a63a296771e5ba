"""What a screen reader hears on the target folder page, read from the real accessibility bus.

Run by target_folder_page_reader_test.sh with the setup program showing its main window, this
walks the installation with the keyboard as a blind user would (xdotool), and checks after each
key the names, the selected entry and the events that the bus carried. Expected values come from
the test machine (its drive table and folders) and from the medium's script, never from the
program itself. Prints one line per key: what a reader was told.
"""
import configparser
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

MEDIUM, MACHINE, DRIVE_TABLE = sys.argv[1:4]
EVENT_KINDS = [
    "object:state-changed:focused",
    "object:state-changed:selected",
    "object:state-changed:expanded",
    "object:active-descendant-changed",
    "object:selection-changed",
    "object:children-changed",
]
failures = []
events = []


def fail(what):
    failures.append(what)
    print("FAILED: " + what)


# --- The bus ---


def describe(accessible):
    try:
        return '%s "%s"' % (accessible.get_role_name(), accessible.get_name())
    except GLib.Error:
        return "(gone)"


def on_event(event):
    target = event.any_data if isinstance(event.any_data, Atspi.Accessible) else None
    events.append((event.type, event.detail1, event.source, target))


listener = Atspi.EventListener.new(on_event)
for kind in EVENT_KINDS:
    listener.register(kind)


def pump(seconds, until=None):
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while time.time() < end:
        while context.iteration(False):
            pass
        if until and until():
            return True
        time.sleep(0.02)
    return bool(until and until())


def find(root, role, name=None, depth=0):
    """The first object below root with the role (and name), depth first."""
    if root is None or depth > 12:
        return None
    try:
        if root.get_role_name() == role and (name is None or root.get_name() == name):
            return root
        for index in range(root.get_child_count()):
            found = find(root.get_child_at_index(index), role, name, depth + 1)
            if found:
                return found
    except GLib.Error:
        return None
    return None


def application():
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        child = desktop.get_child_at_index(index)
        if child and child.get_name() == "setup":
            return child
    return None


# A loaded machine only makes the walk slower: each wait is for the event, bounded generously.
WAIT_SECONDS = 120


def window(title):
    """The window once it is on the bus and active, so that the next key press goes to it."""
    found = []
    pump(WAIT_SECONDS, lambda: found.append(find(application(), "frame", title)) or found[-1])
    if not found or not found[-1]:
        fail("no window %r on the bus" % title)
        sys.exit(1)
    if not pump(WAIT_SECONDS, lambda: has_state(found[-1], Atspi.StateType.ACTIVE)):
        fail("the window %r never became active" % title)
        sys.exit(1)
    return found[-1]


def children(accessible):
    return [accessible.get_child_at_index(i).get_name() for i in range(accessible.get_child_count())]


def selected_name(accessible):
    if Atspi.Selection.get_n_selected_children(accessible) == 0:
        return None
    return Atspi.Selection.get_selected_child(accessible, 0).get_name()


def relation_targets(accessible, kind):
    for relation in accessible.get_relation_set():
        if relation.get_relation_type() == kind:
            return [relation.get_target(i) for i in range(relation.get_n_targets())]
    return []


def has_state(accessible, state):
    return accessible.get_state_set().contains(state)


def press(key):
    events.clear()
    subprocess.run(["xdotool", "key", key], check=True)


def seen(kind, source=None, detail=None, target_name=None):
    for event_kind, event_detail, event_source, event_target in events:
        if not event_kind.startswith(kind):
            continue
        if source is not None and event_source != source:
            continue
        if detail is not None and event_detail != detail:
            continue
        if target_name is not None and (event_target is None or event_target.get_name() != target_name):
            continue
        return True
    return False


def report(key):
    told = []
    for kind, detail, source, target in events:
        if kind.startswith("object:children-changed"):
            continue
        line = "%s(%d) on %s" % (kind.replace("object:", ""), detail, describe(source))
        if target is not None:
            line += " -> " + describe(target)
        told.append(line)
    added = [t.get_name() for k, _, _, t in events if k.startswith("object:children-changed:add") and t]
    if added:
        told.append("children now: " + ", ".join(added))
    print("%-9s %s" % (key, "\n          ".join(told) or "(nothing)"))


# --- What the machine and the medium say ---


def script_texts():
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    with open(os.path.join(MEDIUM, "install.ini"), encoding="utf-8", errors="replace") as stream:
        parser.read_file(stream)
    return parser["English"]


def offered_drives():
    """The selector's texts for the drive table: every drive but the CD-ROM drives."""
    texts = []
    with open(DRIVE_TABLE) as table:
        for line in table:
            letter, kind, _, *label = line.strip().split("|")
            if kind != "cdrom":
                texts.append(("%s\\ %s" % (letter, label[0] if label else "")).lower())
    return texts


def native(drive_path):
    """The sandbox folder of a path on drive c: or e: of the drive table."""
    with open(DRIVE_TABLE) as table:
        roots = {line.split("|")[0].lower(): line.split("|")[2] for line in table if "|" in line}
    parts = [p for p in drive_path.replace("\\", "/").split("/") if p]
    return os.path.join(roots[parts[0].lower()], *parts[1:])


def subfolders(drive_path):
    folder = native(drive_path)
    return sorted(n for n in os.listdir(folder)
                  if os.path.isdir(os.path.join(folder, n)) and not n.startswith("."))


def expect_entries(folder_list, levels, folder, when):
    names = children(folder_list)
    if names[: len(levels)] != levels or sorted(names[len(levels):]) != subfolders(folder):
        fail("%s: the folder list reads %s, the machine has %s then %s"
             % (when, names, levels, subfolders(folder)))


texts = script_texts()

# --- The install type page: every choice is read with its frame's text ---

main = window(texts["IDS_NAZWA_GRY2"])
press("Return")
window(texts["IDS_LICENCJA"])
press("Tab")
press("Return")
install_type = window(texts["IDS_RODZAJ_INST"])
for key in ("IDS_WERSJA_MIN", "IDS_WERSJA_STD", "IDS_WERSJA_MAX"):
    choice = find(install_type, "radio button", texts.get(key))
    labels = [t.get_name() for t in relation_targets(choice, Atspi.RelationType.LABELLED_BY)] if choice else []
    if texts["IDS_WYBIERZ_INST"] not in labels:
        fail("the choice %r is not labelled by its frame %r: %s" % (texts.get(key), texts["IDS_WYBIERZ_INST"], labels))
print("install type choices labelled by: %r" % texts["IDS_WYBIERZ_INST"])
press("Return")

# --- The target folder page as it opens ---

page = window(texts["IDS_NAZWA_GRY"])
path_box = find(page, "text")
folder_list = find(page, "list")
drives = find(page, "combo box")
NAMED = [  # control, its name, the label that must name it (None: named without a label)
    ("path box", path_box, texts["IDS_KATALOG_NAME"], None),
    ("folder list", folder_list, texts["IDS_KATALOG_NAME"], texts["IDS_KATALOG_NAME"]),
    ("drive selector", drives, texts["IDS_DYSK"], texts["IDS_DYSK"]),
]
for what, control, name, label in NAMED:
    if control is None:
        fail("no %s on the bus" % what)
        sys.exit(1)
    if control.get_name() != name:
        fail("the %s is named %r, not %r" % (what, control.get_name(), name))
    labels = [t.get_name() for t in relation_targets(control, Atspi.RelationType.LABELLED_BY)]
    if label is not None and labels != [label]:
        fail("the %s is labelled by %s, not by %r" % (what, labels, label))
    print("%-14s %s, labelled by %s" % (what, describe(control), labels))
for label in (texts["IDS_KATALOG_NAME"], texts["IDS_DYSK"]):
    label_object = find(page, "label", label)
    ties = [describe(t) for t in relation_targets(label_object, Atspi.RelationType.LABEL_FOR)]
    expected = [describe(folder_list if label == texts["IDS_KATALOG_NAME"] else drives)]
    if ties != expected:
        fail("the label %r names %s, not %s" % (label, ties, expected))

for index in range(drives.get_child_count()):
    entry = drives.get_child_at_index(index)
    print("drive entry   %s%s" % (describe(entry), " (selected)" if has_state(entry, Atspi.StateType.SELECTED) else ""))
if children(drives) != offered_drives():
    fail("the drive selector reads %s, the machine offers %s" % (children(drives), offered_drives()))
if selected_name(drives) != offered_drives()[0]:
    fail("the drive selector's selected entry is %r" % selected_name(drives))
typed = Atspi.Text.get_text(path_box, 0, -1)
existing = ["C:\\"]
for part in typed.split("\\")[1:]:
    if part and os.path.isdir(native("\\".join(existing + [part]))):
        existing.append(part + "\\")
        continue
    break
expect_entries(folder_list, existing, "".join(existing), "at the start")
for index in range(folder_list.get_child_count()):
    print("folder entry  %s" % describe(folder_list.get_child_at_index(index)))

# --- The walk: each key, what it must tell (checked against the state read afterwards) ---

c_drive, e_drive = offered_drives()[0], offered_drives()[1]


def combo_moved(name):
    return lambda: seen("object:active-descendant-changed", drives, target_name=name) and \
        seen("object:selection-changed", drives) and selected_name(drives) == name


def list_moved(index):
    def check():
        if index >= folder_list.get_child_count():
            return False
        name = folder_list.get_child_at_index(index).get_name()
        return seen("object:active-descendant-changed", folder_list, target_name=name) and \
            seen("object:state-changed:selected", detail=1) and selected_name(folder_list) == name
    return check


def focused(control):
    return lambda: seen("object:state-changed:focused", control, detail=1)


def entries_after_choosing_c(_):
    expect_entries(folder_list, ["c:\\"], "c:\\", "after choosing drive c:")


def entries_after_opening(before):
    # The entry selected before Return (the second) is open: its level follows the drive's.
    expect_entries(folder_list, ["c:\\", before[1] + "\\"], "c:\\" + before[1],
                   "after opening " + before[1])


WALK = [  # key, what the bus must carry, what the folder list then reads (from its entries before)
    ("Tab", lambda: seen("object:state-changed:focused", detail=1), None),
    ("Tab", focused(drives), None),
    ("Down", combo_moved(e_drive), None),
    ("alt+Down", lambda: seen("object:state-changed:expanded", drives, detail=1)
     and has_state(drives, Atspi.StateType.EXPANDED), None),
    ("Up", combo_moved(c_drive), None),
    ("Return", lambda: seen("object:state-changed:expanded", drives, detail=0)
     and seen("object:children-changed:add", folder_list), entries_after_choosing_c),
    ("Tab", focused(path_box), None),
    ("Tab", focused(folder_list), None),
    ("Down", list_moved(0), None),
    ("End", lambda: list_moved(folder_list.get_child_count() - 1)(), None),
    ("Home", list_moved(0), None),
    ("Down", list_moved(1), None),
    ("Return", list_moved(1), entries_after_opening),
]
for key, told, afterwards in WALK:
    before = children(folder_list)
    press(key)
    if not pump(WAIT_SECONDS, told):
        fail("%s did not tell a reader what it did" % key)
    pump(0.3)
    report(key)
    if afterwards:
        afterwards(before)

# --- A message box is named by its caption ---

for _ in range(6):  # past the buttons and the drive selector to the path box
    press("Tab")
    if pump(10, focused(path_box)):
        break
press("ctrl+a")
subprocess.run(["xdotool", "type", "--delay", "20", "C:\\New Folder"], check=True)
press("Return")
found = []
pump(WAIT_SECONDS, lambda: found.append(find(application(), "alert")) or found[-1])
alert = found[-1] if found else None
if alert is None or alert.get_name() != texts["IDS_NAZWA_GRY"]:
    fail("the question box is named %r, not by its caption %r"
         % (alert.get_name() if alert else None, texts["IDS_NAZWA_GRY"]))
else:
    print("question box  %s" % describe(alert))

if failures:
    print("%d failure(s)" % len(failures))
    sys.exit(1)
print("a reader hears the target folder page")
