/*
 * The decoder's command line. The front end writes its options in the order -t -m -f -d -r -n
 * -e, the radius as an integer and the centre with two decimals; people at a console may write
 * them in any order and with any number of decimals. Each option may come once.
 */
#include "cmdline.h"

#include <stdlib.h>
#include <string.h>

namespace {

const char USAGE[] =
    "morvane: turns a BGL scenery file into XML for the scenery compiler\r\n"
    "\r\n"
    "usage: morvane [options] input.bgl output.xml\r\n"
    "\r\n"
    "  -t         no progress lines: only errors and the summary line\r\n"
    "  -m         navaid ranges, and the radius, in statute miles\r\n"
    "  -f         altitudes in feet (written with the compiler's F suffix)\r\n"
    "  -d         latitudes and longitudes as degrees, minutes and seconds\r\n"
    "  -rN        with -n and -e: only what lies within N nautical miles (statute miles\r\n"
    "             with -m) of the centre; N a whole number, a negative one counts as 0\r\n"
    "  -n[S]D.DD  the centre's latitude in degrees, S for south\r\n"
    "  -e[W]D.DD  the centre's longitude in degrees, W for west\r\n"
    "  -h, --help, /?  this text\r\n"
    "\r\n"
    "exit codes: 0 done, 1 command line refused, 2 input not readable,\r\n"
    "            3 output not writable, 4 not a BGL file, or damaged (the offset is named\r\n"
    "            and no output file is left)\r\n";

bool IsDigits(const char *text, size_t minimum, size_t maximum)
{
    size_t count = strspn(text, "0123456789");
    return text[count] == '\0' && count >= minimum && count <= maximum;
}

/* An integer radius, optionally negative, as the front end writes it or a person types it. */
bool ParseRadius(const char *text, double *radius)
{
    const char *digits = *text == '-' ? text + 1 : text;
    if (!IsDigits(digits, 1, 10))
        return false;
    *radius = atof(text);
    return *radius >= -2147483648.0 && *radius <= 2147483647.0;
}

/* Degrees with an optional sign letter (`negative`) and decimals, at most `limit`. */
bool ParseDegrees(const char *text, char negative, double limit, double *degrees)
{
    bool south = *text == negative;
    const char *number = south ? text + 1 : text;
    size_t whole = strspn(number, "0123456789");
    if (whole == 0 || whole > 3)
        return false;
    if (number[whole] == '.' && !IsDigits(number + whole + 1, 1, 8))
        return false;
    if (number[whole] != '.' && number[whole] != '\0')
        return false;
    double value = atof(number);
    if (value > limit)
        return false;
    *degrees = south ? -value : value;
    return true;
}

bool IsHelp(const char *arg)
{
    return strcmp(arg, "-h") == 0 || strcmp(arg, "--help") == 0 || strcmp(arg, "/?") == 0;
}

Command Refused(Command command, const std::string &why)
{
    command.kind = COMMAND_REFUSED;
    command.error = why;
    return command;
}

} // namespace

const char *UsageText()
{
    return USAGE;
}

Command ParseCommandLine(int argc, const char *const *argv)
{
    Command command = {};
    command.kind = COMMAND_DECODE;
    if (argc < 2)
        return Refused(command, "no input and output file given");
    for (int i = 1; i < argc; ++i)
        if (IsHelp(argv[i])) {
            command.kind = COMMAND_HELP;
            return command;
        }
    if (argc < 3)
        return Refused(command, "expected an input file and an output file after the options");
    bool seen[128] = {};
    DecodeOptions &options = command.options;
    for (int i = 1; i < argc - 2; ++i) {
        const char *arg = argv[i];
        unsigned char letter = arg[0] == '-' ? (unsigned char)arg[1] : 0;
        if (letter >= 128 || !strchr("tmfdrne", letter) || letter == 0)
            return Refused(command, std::string("unknown option '") + arg + "'");
        if (seen[letter])
            return Refused(command, std::string("option -") + (char)letter + " given twice");
        seen[letter] = true;
        const char *value = arg + 2;
        bool plain = strchr("tmfd", letter) != nullptr;
        if (plain && *value)
            return Refused(command, std::string("unknown option '") + arg + "'");
        bool good = true;
        switch (letter) {
        case 't': options.quiet = true; break;
        case 'm': options.miles = true; break;
        case 'f': options.feet = true; break;
        case 'd': options.dms = true; break;
        case 'r': good = ParseRadius(value, &options.radius); break;
        case 'n': good = ParseDegrees(value, 'S', 90.0, &options.centerLatitude); break;
        case 'e': good = ParseDegrees(value, 'W', 180.0, &options.centerLongitude); break;
        }
        if (!good)
            return Refused(command, std::string("bad value in '") + arg +
                                        "' (a partial decode needs -rN -n[S]D.DD -e[W]D.DD)");
    }
    int partial = seen[(int)'r'] + seen[(int)'n'] + seen[(int)'e'];
    if (partial != 0 && partial != 3)
        return Refused(command, "a partial decode needs all of -rN, -n[S]D.DD and -e[W]D.DD");
    options.partial = partial == 3;
    command.input = argv[argc - 2];
    command.output = argv[argc - 1];
    if (!*command.input || !*command.output)
        return Refused(command, "an empty file name");
    /* "-t in.bgl" is an option and one path, not two paths. */
    if (*command.input == '-' || *command.output == '-')
        return Refused(command, "expected an input file and an output file after the options");
    return command;
}
