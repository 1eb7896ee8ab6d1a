// How a settings bar moves its value: line and page steps clamped into the
// bar's range, and the thumb taken where it is released.
#ifndef TOLMARO_SCROLLRULES_H
#define TOLMARO_SCROLLRULES_H

struct ScrollRule {
    int low, high;      // the bar's range
    int line, page;     // steps
};

// The scroll codes of a horizontal bar (SB_LINELEFT ... SB_THUMBPOSITION).
enum {
    SCROLL_LINE_LEFT = 0,
    SCROLL_LINE_RIGHT = 1,
    SCROLL_PAGE_LEFT = 2,
    SCROLL_PAGE_RIGHT = 3,
    SCROLL_THUMB_POSITION = 4,
};

// The value after a scroll code. A value above the range (a volume byte of
// 255 from the settings file) is moved by the same rules: a line step right
// leaves it, a page step right brings it to the top of the range. The thumb
// position is taken as it is; other codes leave the value unchanged.
int ApplyScroll(const ScrollRule *rule, int value, int code, int thumb);

// The number of whole tenths nearest to a threshold value.
int ToTenths(float value);

#endif
