"""Lists the events of the desktop calendar service's default calendar the way khal lists
them ("date|title"), after checking that each is an all-day event of one day, free time, with
no alarm and the category its subject calls for. Needs Debian's Python, whose gi has the
service's bindings."""
import datetime
import re
import sys

import gi

gi.require_version("ECal", "2.0")
gi.require_version("EDataServer", "1.2")
gi.require_version("ICalGLib", "3.0")
from gi.repository import ECal, EDataServer, ICalGLib  # noqa: E402

BIRTHDAY = re.compile(r": -?\d+ years$")
DONT_WAIT_FOR_CONNECTED = 0xFFFFFFFF


def day_of(time):
    return datetime.date(time.get_year(), time.get_month(), time.get_day())


def faults(event):
    summary = event.get_summary() or ""
    start, end = event.get_dtstart(), event.get_dtend()
    found = []
    if not (start and end and start.is_date() and end.is_date()):
        return ["not all-day"]
    if day_of(end) - day_of(start) != datetime.timedelta(days=1):
        found.append("not one day long")
    categories = event.get_first_property(ICalGLib.PropertyKind.CATEGORIES_PROPERTY)
    wanted = "Birthdays" if BIRTHDAY.search(summary) else "Name Days"
    if not categories or categories.get_categories() != wanted:
        found.append(f"category is not {wanted}")
    transp = event.get_first_property(ICalGLib.PropertyKind.TRANSP_PROPERTY)
    if not transp or transp.get_transp() != ICalGLib.PropertyTransp.TRANSPARENT:
        found.append("not free time")
    if event.get_first_component(ICalGLib.ComponentKind.VALARM_COMPONENT):
        found.append("has an alarm")
    return found


def main():
    registry = EDataServer.SourceRegistry.new_sync(None)
    source = registry.ref_default_calendar()
    client = ECal.Client.connect_sync(
        source, ECal.ClientSourceType.EVENTS, DONT_WAIT_FOR_CONNECTED, None)
    _, events = client.get_object_list_sync("#t", None)
    bad = 0
    for event in events:
        problems = faults(event)
        if problems:
            bad += 1
            print(f"{event.get_summary()}: {', '.join(problems)}", file=sys.stderr)
            continue
        print(f"{day_of(event.get_dtstart())}|{event.get_summary()}")
    print(f"{len(events)} events in {source.get_display_name()}, {bad} wrong", file=sys.stderr)
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
