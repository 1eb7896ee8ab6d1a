// Scroll rules of the settings bars.
#include "settings/scrollrules.h"

#include <math.h>

int ApplyScroll(const ScrollRule *rule, int value, int code, int thumb)
{
    switch (code) {
    case SCROLL_LINE_LEFT:
        if (value > rule->low)
            return value - rule->line < rule->low ? rule->low : value - rule->line;
        return value;
    case SCROLL_LINE_RIGHT:
        if (value < rule->high)
            return value + rule->line > rule->high ? rule->high : value + rule->line;
        return value;
    case SCROLL_PAGE_LEFT:
        return value - rule->page < rule->low ? rule->low : value - rule->page;
    case SCROLL_PAGE_RIGHT:
        return value + rule->page > rule->high ? rule->high : value + rule->page;
    case SCROLL_THUMB_POSITION:
        return thumb;
    default:
        return value;
    }
}

int ToTenths(float value)
{
    return (int)lround((double)value * 10.0);
}
