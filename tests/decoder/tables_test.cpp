// The BGL decoder on files written by the fixture writer: the encodings against hand-worked
// values, the whole document of one record of each kind, each option, and damaged files
// refused with the offset of the damage.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "bgl_writer.h"
#include "decoder.h"
#include "encodings.h"
#include "xml_writer.h"

namespace {

struct Decoded { bool ok; DecodeResult result; std::string xml; std::vector<std::string> notes; };

Decoded Decode(const std::string &bytes, DecodeOptions options = DecodeOptions())
{
    Decoded run;
    DecodeOutput output = {&run, [](void *to, const char *b, size_t n) { static_cast<Decoded *>(to)->xml.append(b, n); },
                           [](void *to, const char *line) { static_cast<Decoded *>(to)->notes.push_back(line); }};
    // An exact-size heap copy, so a read past the end is caught by AddressSanitizer.
    std::vector<unsigned char> copy(bytes.begin(), bytes.end());
    run.ok = DecodeBgl(copy.data(), copy.size(), options, output, &run.result);
    return run;
}

TEST(BglEncodings, IdentsAndCoordinateTextThatEncodesBack)
{
    // "ABCD" = ((12 * 38 + 13) * 38 + 14) * 38 + 15 = 677783, stored shifted left by 5 bits.
    EXPECT_EQ(0x014AF2E0u, PackIdent("ABCD") << 5);
    EXPECT_EQ("K1 9", BglIdent(PackIdent("K1 9")));
    for (uint32_t raw = 12345; raw < 0x20000000; raw += 7654321)
        for (bool latitude : {true, false}) {
            std::string text;
            AppendCoordinate(text, raw, latitude);
            EXPECT_EQ(raw, RawCoordinate(atof(text.c_str()), latitude)) << text;
        }
}

// The sample, decoded: every element with every attribute, in order, each line ended by CR LF.
const char SAMPLE_XML[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<FSData version="9.0" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:noNamespaceSchemaLocation="bglcomp.xsd">
  <Waypoint lat="50.1" lon="14.2" waypointType="NAMED" magvar="0" waypointRegion="LK" waypointIdent="ABCD"/>
  <Airport region="LK" lat="50.1" lon="14.2" alt="380" magvar="-4" ident="LKSF" name="Sample Field">
    <Runway lat="50.1" lon="14.2" alt="380" surface="ASPHALT" heading="62.5" length="3715" width="45" number="06" designator="NONE" patternAltitude="300"/>
    <Start type="RUNWAY" lat="50.09" lon="14.18" alt="380" heading="62.5" number="06" designator="NONE"/>
    <Com frequency="118.1" type="TOWER" name="Sample Tower"/>
    <Helipad lat="50.11" lon="14.21" alt="381" surface="CONCRETE" heading="0" length="20" width="20" type="H" transparent="FALSE" closed="FALSE"/>
  </Airport>
  <Vor lat="50.2" lon="14.3" alt="300" type="HIGH" frequency="113.9" range="240760" magvar="-4" region="LK" ident="SFV" dme="TRUE" nav="TRUE" dmeOnly="FALSE" name="Sample VOR">
    <Dme lat="50.2" lon="14.3" alt="300" range="240760"/>
  </Vor>
  <Ndb lat="50" lon="14" alt="250" type="H" frequency="344" range="46300" magvar="-4" region="LK" ident="SF" name="Sample NDB"/>
</FSData>
)";

TEST(BglDecode, OneRecordOfEachKind)
{
    Decoded run = Decode(WriteBgl(SampleRecords()));
    ASSERT_TRUE(run.ok) << run.result.error;
    std::string expected;
    for (const char *c = SAMPLE_XML; *c; ++c)
        expected += *c == '\n' ? "\r\n" : std::string(1, *c);
    EXPECT_EQ(expected, run.xml);
    EXPECT_EQ("written: 1 Waypoint, 1 Runway, 1 Start, 1 Com, 1 Helipad, 1 Airport, 1 Dme, 1 Vor, 1 Ndb; "
              "skipped: 1 records, 1 sections; 0 outside the radius",
              DecodeSummary(run.result));
    for (const char *note : {"section 4: type 0x2D (unknown), 1 subsections in 16 bytes, skipped",
                             "skipped 1 records of id 0x00EE in sections of type 0x3, 10 bytes"})
        EXPECT_NE(run.notes.end(), std::find(run.notes.begin(), run.notes.end(), note)) << note;
}

// Files other than the sample, and the sample under each option: what the XML holds, and what
// it must not ("!").
TEST(BglDecode, OtherLayoutsAndOptions)
{
    const Place orly = {48, 2, 100};
    std::string runway = Le16(0) + std::string{24, 1} + std::string(10, '\0') + At(orly) + Floats({2000, 30, 240, 0});
    std::string ils = std::string{4, 0x04} + At(orly) + Words({110300000}) + Floats({27780, 1}) + Names("IPA", "LF") +
                      Framed(0x14, std::string{24, 1} + Floats({240.5, 5})); // localizer: heading and width
    const std::string others = WriteBgl({{0x03, AirportRecord(0x0003, orly, 1, "LFPO", "LF", Framed(0x04, runway))},
                                         {0x03, AirportRecord(0x0113, {49, 3, 90}, 1, "LFPG", "LF", "")},
                                         {0x13, Framed(0x13, ils)}});
    const std::string sample = WriteBgl(SampleRecords());
    // Exclusion rectangles: a section not framed as records, 20-byte entries as many as fit
    // (the 4 bytes after the second are not a third).
    auto bounds = [](double south, double north, double west, double east) {
        return Words({RawCoordinate(west, false), RawCoordinate(north, true), RawCoordinate(east, false),
                      RawCoordinate(south, true)});
    };
    const std::string unframed = WriteBgl({{0x2E, Words({0x008}) + bounds(47, 47.5, 8, 8.5) + Words({0x400}) +
                                                      bounds(-33.5, -33, -70.5, -70) + Words({0})}});
    const struct { const char *name; const std::string &file; DecodeOptions options; std::vector<std::string> parts; unsigned long outside; } cases[] = {
        {"unframed section", unframed, {}, {"<ExclusionRectangle latitudeMinimum=\"47\" latitudeMaximum=\"47.5\" "
          "longitudeMinimum=\"8\" longitudeMaximum=\"8.5\" excludeAllObjects=\"TRUE\" excludeBeaconObjects=\"FALSE\"",
          "<ExclusionRectangle latitudeMinimum=\"-33.5\" latitudeMaximum=\"-33\" longitudeMinimum=\"-70.5\" "
          "longitudeMaximum=\"-70\" excludeAllObjects=\"FALSE\"", "excludeWindsockObjects=\"TRUE\"/>\r\n</FSData>"}, 0},
        // Options: quiet, miles, feet, dms, partial, radius, centre.
        {"other layouts", others, {}, {"ident=\"LFPO\">\r\n    <Runway", "number=\"24\" designator=\"LEFT\"",
          "<Airport lat=\"49\" lon=\"3\" alt=\"90\" magvar=\"1\" trafficScalar=\"0\" applyFlatten=\"FALSE\" "
          "isOnTIN=\"FALSE\" closed=\"FALSE\" starAirport=\"FALSE\" ident=\"LFPG\" region=\"LF\">\r\n    <AirportArchetype/>\r\n    <Aprons/>\r\n    <PaintedElements/>\r\n    <ApronEdgeLights/>\r\n  </Airport>",
          "<Ils lat=\"48\" lon=\"2\" alt=\"100\" frequency=\"110.3\" range=\"27780\" magvar=\"1\" "
          "region=\"LF\" ident=\"IPA\" backCourse=\"TRUE\" heading=\"240.5\" width=\"5\"/>"}, 0},
        {"feet", sample, {false, false, true, false, false, 0, 0, 0}, {"alt=\"1246.719F\"", "patternAltitude=\"984.252F\"", "!alt=\"380\""}, 0},
        {"dms", sample, {false, false, false, true, false, 0, 0, 0}, {"lat=\"N50\xC2\xB0 06' 00&quot;\" lon=\"E014\xC2\xB0 12' 00&quot;\"", "!lat=\"50.1\""}, 0},
        {"miles", sample, {false, true, false, false, false, 0, 0, 0}, {"range=\"149.601\"", "length=\"3715\"", "!range=\"240760\""}, 0},
        {"quiet", sample, {true, false, false, false, false, 0, 0, 0}, {"<Ndb"}, 0},
        // 5 nm round 50 N 14 E: only the NDB; a negative radius is taken as 0, not as 5.
        {"radius", sample, {false, false, false, false, true, 5, 50.0, 14.0}, {"<Ndb", "!<Airport", "!<Waypoint", "!<Vor"}, 3},
        {"negative radius", sample, {false, false, false, false, true, -5, 50.0, 14.0}, {"</FSData>", "!<Ndb", "!<Airport"}, 4},
    };
    for (const auto &c : cases) {
        Decoded run = Decode(c.file, c.options);
        ASSERT_TRUE(run.ok) << c.name << ": " << run.result.error;
        for (const std::string &part : c.parts)
            EXPECT_NE(part[0] == '!', run.xml.find(part.substr(part[0] == '!')) != std::string::npos) << c.name << ": " << part << " in\n" << run.xml;
        EXPECT_EQ(c.outside, run.result.outside) << c.name;
        EXPECT_EQ(c.options.quiet, run.notes.empty()) << c.name;
    }
}

TEST(BglDecode, DamagedFilesAreRefusedAtTheDamage)
{
    const std::string good = WriteBgl({{0x22, WaypointRecord({1, 2, 0}, 0, "A", "B")}});
    const size_t record = good.size() - 28; // the one record, after one pointer and one entry
    auto put = [](size_t at, uint32_t value) { return [=](std::string b) { return b.replace(at, 4, Words({value})); }; };
    const struct { const char *name; std::function<std::string(std::string)> damage; size_t offset; const char *says; } cases[] = {
        {"truncated header", [](std::string b) { return b.substr(0, 40); }, 40, "truncated header"},
        {"not a BGL file", put(0, 'M'), 0, "not a BGL file"},
        {"too many sections", put(0x14, 5), 0x14, "5 sections"},
        {"section past the end", put(0x38 + 12, 0x1000), 0x38 + 12, "past the end"},
        {"section larger than the file", put(0x38 + 16, 0x1000), 0x38 + 12, "past the end"},
        {"too many subsections", put(0x38 + 8, 2), 0x38 + 8, "2 subsections"},
        {"data past the end", put(0x4C + 12, 29), 0x4C + 8, "past the end"},
        {"record count too large", put(0x4C + 4, 5), 0x4C + 4, "5 records"},
        {"record size 0", put(record + 2, 0), record + 2, "size 0"},
        {"record past its data", put(record + 2, 29), record + 2, "runs past"},
        {"record too short", put(record + 2, 20), record + 2, "layout needs 28"},
    };
    ASSERT_TRUE(Decode(good).ok);
    for (const auto &c : cases) {
        Decoded run = Decode(c.damage(good));
        const std::string &error = run.result.error;
        EXPECT_TRUE(!run.ok && c.offset == run.result.errorOffset && error.find(c.says) != std::string::npos &&
                    error.find("offset") != std::string::npos)
            << c.name << ": at " << run.result.errorOffset << ": " << error;
    }
}

} // namespace

namespace {

// Newest runway sub-records no corpus file holds, laid out like the ones the corpus shows:
// overruns like offset thresholds (ids from the classic runway's list), a secondary right VASI.
TEST(BglDecode, NewestRunwayChildrenNoCorpusFileHolds)
{
    const Place field = {46, -119, 120};
    std::string surfaceEnd = Le16(0) + std::string(16, '\0') + Floats({75, 50});
    std::string vasi = Le16(8) + Floats({12, 300, 9, 3});
    std::string runway = Le16(0) + std::string{12, 0, 30, 0} + std::string(8, '\0') + At(field) +
                         Floats({2000, 45, 120, 300});
    runway.resize(0x60 - 6, '\0');
    runway += Framed(0x09, surfaceEnd) + Framed(0x0A, surfaceEnd) + Framed(0x0E, vasi);
    std::string edgeLights(0x18 - 6, '\0'); // no vertices: the container is filled all the same
    // Starts at 12, 30 and 12L: the ends of the runway are told by number and designator, and
    // what one airport's runways leave is not used for the next airport's starts.
    auto start = [&](char number, char typeAndDesignator) {
        return Framed(0x11, std::string{number, typeAndDesignator} + At(field) + Floats({135}));
    };
    std::string starts = start(12, 0x10) + start(30, 0x10) + start(12, 0x11);
    Decoded run = Decode(WriteBgl({{0x03, AirportRecord(0x0056, field, 0, "KXYZ", "",
                                                        Framed(0xCE, runway) + Framed(0x31, edgeLights) + starts)},
                                   {0x03, AirportRecord(0x0056, field, 0, "KXYY", "", start(12, 0x10))}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    // The containers a newest airport always holds: the one its record filled once, the others
    // empty, in each of the two airports.
    EXPECT_EQ(2u, WrittenCount(run.result, "ApronEdgeLights"));
    EXPECT_NE(std::string::npos, run.xml.find("<Aprons/>"));
    EXPECT_NE(std::string::npos, run.xml.find("<PaintedElements/>"));
    for (const char *part : {"<Overrun end=\"PRIMARY\" surface=\"{00000000-0000-0000-0000-000000000000}\" length=\"75\" width=\"50\"/>",
                             "<Overrun end=\"SECONDARY\"",
                             "<Vasi end=\"SECONDARY\" side=\"RIGHT\" type=\"PAPI4\" biasX=\"12\" biasZ=\"300\" spacing=\"9\" pitch=\"3\"/>",
                             "<RunwayStart end=\"PRIMARY\" lat=", "<RunwayStart end=\"SECONDARY\" lat="})
        EXPECT_NE(std::string::npos, run.xml.find(part)) << part << " in\n" << run.xml;
    EXPECT_EQ(4u, WrittenCount(run.result, "RunwayStart"));
    size_t withEnd = 0;
    for (size_t at = run.xml.find("<RunwayStart end="); at != std::string::npos; at = run.xml.find("<RunwayStart end=", at + 1))
        ++withEnd;
    EXPECT_EQ(2u, withEnd);
}

// Section 0x65: shapes after a table of attributes they reach by offset (items as long as their
// layout reads, items through offsets, items starting after a table of its own size), points
// packed in the grid of the record's cell (a ring whose closing point is not written), steps
// coded 1 decoded into vertices, a rectangle's attributes told by GUID.
TEST(BglDecode, PolygonsAndRectangles)
{
    auto guid = [](uint32_t first, uint16_t second, uint16_t third, uint64_t rest) {
        std::string bytes = Words({first}) + Le16(second) + Le16(third);
        for (int i = 7; i >= 0; --i)
            bytes += (char)(rest >> (8 * i) & 0xFF);
        return bytes;
    };
    auto packed = [](std::initializer_list<uint32_t> values, unsigned bits) {
        std::string bytes((values.size() * bits + 7) / 8, '\0');
        size_t at = 0;
        for (uint32_t value : values)
            for (unsigned i = 0; i < bits; ++i, ++at)
                bytes[at / 8] = (char)(bytes[at / 8] | ((value >> i & 1) << (at % 8)));
        return std::string{(char)bits} + bytes;
    };
    std::string table = guid(0x591218A9, 0x7B17, 0x40CC, 0xB38C57A201A20C1Dull) + Words({1}) + std::string{(char)214} +
                        guid(0xCE85242F, 0x4110, 0x4706, 0x83441F3A8EE422BEull) + Words({6}) + std::string("0.3.0", 6) +
                        guid(0x99312E49, 0x88B1, 0x470E, 0xBD06CA3A6A8C53CFull) + Words({4}) + Floats({20}) +
                        guid(0x302AC02A, 0x007B, 0x493D, 0xA1B84E7A408304BFull) + Words({16}) +
                        Floats({1000, 0.5f}) + Words({0xFFC00000, 0xFFC00000});
    std::string ring = Words({1, 3}) + Le16(2) + Words({0, 21, 4}) + std::string{2, 2} +
                       packed({0, 0, 8192, 16384, 0, 16384, 0, 0}, 15) + Floats({100});
    // Coded 1 (as steps): eight points and the closing one, from (1000, 2002) in the cell's grid,
    // the first step (3026, 4003), then fourteen changes of step in 15 bit planes (the fourteen:
    // -52 -13 38 -11984 -24 11998 35 -14 -46 -11988 45 12006 -24044 -8011).
    const unsigned char steps[] = {0x3C, 0x0C, 0x00, 0x3A, 0x1A, 0x80, 0x08, 0xC0, 0xFC, 0x00, 0xFC, 0x00,
                                   0xF4, 0x00, 0x0C, 0x00, 0xF8, 0x00, 0xFC, 0x00, 0x1B, 0x24, 0xD0, 0xB2,
                                   0x1C, 0x1A, 0xBD, 0x80, 0xE5, 0xF8, 0x27, 0x94, 0x42, 0x24};
    std::string stepped = Words({1, 3}) + Le16(1) + Words({0, 9}) + std::string{2, 1} +
                          Words({1000, 2002, 3026, 4003, sizeof steps}) +
                          std::string((const char *)steps, sizeof steps) + Floats({101});
    std::string rectangle = Words({1, 2}) + Le16(2) + Words({47, 71, 2}) + std::string{1, 2} +
                            packed({0, 0, 8192, 16384}, 16) + Floats({1000, 1001});
    std::string record = Words({6, 8760176, 1, 3, (uint32_t)table.size(), 5, 0, 0}) + table + ring + stepped + rectangle;
    Decoded run = Decode(WriteBgl({{0x65, record}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    for (const char *part : {"<Polygon altitude=\"100\">\r\n    <Attribute name=\"MaterialOpacity\" "
                             "guid=\"{591218A9-7B17-40CC-B38C-57A201A20C1D}\" type=\"UINT8\" value=\"214\"/>\r\n"
                             "    <Vertex lat=\"46.9335964\" lon=\"6.5625036\"/>",
                             "<Vertex lat=\"47.021487\" lon=\"6.6210973\"/>\r\n    <Vertex lat=\"47.021487\" "
                             "lon=\"6.5625036\"/>\r\n  </Polygon>",
                             "<Polygon altitude=\"101\">\r\n    <Attribute name=\"MaterialOpacity\" guid=\"{591218A9-7B17-40CC-B38C-57A201A20C1D}\" "
                             "type=\"UINT8\" value=\"214\"/>\r\n    "
                             "<Vertex lat=\"46.944336\" lon=\"6.569656\"/>\r\n    <Vertex lat=\"46.9658098\" lon=\"6.5912998\"/>\r\n"
                             "    <Vertex lat=\"46.9872138\" lon=\"6.6125715\"/>\r\n    <Vertex lat=\"46.9443306\" lon=\"6.634115\"/>\r\n"
                             "    <Vertex lat=\"46.9658098\" lon=\"6.655487\"/>\r\n    <Vertex lat=\"46.9872138\" lon=\"6.677109\"/>\r\n"
                             "    <Vertex lat=\"46.9443092\" lon=\"6.698402\"/>\r\n    <Vertex lat=\"46.9658098\" lon=\"6.720017\"/>\r\n"
                             "  </Polygon>\r\n  <Rectangle",
                             "<Rectangle width=\"20\" latitude=\"46.9335964\" longitude=\"6.5625036\" latitude2=\"47.021487\" "
                             "longitude2=\"6.6210973\" altitude=\"1000\" altitude2=\"1001\">\r\n    "
                             "<RunwayDeformation alt=\"1000\" ratio=\"0.5\"/>\r\n  </Rectangle>",
                             "!0.3.0"})
        EXPECT_NE(part[0] == '!', run.xml.find(part + (part[0] == '!')) != std::string::npos) << part << " in\n" << run.xml;
    EXPECT_EQ(11u, WrittenCount(run.result, "Vertex"));
}

} // namespace

namespace {

// Older record kinds no corpus file holds, written as the published descriptions lay them out
// (the classic airport 0x0003 and runway 0x0004 are in the sample above); and the taxiway
// signs, whose layout LEAR/LEAR_ADEX_ARV187.bgl shows, on a label of odd and one of even length.
TEST(BglDecode, OlderKindsNoCorpusFileHolds)
{
    const Place field = {40.25, -3.4, 600};
    // A runway of 0x44 bytes: surface, 09 L, ILS idents, position, length, width, heading, pattern altitude.
    std::string runway = Le16(4) + std::string{9, 1, 27, 2} + std::string(8, '\0') + At(field) +
                         Floats({3000, 45, 90, 300});
    runway.resize(0x44 - 6, '\0');
    auto pad = [](uint16_t id, float length) { return Framed(id, Le16(1) + Floats({length, 45})); };
    // An approach of 0x20 bytes (VOR, runway 09, fix VOR "ARV"), then its transition legs.
    std::string approach = std::string{'A', 9, 2, 0, 0, 0} + Words({PackIdent("ARV") << 5 | 2, PackIdent("LE")}) +
                           Floats({900, 90, 1200});
    // Taxiway paths of 36 bytes (corpus: LEAR): a TAXI path named by taxi name 3, a RUNWAY path
    // of runway 27 RIGHT (designator in the end point's top bits).
    auto path = [](uint16_t end, char type, char nameOrNumber) {
        std::string bytes = Le16(1) + Le16(end) + std::string{type, nameOrNumber, 0, 4} + Floats({20, 0});
        return bytes + std::string(36 - bytes.size(), '\0');
    };
    std::string paths = Framed(0x40, Le16(2) + path(2, 1, 3) + path(0x2003, 2, 27));
    std::string leg = std::string{4, 1, 2, 0} + Words({PackIdent("ARV") << 5 | 2, PackIdent("LE"), 0, 0}) +
                      Floats({0, 0, 270, 5000, 1500, 0});
    const std::string airport =
        WriteBgl({{0x03, AirportRecord(0x003C, field, 0, "LEXX", "LE",
                                       Framed(0x3E, runway + pad(0x05, 100) + pad(0x06, 110) + pad(0x07, 120) +
                                                        pad(0x08, 130) + pad(0x09, 140) + pad(0x0A, 150)) +
                                           Framed(0x24, approach + Framed(0x2F, Le16(1) + leg)) + paths)}});
    // Taxiway signs: 1000 m east and 500 m north of the object's position, the second.
    std::string signs = At(field) + Le16(1) + std::string(0x2C - 0x12, '\0') + Words({2}) +
                        Floats({0, 0}) + Le16(0x705B) + std::string{3, 2} + "l[A]" + std::string(2, '\0') +
                        Floats({1000, 500}) + Le16(0x8000) + std::string{1, 1} + "d<[B]" + std::string(1, '\0');
    const std::string sceneryFile = WriteBgl({{0x25, Framed16(0x0E, signs)}});
    const struct { const char *name; const std::string &file; const char *part; } rows[] = {
        // FSDeveloper wiki, "BGL File Format": runway sub-records 0x05-0x0A, surface, length, width.
        {"offset threshold, primary", airport, "<OffsetThreshold end=\"PRIMARY\" surface=\"GRASS\" length=\"100\" width=\"45\"/>"},
        {"offset threshold, secondary", airport, "<OffsetThreshold end=\"SECONDARY\" surface=\"GRASS\" length=\"110\""},
        {"blast pad, primary", airport, "<BlastPad end=\"PRIMARY\" surface=\"GRASS\" length=\"120\" width=\"45\"/>"},
        {"blast pad, secondary", airport, "<BlastPad end=\"SECONDARY\" surface=\"GRASS\" length=\"130\""},
        {"overrun, primary", airport, "<Overrun end=\"PRIMARY\" surface=\"GRASS\" length=\"140\" width=\"45\"/>"},
        {"overrun, secondary", airport, "<Overrun end=\"SECONDARY\" surface=\"GRASS\" length=\"150\""},
        // FSDeveloper wiki, "BGL File Format": transition legs 0x2F, legs of 0x2C bytes as the approach legs.
        {"transition legs", airport, "<TransitionLegs>\r\n        <Leg type=\"CF\" fixType=\"VOR\" fixRegion=\"LE\" "
                                     "fixIdent=\"ARV\" flyOver=\"FALSE\" turnDirection=\"R\""},
        {"transition leg values", airport, "trueCourse=\"270\" magneticCourse=\"270\" distance=\"5000\" time=\"5000\" "
                                           "altitudeDescriptor=\"A\" altitude1=\"1500\" altitude2=\"0\"/>\r\n      </TransitionLegs>"},
        // Corpus: LEAR/LEAR_ADEX_ARV187.bgl: a path's name, or its runway's number and designator.
        {"taxi path", airport, "<TaxiwayPath type=\"TAXI\" start=\"1\" end=\"2\" width=\"20\" weightLimit=\"0\" "
                               "drawSurface=\"FALSE\" drawDetail=\"FALSE\" surface=\"ASPHALT\" name=\"3\" centerLine"},
        {"runway path", airport, "surface=\"ASPHALT\" number=\"27\" designator=\"RIGHT\" centerLine"},
        {"no runway number on a taxi path", airport, "!name=\"3\" number"},
        {"no name on a runway path", airport, "!name=\"27\""},
        // Corpus: LEAR/LEAR_ADEX_ARV187.bgl. 500 m north is 500 / 111130.556 = 0.0044992 degrees;
        // 1000 m east, half-way at 40.2522 degrees, 1000 / (111319.49 cos 40.2522) = 0.0117703.
        {"sign at the object", sceneryFile, "<TaxiwaySign lat=\"40.25\" lon=\"-3.4\" heading=\"158\" label=\"l[A]\" "
                                            "size=\"SIZE3\" justification=\"RIGHT\"/>"},
        {"sign 1000 m east, 500 m north", sceneryFile, "<TaxiwaySign lat=\"40.254499\" lon=\"-3.3882295\" heading=\"180\" "
                                                      "label=\"d&lt;[B]\" size=\"SIZE1\" justification=\"LEFT\"/>"},
    };
    Decoded fromAirport = Decode(airport), fromScenery = Decode(sceneryFile);
    ASSERT_TRUE(fromAirport.ok) << fromAirport.result.error;
    ASSERT_TRUE(fromScenery.ok) << fromScenery.result.error;
    for (const auto &row : rows) {
        const std::string &xml = &row.file == &airport ? fromAirport.xml : fromScenery.xml;
        bool absent = row.part[0] == '!';
        EXPECT_NE(absent, xml.find(row.part + absent) != std::string::npos) << row.name << ": " << row.part << " in\n" << xml;
    }
    // A label without its NUL runs to the end of the record: refused there.
    std::string unended = signs.substr(0, signs.size() - 1);
    Decoded damaged = Decode(WriteBgl({{0x25, Framed16(0x0E, unended)}}));
    EXPECT_FALSE(damaged.ok);
    EXPECT_NE(std::string::npos, damaged.result.error.find("has no end")) << damaged.result.error;
}

} // namespace

// Texts as the XML carries them: the document is UTF-8; UTF-8 from the file is kept, other
// bytes above ASCII are read as ISO-8859-1, and control characters XML cannot hold become '?'.
TEST(BglText, NamesBecomeWellFormedUtf8)
{
    const struct { const char *stored, *written; } cases[] = {
        {"A&B <C> \"D\"", "A&amp;B &lt;C&gt; &quot;D&quot;"},
        {"N\xC3\xBCrnberg", "N\xC3\xBCrnberg"},             // UTF-8, as the newest files store it
        {"N\xFCrnberg", "N\xC3\xBCrnberg"},                 // ISO-8859-1
        {"\xE2\x82\xAC and \xF0\x9F\x9B\xAB", "\xE2\x82\xAC and \xF0\x9F\x9B\xAB"},
        {"\xC3(", "\xC3\x83("},                             // a cut sequence is two Latin-1 bytes
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},        // a surrogate is not UTF-8
        {"tab\there\x01\x7F", "tab&#9;here?\x7F"},
    };
    for (const auto &c : cases) {
        std::string out;
        AppendEscaped(out, c.stored, strlen(c.stored));
        EXPECT_EQ(c.written, out) << c.stored;
    }
}

// The polygon section's layout is known from a few files only: a subsection it cannot read is
// left out, said in a note and counted as a skipped section; the rest of the file is decoded.
// Damage to the container around it is still refused.
TEST(BglDecode, PolygonSectionNotUnderstoodIsLeftOut)
{
    const std::string garbage = Words({6, 0, 1, 1, 0x7FFFFFF0, 0, 0, 0}) + std::string(24, 'x');
    Decoded run = Decode(WriteBgl({{0x22, WaypointRecord({1, 2, 0}, 0, "A", "B")}, {0x65, garbage}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    EXPECT_NE(std::string::npos, run.xml.find("waypointIdent=\"A\""));
    EXPECT_EQ(std::string::npos, run.xml.find("<Polygon"));
    EXPECT_EQ(1u, run.result.skippedSections);
    EXPECT_EQ(1u, WrittenCount(run.result, "Waypoint"));
    EXPECT_EQ(1u, std::count_if(run.notes.begin(), run.notes.end(), [](const std::string &note) {
                  return note.find("subsection 0 of type 0x65 (terrain vectors) left out") != std::string::npos;
              }));
    // A shape of no known type, said to be one of 2^24: refused at the first, not walked 2^24 times.
    const std::string unknownShapes = Words({6, 0, 1, 1 << 24, 0, 0, 0, 0, 1, 7});
    run = Decode(WriteBgl({{0x22, WaypointRecord({1, 2, 0}, 0, "A", "B")}, {0x65, unknownShapes}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    EXPECT_EQ(1u, std::count_if(run.notes.begin(), run.notes.end(), [](const std::string &note) {
                  return note.find("left out") != std::string::npos && note.find("takes no bytes") != std::string::npos;
              }));
    // A polygon of 2^20 + 1 points (and the closing one) coded as steps, all the same: five bytes say so, but it would
    // take more memory than it is worth; left out, not decoded.
    const std::string manySteps = Words({6, 8760176, 1, 1, 0, 0, 0, 0, 1, 3}) + Le16(0) + Words({(1u << 20) + 2}) +
                                  std::string{2, 1} + Words({0, 0, 0, 0, 5}) + std::string{4, 0, 0, 0, 0} + Floats({1});
    run = Decode(WriteBgl({{0x65, manySteps}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    EXPECT_EQ(std::string::npos, run.xml.find("<Polygon"));
    EXPECT_EQ(1u, std::count_if(run.notes.begin(), run.notes.end(), [](const std::string &note) {
                  return note.find("left out") != std::string::npos && note.find("coded as steps") != std::string::npos;
              }));
    std::string cut = WriteBgl({{0x65, garbage}});
    cut.replace(0x4C + 12, 4, Words({0x1000})); // the subsection's data past the end of the file
    EXPECT_FALSE(Decode(cut).ok);
}

// A record that completes the element before it: the drawing flags after an older apron join
// that apron's attributes; with no element before it among its siblings it is skipped.
TEST(BglDecode, ApronDrawingFlagsJoinTheirApron)
{
    const Place field = {40, -3, 600};
    std::string apron = std::string{4} + Le16(1) + At(field).substr(0, 8); // asphalt, one vertex
    std::string drawing = std::string{0, 0x01} + std::string(8, 't');    // drawSurface only, then triangles
    Decoded run = Decode(WriteBgl({{0x03, AirportRecord(0x003C, field, 0, "LEXX", "LE",
                                                        Framed(0x41, drawing) + Framed(0x37, apron) + Framed(0x41, drawing))}}));
    ASSERT_TRUE(run.ok) << run.result.error;
    EXPECT_NE(std::string::npos, run.xml.find("<Apron surface=\"ASPHALT\" drawSurface=\"TRUE\" drawDetail=\"FALSE\">"))
        << run.xml;
    EXPECT_EQ(1u, WrittenCount(run.result, "Aprons"));
    EXPECT_EQ(1u, run.result.skippedRecords); // the first, which has no apron before it
}
