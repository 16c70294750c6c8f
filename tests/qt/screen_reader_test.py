"""The running game read over the accessibility bus, as a screen reader reads it.

Plays the opening with Space on the focused picture, visits a heroine with Space on her button,
goes home, and checks the tree each time: the scene text published once, no hidden control, the
names, the bars' values as drawn, no backslash anywhere, and each new line told alone.
"""
import sys
import time

import pyatspi
from gi.repository import GLib

STATS = ["陽だまり", "ときめき", "やすらぎ", "親しさ"]
inserted = []  # (source role, text) of every object:text-changed:insert


def fail(why):
    print("FAIL:", why)
    sys.exit(1)


def pump(seconds):
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()


def walk(obj):
    yield obj
    for child in obj:
        yield from walk(child)


def text_of(obj):
    try:
        return obj.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def find(win, role, name=None):
    return [o for o in walk(win) if o.getRole() == role and name in (None, o.name)]


def settle(win):
    """The picture's text once it holds still (the text timer has reached the page's end)."""
    seen = []
    for _ in range(60):
        pump(0.3)
        seen.append(text_of(find(win, pyatspi.ROLE_IMAGE, "場面")[0]))
        if seen[-3:] == [seen[-1]] * 3:
            return seen[-1]
    fail("the scene text never settled")


def check_tree(win, heroines):
    for o in walk(win):
        state = o.getState()
        if not (state.contains(pyatspi.STATE_VISIBLE) and state.contains(pyatspi.STATE_SHOWING)):
            fail("hidden control published: %s %r" % (o.getRoleName(), o.name))
        if any("\\" in text for text in (o.name, o.description, text_of(o))):
            fail("backslash published in %s %r" % (o.getRoleName(), o.name))
    for role, name in ((pyatspi.ROLE_LIST, "持ち物"), (pyatspi.ROLE_TEXT, "名前"),
                       (pyatspi.ROLE_IMAGE, "場面"), (pyatspi.ROLE_PANEL, "ステータス")):
        if len(find(win, role, name)) != 1:
            fail("not one control named %s" % name)
    pic = find(win, pyatspi.ROLE_IMAGE, "場面")[0]
    page = text_of(pic)
    first = page.split("\n")[0]
    if page and (pic.description != page or sum(first in o.name + text_of(o)
                                                  for o in walk(win) if o != pic) != 1):
        fail("the page is not the picture's description and one label's text: %r" % page)
    if any(o.name not in heroines for o in pic if o.getRole() == pyatspi.ROLE_IMAGE):
        fail("a face not named for a heroine")
    panel = find(win, pyatspi.ROLE_PANEL, "ステータス")[0].queryComponent().getExtents(0)
    bars = find(win, pyatspi.ROLE_PROGRESS_BAR)
    if [b.name for b in bars] != ["%s %s" % (h, s) for h in heroines for s in STATS]:
        fail("bars named %s" % [b.name for b in bars])
    for bar in bars:
        value = bar.queryValue()
        drawn = bar.queryComponent().getExtents(0).width * 150 / panel.width
        if (value.minimumValue, value.maximumValue) != (0, 100) or \
                abs(value.currentValue - drawn) > 1.5:
            fail("%s is %s, drawn as %.1f" % (bar.name, value.currentValue, drawn))


def press_space(win, heroines):
    """Space on the focused picture: false when the scene ends, else the new lines were told."""
    if not find(win, pyatspi.ROLE_IMAGE, "場面")[0].getState().contains(pyatspi.STATE_FOCUSED):
        fail("the picture does not have the keyboard during a scene")
    del inserted[:]
    pyatspi.Registry.generateKeyboardEvent(0x20, None, pyatspi.KEY_SYM)
    page = settle(win)
    check_tree(win, heroines)
    lines = [line for line in page.split("\n") if line]
    for source, role in (("the picture", pyatspi.ROLE_IMAGE), ("the scene text", pyatspi.ROLE_LABEL)):
        told = [text for r, text in inserted if r == role]
        if page and told[-len(lines):] != lines:
            fail("%s told %r for the page %r" % (source, told, lines))
    return bool(page)


def main():
    pyatspi.Registry.registerEventListener(
        lambda e: inserted.append((e.source.getRole(), e.any_data)), "object:text-changed:insert")
    for _ in range(150):
        apps = [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "porukami"]
        if apps and apps[0].getChildCount():
            break
        time.sleep(0.2)
    else:
        fail("the game never appeared on the accessibility bus")
    win = apps[0][0]
    heroines = [b.name for b in find(win, pyatspi.ROLE_PUSH_BUTTON)][:3]
    settle(win)
    check_tree(win, heroines)
    pages = 1
    while press_space(win, heroines):
        pages += 1
    # A visit started from the keyboard: Space then reads the scene on instead of visiting again.
    find(win, pyatspi.ROLE_PUSH_BUTTON, heroines[0])[0].queryComponent().grabFocus()
    pump(0.2)
    pyatspi.Registry.generateKeyboardEvent(0x20, None, pyatspi.KEY_SYM)
    settle(win)
    check_tree(win, heroines)
    while press_space(win, heroines):
        pages += 1
    # Home until a request is posted (none, one or two a day): rewards are read in ¥.
    for _ in range(10):
        find(win, pyatspi.ROLE_PUSH_BUTTON, "家に帰る")[0].queryAction().doAction(0)
        settle(win)
        check_tree(win, heroines)
        requests = [item.name for list in find(win, pyatspi.ROLE_LIST, "依頼") for item in list]
        if requests:
            break
    if not requests or not all("¥" in r for r in requests):
        fail("requests read %s" % requests)
    print("tree and announcements as expected over %d pages" % pages)


main()
