// The built-in label table.
#include "settings/labels.h"

static const char *const kLabels[LABEL_COUNT] = {
    // Language files, by language index
    "Deutsch.txt", "Englisch.txt", "Franzoesisch.txt", "Niederlaendisch.txt",
    "Polnisch.txt", "Spanisch.txt", "Italienisch.txt", "Rumaenisch.txt",
    // Glider classes, as the instrument writes them into IGC headers
    "<>", "Flexible Wing", "Rigid Wing", "Paraglider (Open)", "Paraglider (Sport)",
    "Paraglider (Tandem)", "Paraglider (Fun Cup)", "HG (Fun Cup)",
    // Display fields, by field value
    "Time", "Flighttime", "*AGL", "*AGL feet", "Height Absolut", "Height Absolut feet",
    "Height Relativ", "Height Sum", "Flightlevel", "QNH hPA", "Course over Ground",
    "Distance to Waypoint", "Distance to Airspace", "Distance from Thermik",
    "Distance from Track", "Akku Level", "Empty Field",
    // Credit line of the preview, by language
    "Tolmaro von Holdranek", "Tolmaro from Holdranek", "Tolmaro de Holdranek",
    "Tolmaro van Holdranek", "Tolmaro z Holdranek", "Tolmaro de Holdranek",
    "Tolmaro di Holdranek", "Tolmaro de Holdranek",
    // Subheading of settings page 1, by language
    "Seite 1", "Side 1", "Page 1", "Pagina 1", "Stronie 1", "Lado 1", "Pagina 1", "Pagin 1",
    // Subheading of settings page 2
    "Seite 2", "Side 2", "Page 2", "Pagina 2", "Stronie 2", "Lado 2", "Pagina 2", "Pagin 2",
    // Label of display field 1
    "Feld 1", "Field 1", "Champ 1", "Veld 1", "Odczytowe 1", "Campo 1", "Campo 1", "Camp 1",
    // Label of display field 2
    "Feld 2", "Field 2", "Champ 2", "Veld 2", "Odczytowe 2", "Campo 2", "Campo 2", "Camp 2",
};

const char *BuiltInLabel(int index)
{
    if (index < 0 || index >= LABEL_COUNT)
        return "";
    return kLabels[index];
}
