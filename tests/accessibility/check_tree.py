"""Reads Photara's accessibility tree as a screen reader does, presses a few buttons through
AT-SPI, and checks what it meets: nothing hidden, every control named, the display in one
piece, the status line's news, the Data Logger's list and both clocks at once.

Exit 0 when every check holds, 1 with the faults listed, 77 when no Photara appeared on the
accessibility bus (the tier then skips)."""
import re
import sys
import time

import pyatspi

FOCUSABLE_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_COMBO_BOX,
                   pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT,
                   pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST,
                   pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SLIDER}
READING = re.compile(r"\d[\d.]* ?K? ?(cd/m²|KfL|fL)")
CLOCK = re.compile(r"\d{4}/\d\d/\d\d \d\d:\d\d:\d\d")
DESIGN_NAME = re.compile(r"(CmdBtn|Cmd\d+|SSCommand\d+|Command\d+)(_\d+)?")


def find_photara(deadline):
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and (app.name or "").lower().startswith("photara") \
                    and app.childCount > 0:
                return app
        time.sleep(0.3)
    return None


def walk(node, path, out):
    out.append((node, path))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, path + [f"{child.getRoleName()} '{child.name}'"], out)


def tree(app):
    nodes = []
    walk(app, [app.name], nodes)
    return nodes


def describe(path):
    return " > ".join(path[-3:])


def wait_for(app, test, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = [n for n, _ in tree(app) if test(n)]
        if found:
            return found[0]
        time.sleep(0.3)
    return None


def press(app, name):
    """Presses the button of that name as a screen reader's user would."""
    button = wait_for(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == name, 5)
    if button is None:
        return False
    try:
        button.queryAction().doAction(0)
    except Exception:  # a modal window answers the press only once it closes
        pass
    return True


def check(nodes, faults):
    for node, path in nodes[1:]:
        role = node.getRole()
        # A closed menu (the recent files of Open) is hidden until it opens, and a table lists
        # the row headers it does not show: both are how toolkits present them.
        closed = role in (pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU,
                          pyatspi.ROLE_TABLE_ROW_HEADER)
        if not node.getState().contains(pyatspi.STATE_VISIBLE) and not closed:
            faults.append(f"hidden in the tree: {describe(path)}")
            continue
        if role in FOCUSABLE_ROLES and not (node.name or "").strip():
            faults.append(f"a control without a name: {describe(path)}")
        if DESIGN_NAME.fullmatch(node.name or ""):
            faults.append(f"a design name where a user name belongs: {describe(path)}")
    cells = [p for n, p in nodes if (n.name or "").startswith("Main reading, character")]
    if cells:
        faults.append(f"the display's single cells are in the tree: {describe(cells[0])}")


def main():
    pyatspi.setTimeout(2000, 15000)  # a press that opens a modal window answers late
    app = find_photara(time.time() + 40)
    if app is None:
        print("accessibility tier: SKIPPED: no Photara on the accessibility bus", file=sys.stderr)
        return 77
    faults = []
    # The display reads once the first report came.
    display = wait_for(app, lambda n: READING.search(n.name or "") is not None)
    if display is None:
        faults.append("no accessible reads the display's whole reading (value and unit)")
    nodes = tree(app)
    check(nodes, faults)

    if not press(app, "Data Logger"):
        faults.append("no button named 'Data Logger'")
    elif wait_for(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE
                  and n.name == "Recorded sets") is None:
        faults.append("the Data Logger window did not show its list of sets")
    # The status line's news is read as it is: List Display without data says why.
    if not press(app, "List Display"):
        faults.append("no button named 'List Display'")
    elif wait_for(app, lambda n: (n.name or "").startswith("No data yet"), 10) is None:
        faults.append("the status line's sentence is not what a screen reader reads")
    if not press(app, "Real Time Clock"):
        faults.append("no button named 'Real Time Clock'")
    elif wait_for(app, lambda n: CLOCK.fullmatch(n.name or "") is not None) is None:
        faults.append("the clock window shows no clock at once")
    opened = tree(app)
    check(opened, faults)
    press(app, "Exit")

    for fault in faults:
        print(fault)
    print(f"accessibility tier: {len(nodes)} then {len(opened)} accessibles read,"
          f" {len(faults)} faults; display: {display.name if display else None!r}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
